// Odd negative cycle separation: one doubled-graph search per start vertex
// under weights from the LP point, chord splitting of each cycle found, and
// lifting of the short ones.
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <vector>

#include "base/erro.h"
#include "base/relogio.h"
#include "separation/cortes.h"

namespace {

using Fio = DadosCicloNegativo::Fio;
using Candidato = DadosCicloNegativo::Candidato;

void preparaLinhas(DadosCicloNegativo& d, int linhas) {
  if (d.paralelas == nullptr || d.paralelas->pedidas() != linhas) {
    d.paralelas.reset();
    d.paralelas = std::make_unique<BuscasParalelas>(linhas);
  }
  while (static_cast<int>(d.fios.size()) < d.paralelas->linhas()) d.fios.push_back(std::make_unique<Fio>());
}

// Read by the helpers while the calling thread writes them, hence atomic;
// both only ever go from 0 to 1 within a round.
bool estaCoberto(int* coberto, int v) {
  return std::atomic_ref<int>(coberto[v]).load(std::memory_order_relaxed) != 0;
}
void cobre(int* coberto, int v) { std::atomic_ref<int>(coberto[v]).store(1, std::memory_order_relaxed); }
bool semCicloEm(std::vector<char>& semCiclo, int no) {
  return std::atomic_ref<char>(semCiclo[no]).load(std::memory_order_relaxed) != 0;
}
void marcaSemCiclo(std::vector<char>& semCiclo, int no) {
  std::atomic_ref<char>(semCiclo[no]).store(1, std::memory_order_relaxed);
}

const double LIMIAR_CICLO = 0.999999;
const int MAX_CICLO_LIFTING = 19;
const int CANDIDATOS_POR_CORTE = 4;

// A path from v to its copy must change copy an odd number of times, so only
// positive arcs inside a copy and negative arcs across copies are cheap; the
// tail pays 1 - x, so a path's length is |walk| - x(walk).  Everything else
// weighs 2n, which the cap of the search never lets through.  Signs other than
// 1, -1 and 2 cannot come from the reader; they get 2n too rather than a
// stale weight.  Returns the least weight written.
double escrevePesos(Armazem& g, const double* x) {
  const int n = g.nlin;
  nodo2** const gDup = g.gDup;
  const double proibido = 2.0 * n;
  double menor = proibido;
  for (int u = 0; u < 2 * n; u++) {
    const bool caudaNaPrimeira = u < n;
    const double custo = 1.0 - x[u % n];
    if (gDup[u] != nullptr && custo < menor) menor = custo;
    for (nodo2* a = gDup[u]; a != nullptr; a = a->prox) {
      const bool mesmaCopia = caudaNaPrimeira == (a->vertice < n);
      if (a->sinal == 1)
        a->peso = mesmaCopia ? custo : proibido;
      else if (a->sinal == -1)
        a->peso = mesmaCopia ? proibido : custo;
      else
        a->peso = proibido;
    }
  }
  return menor;
}

// Sign of the first element of u's list that reaches w (0 when none).
int sinalDe(nodo** gMat, int u, int w) {
  for (nodo* e = gMat[u]; e != nullptr; e = e->prox)
    if (e->vertice == w) return e->sinal;
  return 0;
}

// True when some edge between u and w has a sign of the other parity than s
// (a double edge has both).
bool temSinalOposto(nodo** gMat, int u, int w, int s) {
  for (nodo* e = gMat[u]; e != nullptr; e = e->prox) {
    if (e->vertice != w) continue;
    if (e->sinal == 2 || (s == -1) != (e->sinal == -1)) return true;
  }
  return false;
}

// Back to -1 at the slots ciclo[0..k-1] and at the m lifted vertices.
void limpaPosicoes(Trabalho& t, int k, int m) {
  for (int p = 0; p < k; p++) t.position[t.ciclo[p]] = -1;
  for (int l = 0; l < m; l++) t.position[t.indAlfa[l]] = -1;
}

}  // namespace

int partitionCycle(Separacao& s, int* cycle, int k, int* marks) {
  nodo** const gMat = s.grafo.gMat;
  int* const position = s.trabalho.position;
  std::vector<int>& sinais = s.ciclos.sinais;
  sinais.resize(static_cast<size_t>(k));
  int* sinalAresta = sinais.data();
  for (int p = 0; p < k; p++) position[cycle[p]] = p;
  int negativas = 0;
  for (int p = 0; p < k; p++) {
    sinalAresta[p] = sinalDe(gMat, cycle[p], cycle[(p + 1) % k]);
    if (sinalAresta[p] == -1) negativas++;
  }
  // The walk is an odd negative cycle, but where a pair is joined by edges of
  // both parities the first list element may not be the edge it used.  The
  // splits below keep an odd cycle only if they start from one, so switch the
  // first such pair to its other edge.
  if (negativas % 2 == 0) {
    int p = 0;
    while (p < k && !temSinalOposto(gMat, cycle[p], cycle[(p + 1) % k], sinalAresta[p])) p++;
    if (p == k) {
      for (int q = 0; q < k; q++) marks[cycle[q]] = 0;
      return 0;
    }
    sinalAresta[p] = sinalAresta[p] == -1 ? 1 : -1;
  }

  while (k > 3) {
    nodo* corda = nullptr;
    int j = 1;
    for (; j <= k - 2 && corda == nullptr; j++) {
      for (nodo* e = gMat[cycle[j]]; e != nullptr; e = e->prox) {
        const int w = e->vertice;
        // A loop closes no shorter cycle, so it is no chord.
        if (position[w] != -1 && w != cycle[j] && w != cycle[j - 1] && w != cycle[j + 1]) {
          corda = e;
          break;
        }
      }
    }
    if (corda == nullptr) break;
    j--;
    const int f = corda->sinal;
    const int outra = position[corda->vertice];
    const int a = j < outra ? j : outra;
    const int b = j < outra ? outra : j;
    if (f == 2) {
      for (int p = 0; p < k; p++) marks[cycle[p]] = 0;
      return 0;
    }
    int c = 0;
    for (int p = a; p < b; p++)
      if (sinalAresta[p] == -1) c++;
    if ((f == -1 && c % 2 == 0) || (f == 1 && c % 2 == 1)) {
      // cycle[a..b] closed by the chord
      for (int p = 0; p < k; p++) {
        if (p >= a && p <= b) continue;
        marks[cycle[p]] = 0;
        position[cycle[p]] = -1;
      }
      for (int p = a; p <= b; p++) {
        cycle[p - a] = cycle[p];
        sinalAresta[p - a] = sinalAresta[p];
        position[cycle[p - a]] = p - a;
      }
      sinalAresta[b - a] = f;
      k = b - a + 1;
    } else {
      // cycle[0..a], the chord, then cycle[b..k-1]
      for (int p = a + 1; p < b; p++) {
        marks[cycle[p]] = 0;
        position[cycle[p]] = -1;
      }
      for (int p = b; p < k; p++) {
        const int destino = a + 1 + (p - b);
        cycle[destino] = cycle[p];
        sinalAresta[destino] = sinalAresta[p];
        position[cycle[destino]] = destino;
      }
      sinalAresta[a] = f;
      k = k - (b - a) + 1;
    }
  }
  return k;
}

namespace {

// One call of the cycle separator: the round's searches from the start
// vertices, each hit read back as a cycle, split along its chords, lifted
// when short, and written as a cut (or, in a reduced run, kept as a
// candidate for the choice of the most violated).
class RodadaDeCiclos {
 public:
  RodadaDeCiclos(Separacao& s, double* x, int* ultimoCorte, int* ultimoCoef)
      : s_(s),
        a_(s.ajustes),
        d_(s.ciclos),
        t_(s.trabalho),
        lote_(s.lote),
        perfil_(s.perfil),
        x_(x),
        ultimoCorte_(ultimoCorte),
        ultimoCoef_(ultimoCoef),
        n_(s.grafo.nlin) {
    coberto_ = static_cast<int*>(std::calloc(static_cast<size_t>(n_) + 1, sizeof(int)));
    if (coberto_ == nullptr) errormsg("Main: memory allocation error.\n", 403, -1);
  }
  ~RodadaDeCiclos() { std::free(coberto_); }
  RodadaDeCiclos(const RodadaDeCiclos&) = delete;
  RodadaDeCiclos& operator=(const RodadaDeCiclos&) = delete;

  int executa();

 private:
  void prepara();
  template <class Entra>
  void passe(Entra&& entra);
  void buscaNoFio(int fio, int v, CaminhoDaBusca& r);
  void buscaDe(int v);
  void guardaCiclo(int k, int m, double L);
  void carregaCandidatos();

  Separacao& s_;
  const AjustesDaBusca& a_;
  DadosCicloNegativo& d_;
  Trabalho& t_;
  Lote& lote_;
  Perfil& perfil_;
  double* const x_;
  int* const ultimoCorte_;
  int* const ultimoCoef_;
  const int n_;
  int* coberto_ = nullptr;
  bool contrai_ = false, escolheMelhores_ = false, paralelo_ = false;
  size_t maxCandidatos_ = 0;
  int cortes_ = 0;
};

void RodadaDeCiclos::prepara() {
  const double pesoMinimo = escrevePesos(s_.grafo, x_);
  // Below MINIMO_CONTRACAO vertices a reduced run keeps the plain search:
  // there the regions at 1 are small, the plain search costs little, and
  // its cycles give the medium instances the trees they had (netlib_sc205's
  // reduced root with the general-purpose cuts is proved at once with them,
  // and not in minutes with the contracted search's).
  contrai_ = a_.REDUZIR && n_ >= a_.MINIMO_CONTRACAO && !(a_.DESLIGADAS & DESLIGA_CONTRACAO);
  if (contrai_) {
    d_.contraido.monta(s_.grafo, x_);
    d_.semCiclo.assign(static_cast<size_t>(d_.contraido.numNos()), 0);
  } else {
    compactaGrafo(s_.grafo.gDup, 2 * n_, 1.0, pesoMinimo, d_.usaveis);
  }
  // position is -1 everywhere between cycles (see separadores.h); the
  // incumbent's balance test leaves sides there, so each round starts clean.
  for (int v = 0; v < n_; v++) {
    t_.pertence[v] = 0;
    t_.position[v] = -1;
  }
  // A reduced run gathers up to CANDIDATOS_POR_CORTE times the batch and
  // loads the most violated (wikielections, 120 s: root bound 6338 instead
  // of 6358 in fewer rounds).
  escolheMelhores_ = a_.REDUZIR && !(a_.DESLIGADAS & DESLIGA_ESCOLHA);
  maxCandidatos_ = static_cast<size_t>(CANDIDATOS_POR_CORTE) * lote_.MAX_CORTES;
  d_.candidatos.clear();
  d_.termos.clear();
  const int cedidas = a_.linhasCedidas != nullptr ? a_.linhasCedidas->load(std::memory_order_relaxed) : 0;
  const int linhas = std::max(1, a_.LINHAS - cedidas);
  paralelo_ = linhas > 1;
  if (paralelo_) {
    preparaLinhas(d_, linhas);
    for (auto& f : d_.fios) f->pred.resize(2 * static_cast<size_t>(n_));
  }
}

// A search on thread `fio`: its length and, on a hit, the walk back from
// n+v as leCiclo follows it (the chain of a shortest-path tree, which never
// loops; were it to, 2n + 2 steps hold the repeat that leCiclo rejects).
void RodadaDeCiclos::buscaNoFio(int fio, int v, CaminhoDaBusca& r) {
  const int n = n_;
  Fio& f = *d_.fios[static_cast<size_t>(fio)];
  int* p = f.pred.data();
  r.caminho.clear();
  r.comprimento = contrai_ ? f.contraida.busca(d_.contraido, v, n + v, LIMIAR_CICLO)
                           : f.limitada.busca(v, n + v, d_.usaveis, p, LIMIAR_CICLO);
  if (!(r.comprimento < LIMIAR_CICLO)) return;
  if (contrai_) f.contraida.escreveCaminho(d_.contraido, v, n + v, p);
  int c = n + v;
  for (int passo = 0; passo <= 2 * n + 2 && c != v && c != -1; passo++) {
    r.caminho.push_back(c);
    c = p[c];
  }
  r.caminho.push_back(c);
}

void RodadaDeCiclos::buscaDe(int v) {
  // The same hits, lengths and walks as dijkstraS_T(v, n+v, gDup, 2n, pred,
  // 1.0); a search that cannot end below the threshold stops early.  A
  // reduced run's search finds the same lengths, not the same walks.
  const int n = n_;
  int* const pred = t_.pred;
  const int no = contrai_ ? d_.contraido.no(v) : 0;
  if (contrai_ && (no < 0 || semCicloEm(d_.semCiclo, no))) return;
  double L;
  {
    MedeEtapa medida(perfil_, ETAPA_BUSCAS_CICLO);
    if (paralelo_) {
      const CaminhoDaBusca& r = d_.paralelas->resultadoDe(v);
      L = r.comprimento;
      if (L < LIMIAR_CICLO) {
        // The walk into pred, where a search alone leaves it.
        const std::vector<int>& w = r.caminho;
        for (size_t j = 0; j + 1 < w.size(); j++) pred[w[j]] = w[j + 1];
        pred[v] = -1;
      }
    } else if (contrai_) {
      // The walk's expansion across the regions counts with the search
      // (on bitcoinotc it is two fifths of it).
      L = d_.buscaContraida.busca(d_.contraido, v, n + v, LIMIAR_CICLO);
      if (L < LIMIAR_CICLO) d_.buscaContraida.escreveCaminho(d_.contraido, v, n + v, pred);
    } else {
      L = d_.buscador.busca(v, n + v, d_.usaveis, pred, LIMIAR_CICLO);
    }
    if (contrai_ && !(L < LIMIAR_CICLO)) marcaSemCiclo(d_.semCiclo, no);
  }
  if (!(L < LIMIAR_CICLO)) return;
  MedeEtapa medida(perfil_, ETAPA_CICLOS);
  perfil_.resultados[ETAPA_BUSCAS_CICLO]++;
  int k = t_.leCiclo(n, v);
  if (k == 0) return;
  // The splits move vertices within ciclo[0..k-1], so the walk's slots hold
  // every vertex that has a position.
  const int kLido = k;
  if (k > 3) {
    k = partitionCycle(s_, t_.ciclo, k, t_.pertence);
    if (k == 0) {
      limpaPosicoes(t_, kLido, 0);
      return;
    }
  }
  const int m = (k >= 1 && k <= MAX_CICLO_LIFTING)
                    ? liftingOddNegCycle(s_, t_.ciclo, k, t_.vecAlfa, t_.indAlfa)
                    : 0;
  guardaCiclo(k, m, L);
  t_.limpaMarcasCiclo(k);
  limpaPosicoes(t_, kLido, m);
}

// The cycle of k vertices in ciclo and the m vertices lifted onto it, as a
// cut when violated (or a candidate of the choice).
void RodadaDeCiclos::guardaCiclo(int k, int m, double L) {
  const int* const ciclo = t_.ciclo;
  // |walk| - L is the LP weight of the walk; dropping vertices by the
  // splits loses at most one per vertex, and a lifted vertex counts at
  // least once, so this never exceeds the cut's activity.
  double valor = k - L;
  for (int l = 0; l < m; l++) valor += x_[t_.indAlfa[l]];
  if (!(valor > (k - 1) + 1e-6)) return;
  const int tipo = m > 0 ? CORTE_CICLO_LIFTED : CORTE_CICLO;
  if (escolheMelhores_) {
    Candidato c;
    c.tipo = tipo;
    c.violacao = valor - (k - 1);
    c.rhs = k - 1;
    c.inicio = static_cast<int>(d_.termos.size());
    for (int p = 0; p < k; p++) {
      d_.termos.push_back({ciclo[p], 1.0});
      cobre(coberto_, ciclo[p]);
    }
    for (int l = 0; l < m; l++) {
      d_.termos.push_back({t_.indAlfa[l], t_.vecAlfa[l]});
      cobre(coberto_, t_.indAlfa[l]);
    }
    c.fim = static_cast<int>(d_.termos.size());
    d_.candidatos.push_back(c);
    return;
  }
  lote_.abreCorte(ultimoCorte_, ultimoCoef_, tipo);
  for (int p = 0; p < k; p++) {
    lote_.poeTermo(ultimoCoef_, ciclo[p], 1.0);
    cobre(coberto_, ciclo[p]);
  }
  for (int l = 0; l < m; l++) {
    lote_.poeTermo(ultimoCoef_, t_.indAlfa[l], t_.vecAlfa[l]);
    cobre(coberto_, t_.indAlfa[l]);
  }
  lote_.fechaCorte(*ultimoCorte_, k - 1);
  cortes_++;
  perfil_.resultados[ETAPA_CICLOS]++;
}

// A pass searches from every vertex `entra` admits, in turn.  With threads,
// the pass's start vertices go to the pool, which searches them in order
// ahead of this loop; the loop takes the results in the same order and does
// with them exactly what it does with its own searches, so the cuts are the
// same.  The helpers leave the vertices this loop is sure to pass over
// (covered, or a region that missed already).
template <class Entra>
void RodadaDeCiclos::passe(Entra&& entra) {
  const long long feitasAntes = paralelo_ ? d_.paralelas->feitas() : 0;
  if (paralelo_) {
    std::vector<int> inicios;
    for (int v = 0; v < n_; v++)
      if (entra(v) && (!contrai_ || d_.contraido.no(v) >= 0)) inicios.push_back(v);
    d_.paralelas->comeca(
        std::move(inicios), [this](int fio, int v, CaminhoDaBusca& r) { buscaNoFio(fio, v, r); },
        [this](int v) {
          return estaCoberto(coberto_, v) || (contrai_ && semCicloEm(d_.semCiclo, d_.contraido.no(v)));
        });
  }
  for (int v = 0; v < n_ && cortes_ < lote_.MAX_CORTES && d_.candidatos.size() < maxCandidatos_; v++) {
    // Past the deadline the round ends with the cuts it has.
    if (v % 64 == 0 && s_.prazo.passou()) break;
    if (!estaCoberto(coberto_, v) && entra(v)) buscaDe(v);
  }
  if (paralelo_) {
    d_.paralelas->termina();
    perfil_.linhasBuscas = d_.paralelas->linhas();
    perfil_.buscasFeitas += d_.paralelas->feitas() - feitasAntes;
  }
}

// The candidates, most violated first, into the batch while it has room.
void RodadaDeCiclos::carregaCandidatos() {
  std::vector<Candidato>& candidatos = d_.candidatos;
  if (candidatos.empty()) return;
  std::stable_sort(candidatos.begin(), candidatos.end(),
                   [](const Candidato& a, const Candidato& b) { return a.violacao > b.violacao; });
  for (const Candidato& c : candidatos) {
    if (cortes_ >= lote_.MAX_CORTES) break;
    lote_.abreCorte(ultimoCorte_, ultimoCoef_, c.tipo);
    for (int k = c.inicio; k < c.fim; k++)
      lote_.poeTermo(ultimoCoef_, d_.termos[k].coluna, d_.termos[k].coef);
    lote_.fechaCorte(*ultimoCorte_, c.rhs);
    cortes_++;
    perfil_.resultados[ETAPA_CICLOS]++;
  }
}

int RodadaDeCiclos::executa() {
  prepara();
  const double* const x = x_;
  // In a reduced run a round searches first from the vertices of
  // fractional value, and from the others only when those gave nothing: a
  // violated cycle has a fractional vertex unless the point puts 1 on all
  // of it, so this finds nearly every cut at a fraction of the searches
  // (each search from a vertex at 1 floods the whole region of vertices at 1
  // around it), and a round still ends empty only when no cycle is violated.
  if (a_.REDUZIR) {
    passe([x](int v) { return x[v] > 0.0 && x[v] < 1.0; });
    if (cortes_ == 0 && d_.candidatos.empty()) passe([x](int v) { return x[v] == 0.0 || x[v] == 1.0; });
  } else {
    passe([](int) { return true; });
  }
  carregaCandidatos();
  return cortes_;
}

}  // namespace

int separacaoExataCMenosOdd(Separacao& s, double* x, int* ultimoCorte, int* ultimoCoef) {
  RodadaDeCiclos rodada(s, x, ultimoCorte, ultimoCoef);
  return rodada.executa();
}
