// The exact search over one connected graph: search order, compatibility
// rows, the bounding colouring and the branching.
#include "combinatorial/BuscaExata.h"

#include <algorithm>
#include <queue>
#include <utility>

#include "base/parada.h"
#include "combinatorial/Bits.h"

namespace combinatorio {

namespace {

// Nodes between two looks at the clock: as many as take about a
// millisecond, from 1 up to NOS_POR_CONSULTA (a node of a graph of thousands
// of vertices may take milliseconds, and 256 of them overran a time limit by
// 0.4 s); on a graph whose rows hold at least GRANDE words in all, every
// node looks.
const int NOS_POR_CONSULTA = 256;
const auto CONSULTA_CURTA = std::chrono::microseconds(500);
const auto CONSULTA_LONGA = std::chrono::milliseconds(2);
const int64_t GRANDE = int64_t{1} << 22;
// Graphs below this many vertices are searched by one thread: their whole
// search takes less than starting the others.
const int MINIMO_PARALELO = 20;

// The share of the copies a copy conflicts with, on average (mirrors aside).
double densidadeDeConflitos(const GrafoSimples& g) {
  int64_t conflitos = 0;  // over both copies of every vertex
  for (int v = 0; v < g.numVertices(); v++)
    for (const signed char s : g.sinais(v)) conflitos += s == 2 ? 4 : 2;
  const double copias = 2.0 * g.numVertices();
  return copias > 0 ? conflitos / (copias * copias) : 0;
}

// Nodes below the root order their candidates anew while a copy conflicts
// with at most this share of the copies (a random graph of density up to
// about one half): the order then takes a pass over the conflicts among the
// candidates, which on denser graphs costs more than the nodes it saves.
// Measured on random graphs: 120 vertices at density 0.3 proved in 13.0 s
// instead of 20.9, 140 at 0.5 in 3.5 s either way with half the nodes, 160
// at 0.7 in 0.61 s instead of 0.40.
const double DENSIDADE_DINAMICA = 0.25;

// The share of a node's candidates ordered by their conflicts among those
// left (the last ones); the first ones keep the order of their conflicts
// with all the candidates.  Measured, the best share grows with the density:
// a fifth at 0.1 (5.6% fewer nodes than the whole, at a fifth of the work),
// two fifths at 0.2 and more above; this many times the share of copies a
// copy conflicts with.
const double ORDENADOS_POR_DENSIDADE = 4;

// Vertices so that the most conflicted come last: repeatedly the vertex with
// the most conflicts among those left goes to the end (a double edge counts
// twice, as it blocks both copies).  The colouring then packs the early,
// freer copies into few cliques and the branching starts from the copies
// whose subproblems are smallest; both copies of a vertex have the same
// conflicts, so they stay side by side.
std::vector<int> ordemDeBusca(const GrafoSimples& g) {
  const int n = g.numVertices();
  std::vector<int> grau(n, 0);
  for (int v = 0; v < n; v++)
    for (const signed char s : g.sinais(v)) grau[v] += s == 2 ? 2 : 1;
  std::priority_queue<std::pair<int, int>> fila;  // (conflicts, -vertex)
  for (int v = 0; v < n; v++) fila.push({grau[v], -v});
  std::vector<char> saiu(n, 0);
  std::vector<int> ordem(n);
  int fim = n;
  while (!fila.empty()) {
    const auto [c, menosV] = fila.top();
    fila.pop();
    const int v = -menosV;
    if (saiu[v] || c != grau[v]) continue;
    saiu[v] = 1;
    ordem[--fim] = v;
    const auto viz = g.vizinhos(v);
    const auto sin = g.sinais(v);
    for (size_t k = 0; k < viz.size(); k++) {
      const int w = viz[k];
      if (saiu[w]) continue;
      grau[w] -= sin[k] == 2 ? 2 : 1;
      fila.push({grau[w], -w});
    }
  }
  return ordem;
}

// Calls f.operator()<W>() with the search's loops over words unrolled for
// the small widths w.
template <typename F>
void porLargura(int w, F&& f) {
  switch (w) {
    case 1: f.template operator()<1>(); break;
    case 2: f.template operator()<2>(); break;
    case 3: f.template operator()<3>(); break;
    case 4: f.template operator()<4>(); break;
    case 5: f.template operator()<5>(); break;
    case 6: f.template operator()<6>(); break;
    case 7: f.template operator()<7>(); break;
    case 8: f.template operator()<8>(); break;
    default: f.template operator()<0>();
  }
}

}  // namespace

int64_t BuscaExata::memoria(int64_t n, int linhas) {
  const int64_t copias = 2 * n, w = (copias + 63) / 64;
  // Compatibility rows, shared; per thread the colouring's cliques and
  // propagation rows, up to n of each, and candidate sets of a path about
  // n/2 deep.
  const int64_t porLinha = 2 * n * w * 8 + (n / 2 + 1) * w * 8 + 64 * copias;
  return copias * w * 8 + std::max(1, linhas) * porLinha;
}

BuscaExata::BuscaExata(const GrafoSimples& g, Ajustes ajustes)
    : ajustes_(ajustes), n_(g.numVertices()), copias_(2 * g.numVertices()),
      w_(bits::palavras(2 * g.numVertices())) {
  vertice_ = ordemDeBusca(g);
  std::vector<int> posicao(n_);
  for (int i = 0; i < n_; i++) posicao[vertice_[i]] = i;
  comum_ = std::make_shared<Comum>();
  comum_->compat.zera(static_cast<size_t>(copias_) * w_);
  compat_ = comum_->compat.data();
  for (int x = 0; x < copias_; x++) {
    uint64_t* linha = comum_->compat.data() + static_cast<size_t>(x) * w_;
    for (int j = 0; j < w_; j++) linha[j] = ~uint64_t{0};
    if (copias_ & 63) linha[w_ - 1] = (uint64_t{1} << (copias_ & 63)) - 1;
    bits::desliga(linha, x);
    bits::desliga(linha, espelho(x));
    const int v = vertice_[posicaoDa(x)], lado = ladoDa(x);
    const auto viz = g.vizinhos(v);
    const auto sin = g.sinais(v);
    for (size_t k = 0; k < viz.size(); k++) {
      const int y = posicao[viz[k]];
      // A positive edge forbids the other side, a negative one the same side.
      if (sin[k] != -1) bits::desliga(linha, copia(y, lado ^ 1));
      if (sin[k] != 1) bits::desliga(linha, copia(y, lado));
    }
  }
  grande_ = static_cast<int64_t>(copias_) * w_ >= GRANDE;
  const double densidade = densidadeDeConflitos(g);
  dinamica_ = ajustes_.dinamica && densidade <= DENSIDADE_DINAMICA;
  graus_ = dinamica_;
  ordenados_ = std::min(1.0, ORDENADOS_POR_DENSIDADE * densidade);
  if (ajustes_.conflitos == Ajustes::Conflitos::listas ||
      (ajustes_.conflitos == Ajustes::Conflitos::automatico && listasConvem(g)))
    listaConflitos(g, posicao);
  preparaTrabalho();
}

BuscaExata::BuscaExata(const BuscaExata& mestre, Linha)
    : ajustes_(mestre.ajustes_), n_(mestre.n_), copias_(mestre.copias_), w_(mestre.w_),
      grande_(mestre.grande_), porListas_(mestre.porListas_), dinamica_(mestre.dinamica_), graus_(mestre.graus_),
      ordenados_(mestre.ordenados_), vertice_(mestre.vertice_),
      comum_(mestre.comum_), compat_(mestre.compat_), conflito_(mestre.conflito_),
      inicioConflitos_(mestre.inicioConflitos_), prazo_(mestre.prazo_),
      ultimoProgresso_(mestre.ultimoProgresso_), ultimaConsulta_(mestre.ultimaConsulta_) {
  noInicial_ = mestre.noInicial_;
  limiteCorrente_ = mestre.limiteCorrente_;
  preparaTrabalho();
}

// The working sets whose size the graph fixes.
void BuscaExata::preparaTrabalho() {
  q_.assign(w_, 0);
  marcaConflito_.assign(n_ + 1, 0);
  naUniao_.assign(n_ + 1, 0);
  posto_.assign(copias_, 0);
  grau_.assign(copias_, 0);
  chave_.assign(copias_, 0);
  tirados_.clear();
  tirados_.reserve(copias_);
  u_.assign(w_, 0);
  semLugar_.assign(copias_, 0);
  if (!porListas_) return;
  int conflitos = 0;  // the most of any copy
  for (int x = 0; x < copias_; x++) conflitos = std::max(conflitos, inicioConflitos_[x + 1] - inicioConflitos_[x]);
  tocadasY_.assign(conflitos, 0);
  cliqueEm_.assign(copias_, 0);
  tirada_.assign(copias_, 0);
  const int cliques = n_ + 1, nk = bits::palavras(cliques);
  tamanho_.assign(cliques, 0);
  restantes_.assign(cliques, 0);
  contagem_.assign(cliques, 0);
  contagemY_.assign(cliques, 0);
  tocada_.assign(cliques, 0);
  vista_.assign(cliques, 0);
  propagada_.assign(cliques, 0);
  causas_.resize(cliques);
  unitarias_.assign(nk, 0);
  usadas_.assign(nk, 0);
  escolha_.assign(nk, 0);
}

// A better set, the chosen copies so far: kept, and offered to the other
// threads.
void BuscaExata::registra(int tamanho) {
  valor_ = tamanho;
  melhor_.assign(escolhidas_.begin(), escolhidas_.begin() + tamanho);
  noMelhor_ = noInicial_ + nos_;
  if (partilha_ == nullptr) return;
  const std::lock_guard<std::mutex> trava(partilha_->trava);
  if (tamanho <= partilha_->valor.load()) return;
  partilha_->melhor = melhor_;
  partilha_->noMelhor = noInicial_ + partilha_->nos.load() + (nos_ - nosContados_);
  partilha_->valor.store(tamanho);
}

std::vector<signed char> BuscaExata::ladosDoMelhor() {
  std::vector<int> copias;
  if (partilha_ != nullptr) {
    const std::lock_guard<std::mutex> trava(partilha_->trava);
    copias = partilha_->melhor;
  } else {
    copias = melhor_;
  }
  std::vector<signed char> lado(n_, -1);
  for (const int x : copias) lado[vertice_[posicaoDa(x)]] = static_cast<signed char>(ladoDa(x));
  return lado;
}

// Whether x, blocked from every clique below k, fits in one after moving its
// single compatible member there to another clique that takes it.
template <int W>
bool BuscaExata::recolore(int x, int k) {
  const int nw = palavras<W>();
  const uint64_t* hx = compat(x);
  for (int a = 0; a < k; a++) {
    int y = -1;
    const int c = bits::contaAteDois(classe(a), hx, nw, &y);
    if (c == 0) {
      bits::liga(classe(a), x);
      return true;
    }
    if (c > 1 || semLugar_[y] == versao_) continue;
    const uint64_t* hy = compat(y);
    for (int b = 0; b < k; b++) {
      if (b == a || bits::cruzam(classe(b), hy, nw)) continue;
      bits::desliga(classe(a), y);
      bits::liga(classe(b), y);
      bits::liga(classe(a), x);
      versao_++;
      return true;
    }
    semLugar_[y] = versao_;
  }
  return false;
}

// Whether no clique of the compatibility graph holds x and one member of
// each of some cliques below k not used yet: taking x forces
// the one member compatible with it in a clique left with one, which may
// leave another with one or none.  When one is left empty, noConflito_ lists
// the cliques whose forced members led there.
template <int W>
bool BuscaExata::propaga(int x, int k) {
  const int nw = palavras<W>();
  const size_t w = static_cast<size_t>(nw);
  restos_.garante(k * w);
  if (causas_.size() < static_cast<size_t>(k)) causas_.resize(k);
  propagada_.assign(k, 0);
  fila_.clear();
  ativas_.clear();  // the cliques taking part, listed once
  const uint64_t* hx = compat(x);
  int vazia = -1;
  for (int a = 0; a < k && vazia < 0; a++) {
    causas_[a].clear();
    if (usada_[a]) continue;
    uint64_t* r = restos_.data() + a * w;
    const uint64_t* c = classe(a);
    int cont = 0;
    for (size_t j = 0; j < w; j++) cont += std::popcount(r[j] = c[j] & hx[j]);
    ativas_.push_back(a);
    if (cont == 0) vazia = a;
    else if (cont == 1) fila_.push_back(a);
  }
  for (size_t f = 0; f < fila_.size() && vazia < 0; f++) {
    const int a = fila_[f];
    if (propagada_[a]) continue;
    propagada_[a] = 1;
    const uint64_t* ra = restos_.data() + a * w;
    int y = 0;
    while (ra[y >> 6] == 0) y += 64;
    y += std::countr_zero(ra[y >> 6]);
    const uint64_t* hy = compat(y);
    for (const int b : ativas_) {
      if (b == a) continue;
      uint64_t* rb = restos_.data() + b * w;
      int cont = 0;
      bool mudou = false;
      for (size_t j = 0; j < w; j++) {
        const uint64_t novo = rb[j] & hy[j];
        mudou |= novo != rb[j];
        cont += std::popcount(rb[j] = novo);
      }
      if (!mudou) continue;
      causas_[b].push_back(a);
      if (cont == 0) {
        vazia = b;
        break;
      }
      if (cont == 1 && !propagada_[b]) fila_.push_back(b);
    }
  }
  if (vazia < 0) return false;
  marcaConflito(vazia);
  return true;
}

void BuscaExata::marcaConflito(int vazia) {
  const uint64_t marca = ++passoConflito_;
  noConflito_.clear();
  pilha_.assign(1, vazia);
  while (!pilha_.empty()) {
    const int a = pilha_.back();
    pilha_.pop_back();
    if (marcaConflito_[a] == marca) continue;
    marcaConflito_[a] = marca;
    noConflito_.push_back(a);
    for (const int b : causas_[a]) pilha_.push_back(b);
  }
}

// x cannot raise the bound: the cliques of its conflict are used up.
template <int W>
bool BuscaExata::inconsistente(int x, int k) {
  if (!(porListas_ ? propagaPorListas(x, k) : propaga<W>(x, k))) return false;
  usa(noConflito_);
  return true;
}

void BuscaExata::usa(const std::vector<int>& cliques) {
  for (const int a : cliques) {
    usada_[a] = 1;
    if (porListas_) bits::liga(usadas_.data(), a);
  }
}

// The candidates of grupo_, a clique of them, tried together: while each
// member's propagation fails over the cliques not used up, the members so
// far and the union of their conflicts' cliques are one set no candidate
// can raise (a set of copies hitting each of those cliques would hold one of
// the members, whose propagation says it cannot).  So one conflict through
// a vertex, met from either of its copies, takes both out of the branching,
// where one by one each copy would need a conflict of its own.  Those not
// taken out go to sobra_.
template <int W>
void BuscaExata::absorveGrupo(int k) {
  size_t i = 0;
  if (grupo_.size() > 1) {
    uniao_.clear();
    const uint64_t marca = ++passoConflito_;  // the cliques of uniao_
    for (; i < grupo_.size(); i++) {
      if (!(porListas_ ? propagaPorListas(grupo_[i], k) : propaga<W>(grupo_[i], k))) break;
      for (const int a : noConflito_)
        if (naUniao_[a] != marca) {
          naUniao_[a] = marca;
          uniao_.push_back(a);
        }
    }
    if (i > 0) usa(uniao_);
    // The first member that did not fail will not with fewer cliques.
    if (i < grupo_.size()) sobra_.push_back(grupo_[i++]);
  }
  for (; i < grupo_.size(); i++)
    if (!inconsistente<W>(grupo_[i], k)) sobra_.push_back(grupo_[i]);
}

// The candidates p in the order a node below the root colours and branches
// them, into ordem_ (posto_: each one's place): repeatedly the one with the
// most conflicts among those left goes last (of equals, the latest in the
// search order), as the search order does with the whole graph.  After a
// few choices the whole graph's order no longer fits the candidates (a copy
// whose conflicts have gone is still coloured late, and branched on, as if
// it had them): re-ordered at each node, r_n100_d0.1 takes 206 thousand
// nodes instead of 671 thousand.  The candidates with c conflicts left are
// a set of bits of their own, so a copy losing a conflict moves by two bit
// operations.
template <int W>
void BuscaExata::ordena(const uint64_t* p) {
  const int nw = palavras<W>();
  // The counts kept in grau_, worked on in chave_.
  int* const grau = chave_.data();
  int n = 0, maior = 0;
  for (int j = 0; j < nw; j++)
    for (uint64_t b = p[j]; b != 0; b &= b - 1) {
      const int x = (j << 6) + std::countr_zero(b);
      grau[x] = grau_[x];
      maior = std::max(maior, grau[x]);
      n++;
    }
  // Bucket 2c + 1 holds the copies with c conflicts whose mirror is a
  // candidate too, 2c the others: of equals, a copy of a vertex with both
  // sides open goes later (4% fewer nodes on the random graphs of density
  // 0.1 than by the search order alone).
  const size_t w = static_cast<size_t>(nw);
  baldes_.zera((2 * maior + 2) * w);
  uint64_t* const balde = baldes_.data();
  for (int j = 0; j < nw; j++)
    for (uint64_t b = p[j]; b != 0; b &= b - 1) {
      const int x = (j << 6) + std::countr_zero(b);
      grau[x] = 2 * grau[x] + bits::testa(p, espelho(x));
      bits::liga(balde + grau[x] * w, x);
    }
  uint64_t resto[W > 0 ? W : 1];
  uint64_t* const r = W > 0 ? resto : u_.data();
  std::copy(p, p + nw, r);
  ordem_.resize(n);
  int* const ordem = ordem_.data();
  int c = 2 * maior + 1;
  const int primeiroOrdenado = n - static_cast<int>(ordenados_ * n);
  int fim = n - 1;
  for (; fim >= primeiroOrdenado; fim--) {
    // The last copy of the fullest bucket.
    int x = -1;
    for (;; c--) {
      const uint64_t* bc = balde + c * w;
      for (int j = nw - 1; j >= 0 && x < 0; j--)
        if (bc[j] != 0) x = (j << 6) + 63 - std::countl_zero(bc[j]);
      if (x >= 0) break;
    }
    ordem[fim] = x;
    bits::desliga(balde + c * w, x);
    bits::desliga(r, x);
    auto perde = [&](int y) {
      const int cy = grau[y];
      grau[y] = cy - 2;
      bits::desliga(balde + cy * w, y);
      bits::liga(balde + (cy - 2) * w, y);
    };
    if (porListas_ && W == 0) {
      for (int i = inicioConflitos_[x]; i < inicioConflitos_[x + 1]; i++)
        if (bits::testa(r, conflito_[i])) perde(conflito_[i]);
    } else {
      const uint64_t* h = compat(x);
      for (int j = 0; j < nw; j++)
        for (uint64_t b = r[j] & ~h[j]; b != 0; b &= b - 1) perde((j << 6) + std::countr_zero(b));
    }
  }
  // The counts of the rest stay: the buckets emptied in turn, the fullest
  // first and each from its last copy.
  for (; fim >= 0; c--) {
    const uint64_t* bc = balde + c * w;
    for (int j = nw - 1; j >= 0; j--)
      for (uint64_t b = bc[j]; b != 0;) {
        const int t = 63 - std::countl_zero(b);
        ordem[fim--] = (j << 6) + t;
        b &= ~(uint64_t{1} << t);
      }
  }
  int* const posto = posto_.data();
  for (int i = 0; i < n; i++) posto[ordem[i]] = i;
}

// Covers p by cliques of conflicting copies, greedily in the order of the
// search or, with `dinamica`, in ordem_.  The first kmin cliques bound what
// their members can add; a candidate left out of them that can be moved in,
// or that unit propagation proves unable to raise the bound, joins them.
// The others go to `lista` with the index of their clique in `cor` (from
// kmin + 1 up, ascending): a set within the first i of them and the rest
// has at most cor[i] copies.  Returns how many.
template <int W, bool dinamica>
int BuscaExata::colore(const uint64_t* p, int kmin, int* lista, int* cor) {
  const int nw = palavras<W>();
  if constexpr (dinamica) ordena<W>(p);
  uint64_t* q = q_.data();
  uint64_t* u = u_.data();
  std::copy(p, p + nw, q);
  classes_.garante(static_cast<size_t>(kmin) * nw);
  // Builds one clique from what is left in q, each member through `poe`:
  // the first copy left, then each first one that conflicts with all so far.
  // In the search order the first is the lowest bit; in ordem_, the first
  // of q is found by walking ordem_ (`desde`, as q loses them) and the next
  // member by the least place among those that conflict with all so far.
  size_t desde = 0;
  auto umaClique = [&](auto&& poe) {
    if constexpr (!dinamica) {
      std::copy(q, q + nw, u);
      for (int j = 0; j < nw; j++) {
        while (u[j] != 0) {
          const int x = (j << 6) + std::countr_zero(u[j]);
          poe(x);
          q[j] &= ~(uint64_t{1} << (x & 63));
          const uint64_t* h = compat(x);
          u[j] &= ~h[j] & ~(uint64_t{1} << (x & 63));
          for (int i = j + 1; i < nw; i++) u[i] &= ~h[i];
        }
      }
    } else {
      while (desde < ordem_.size() && !bits::testa(q, ordem_[desde])) desde++;
      if (desde == ordem_.size()) return;
      int x = ordem_[desde];
      const uint64_t* h = compat(x);
      for (int j = 0; j < nw; j++) u[j] = q[j] & ~h[j];
      for (;;) {
        poe(x);
        bits::desliga(q, x);
        bits::desliga(u, x);
        x = -1;
        for (int j = 0; j < nw; j++)
          for (uint64_t b = u[j]; b != 0; b &= b - 1) {
            const int z = (j << 6) + std::countr_zero(b);
            if (x < 0 || posto_[z] < posto_[x]) x = z;
          }
        if (x < 0) break;
        h = compat(x);
        for (int j = 0; j < nw; j++) u[j] &= ~h[j];
      }
    }
  };
  // The copies of q, in the order.
  auto emOrdem = [&](std::vector<int>& v) {
    v.clear();
    if constexpr (dinamica) {
      for (const int x : ordem_)
        if (bits::testa(q, x)) v.push_back(x);
    } else {
      for (int j = 0; j < nw; j++)
        for (uint64_t b = q[j]; b != 0; b &= b - 1) v.push_back((j << 6) + std::countr_zero(b));
    }
  };
  int k = 0;
  if (porListas_) novaColoracao();
  for (; k < kmin; k++) {
    if (bits::vazio(q, nw)) return 0;
    uint64_t* c = classe(k);
    std::fill(c, c + nw, 0);
    if (porListas_) {
      int membros = 0;
      umaClique([&](int x) {
        bits::liga(c, x);
        poeNaClique(x, k);
        membros++;
      });
      tamanho_[k] = membros;
      if (membros == 1) bits::liga(unitarias_.data(), k);
      else bits::desliga(unitarias_.data(), k);
    } else {
      umaClique([&](int x) { bits::liga(c, x); });
    }
  }
  if (bits::vazio(q, nw)) return 0;
  // On a large graph one candidate's refinement takes long: past the
  // deadline the rest are left unrefined, which only weakens the bound.
  auto venceu = [&] { return grande_ && prazo_.passou(); };
  versao_++;
  if (kmin > 0 && ajustes_.recoloracao) {
    emOrdem(resto_);
    for (const int x : resto_) {
      if (venceu()) break;
      if (porListas_ ? recoloraPorListas(x, k) : recolore<W>(x, k)) bits::desliga(q, x);
    }
  }
  if (kmin > 0 && ajustes_.maxsat) {
    usada_.assign(k, 0);
    if (porListas_) std::fill(usadas_.begin(), usadas_.end(), 0);
    if (ajustes_.grupos) {
      // The candidates drawn from q clique by clique; those left go back.
      sobra_.clear();
      desde = 0;
      while (!bits::vazio(q, nw) && !venceu()) {
        grupo_.clear();
        umaClique([&](int x) { grupo_.push_back(x); });
        absorveGrupo<W>(k);
      }
      for (const int x : sobra_) bits::liga(q, x);
    } else {
      emOrdem(resto_);
      for (const int x : resto_) {
        if (venceu()) break;
        if (inconsistente<W>(x, k)) bits::desliga(q, x);
      }
    }
  }
  int m = 0;
  desde = 0;
  for (int c = kmin + 1; !bits::vazio(q, nw); c++)
    umaClique([&](int x) {
      lista[m] = x;
      cor[m++] = c;
    });
  return m;
}

// A node's head: its count, the look at the clock, and the candidates taken
// without branching (into escolhidas_, raising tamanho).  False when nothing
// is left to branch on.
template <int W>
bool BuscaExata::cabeca(int d, int& tamanho) {
  const int nw = palavras<W>();
  nos_++;
  if (partilha_ != nullptr) valor_ = std::max(valor_, partilha_->valor.load(std::memory_order_relaxed));
  if (grande_ || --ateConsulta_ <= 0) {
    const Relogio::time_point agora = Relogio::now();
    if (prazo_.passouEm(agora)) parou_ = true;
    const Relogio::duration passou = agora - ultimaConsulta_;
    ultimaConsulta_ = agora;
    if (passou < CONSULTA_CURTA && consultaACada_ < NOS_POR_CONSULTA) consultaACada_ *= 2;
    else if (passou > CONSULTA_LONGA && consultaACada_ > 1) consultaACada_ /= 2;
    ateConsulta_ = consultaACada_;
    int64_t nos = nos_;
    int limite = limiteCorrente_;
    if (partilha_ != nullptr) {
      nos = partilha_->nos += nos_ - nosContados_;
      nosContados_ = nos_;
      int aberto = 0;  // the largest bound of a root branch in progress
      for (int t = 0; t < partilha_->linhas; t++) aberto = std::max(aberto, partilha_->corDaLinha[t].load());
      limite = std::min(limite, aberto);
    }
    if (progresso_ != nullptr && *progresso_ && agora - ultimoProgresso_ >= std::chrono::seconds(1)) {
      ultimoProgresso_ = agora;
      (*progresso_)(noInicial_ + nos, d + 1, valor_, std::max(valor_, limite));
    }
    if (vigia_ != nullptr && vigia_->quer(valor_, std::max(valor_, limite))) vigia_->recebe(ladosDoMelhor());
  }
  if (parou_) return false;
  if (candidatos_.size() <= static_cast<size_t>(d + 1)) candidatos_.emplace_back(nw);
  if (d > 0 && ajustes_.reducao) {
    // A candidate with at most one conflict among the candidates is in some
    // largest set of them (it can take the place of that one), so it is
    // taken without branching.  Not at the root, whose sets the mirror rule
    // already halves.
    uint64_t* p = candidatos_[d].data();
    bool tomou = true;
    while (tomou) {
      tomou = false;
      for (int j = 0; j < nw; j++)
        for (uint64_t b = p[j]; b != 0; b &= b - 1) {
          const int x = (j << 6) + std::countr_zero(b);
          if (!bits::testa(p, x)) continue;
          const uint64_t* h = compat(x);
          if (graus_) {
            if (grau_[x] > 1) continue;
            escolhidas_[tamanho++] = x;
            // x and its conflict leave, one by one.
            for (int i = 0; i < nw; i++)
              for (uint64_t c = p[i] & ~h[i]; c != 0; c &= c - 1) tira<W>(p, (i << 6) + std::countr_zero(c));
          } else {
            int conflitos = 0;
            for (int i = 0; i < nw && conflitos <= 2; i++) conflitos += std::popcount(p[i] & ~h[i]);
            if (conflitos > 2) continue;  // x itself and at most one other
            escolhidas_[tamanho++] = x;
            for (int i = 0; i < nw; i++) p[i] &= h[i];
          }
          tomou = true;
        }
    }
    if (bits::vazio(p, nw)) {
      if (tamanho > valor_) registra(tamanho);
      return false;
    }
  }
  return true;
}

// Conflicts among the candidates, for the orders of the nodes: counted in
// full where a search starts, then kept as copies leave a node's candidates
// and come back (a node's own departures undone, last first, when it ends).
template <int W>
void BuscaExata::contaGraus(const uint64_t* p) {
  const int nw = palavras<W>();
  tirados_.clear();
  for (int j = 0; j < nw; j++)
    for (uint64_t b = p[j]; b != 0; b &= b - 1) {
      const int x = (j << 6) + std::countr_zero(b);
      const uint64_t* h = compat(x);
      int c = -1;  // x is no conflict of its own
      for (int i = 0; i < nw; i++) c += std::popcount(p[i] & ~h[i]);
      grau_[x] = c;
    }
}

void BuscaExata::contaGrausDe(int d) {
  if (graus_) porLargura(w_, [&]<int W>() { contaGraus<W>(candidatos_[d].data()); });
}

// The conflicts of z among p (z not in it) gain `delta` each.
template <int W>
void BuscaExata::ajustaGraus(const uint64_t* p, int z, int delta) {
  if (porListas_ && W == 0) {
    for (int i = inicioConflitos_[z]; i < inicioConflitos_[z + 1]; i++)
      if (bits::testa(p, conflito_[i])) grau_[conflito_[i]] += delta;
  } else {
    const int nw = palavras<W>();
    const uint64_t* h = compat(z);
    for (int j = 0; j < nw; j++)
      for (uint64_t b = p[j] & ~h[j]; b != 0; b &= b - 1) grau_[(j << 6) + std::countr_zero(b)] += delta;
  }
}

template <int W>
void BuscaExata::tira(uint64_t* p, int z) {
  bits::desliga(p, z);
  ajustaGraus<W>(p, z, -1);
  tirados_.push_back(z);
}

template <int W>
void BuscaExata::devolve(uint64_t* p, size_t ate) {
  while (tirados_.size() > ate) {
    const int z = tirados_.back();
    tirados_.pop_back();
    ajustaGraus<W>(p, z, 1);
    bits::liga(p, z);
  }
}

// Between a node with candidates p and a branch of it with candidates filho:
// the counts move from one to the other (delta -1) and back (1).
template <int W>
void BuscaExata::passaAoRamo(const uint64_t* p, const uint64_t* filho, int delta) {
  const int nw = palavras<W>();
  for (int j = 0; j < nw; j++)
    for (uint64_t b = p[j] & ~filho[j]; b != 0; b &= b - 1) ajustaGraus<W>(filho, (j << 6) + std::countr_zero(b), delta);
}

template <int W>
void BuscaExata::expande(int d, int tamanho) {
  const size_t marca = tirados_.size();
  if (cabeca<W>(d, tamanho)) ramifica<W>(d, tamanho);
  if (graus_) devolve<W>(candidatos_[d].data(), marca);
}

template <int W>
void BuscaExata::ramifica(int d, int tamanho) {
  const int nw = palavras<W>();
  const size_t base = topoLista_;
  const int cabe = bits::conta(candidatos_[d].data(), nw);
  if (lista_.size() < base + cabe) {
    lista_.resize(std::max(lista_.size() * 2, base + cabe));
    cor_.resize(lista_.size());
  }
  const int kmin = std::max(0, valor_ - tamanho);
  const int m = dinamica(d) ? colore<W, true>(candidatos_[d].data(), kmin, lista_.data() + base, cor_.data() + base)
                            : colore<W, false>(candidatos_[d].data(), kmin, lista_.data() + base, cor_.data() + base);
  topoLista_ = base + m;
  for (int i = m - 1; i >= 0; i--) {
    const int cor = cor_[base + i];
    if (tamanho + cor <= valor_) break;
    if (d == 0) limiteCorrente_ = std::min(limiteCorrente_, cor);
    uint64_t* p = candidatos_[d].data();
    const int x = lista_[base + i];
    if (!bits::testa(p, x)) continue;  // the mirror of a copy already branched on
    escolhidas_[tamanho] = x;
    uint64_t* filho = candidatos_[d + 1].data();
    const uint64_t* h = compat(x);
    uint64_t algum = 0;
    for (int j = 0; j < nw; j++) algum |= filho[j] = p[j] & h[j];
    if (algum != 0) {
      if (graus_) passaAoRamo<W>(p, filho, -1);
      expande<W>(d + 1, tamanho + 1);
      if (graus_) passaAoRamo<W>(p, filho, 1);  // filho as it was: the branch undid its own
    } else if (tamanho + 1 > valor_) {
      registra(tamanho + 1);
    }
    if (parou_) {
      limiteAberto_ = std::max(limiteAberto_, tamanho + cor);
      break;
    }
    // Taken out of the later branches; at the root its mirror too, whose
    // subtree would hold the mirror image of every set of this one.
    if (graus_) {
      tira<W>(p, x);
      if (d == 0 && ajustes_.simetria && bits::testa(p, espelho(x))) tira<W>(p, espelho(x));
    } else {
      bits::desliga(p, x);
      if (d == 0 && ajustes_.simetria) bits::desliga(p, espelho(x));
    }
  }
  topoLista_ = base;
}

void BuscaExata::expandeDe(int d, int tamanho) {
  porLargura(w_, [&]<int W>() { expande<W>(d, tamanho); });
}

int BuscaExata::abreNo(int d, int& tamanho, std::vector<int>& lista, std::vector<int>& cor) {
  int m = -1;
  porLargura(w_, [&]<int W>() {
    if (!cabeca<W>(d, tamanho)) return;
    lista.resize(copias_);
    cor.resize(copias_);
    const int kmin = std::max(0, valor_ - tamanho);
    m = dinamica(d) ? colore<W, true>(candidatos_[d].data(), kmin, lista.data(), cor.data())
                    : colore<W, false>(candidatos_[d].data(), kmin, lista.data(), cor.data());
    lista.resize(m);
    cor.resize(m);
  });
  return m;
}

ResultadoExato BuscaExata::resolve(const std::vector<signed char>& inicial,
                                   const Prazo& prazo, int64_t noInicial,
                                   const Progresso& progresso, const Vigia* vigia) {
  prazo_ = prazo;
  noInicial_ = noInicial;
  progresso_ = &progresso;
  vigia_ = vigia != nullptr && vigia->quer && vigia->recebe ? vigia : nullptr;
  ultimoProgresso_ = Relogio::now() - std::chrono::seconds(1);  // the first look reports
  ultimaConsulta_ = Relogio::now();
  consultaACada_ = 1;
  ateConsulta_ = 0;
  nos_ = 0;
  noMelhor_ = 0;
  parou_ = false;
  limiteAberto_ = 0;
  melhor_.clear();
  for (int i = 0; i < n_; i++) {
    const int v = vertice_[i];
    if (static_cast<size_t>(v) < inicial.size() && inicial[v] >= 0) melhor_.push_back(copia(i, inicial[v]));
  }
  valor_ = static_cast<int>(melhor_.size());
  escolhidas_.assign(n_ + 1, 0);
  candidatos_.assign(2, std::vector<uint64_t>(w_, 0));
  for (int x = 0; x < copias_; x++) bits::liga(candidatos_[0].data(), x);
  topoLista_ = 0;

  ResultadoExato r;
  // The plain cover of every copy, then the least number of cliques below
  // which the refinements leave no candidate (searched by halving).
  lista_.resize(std::max<size_t>(lista_.size(), copias_));
  cor_.resize(lista_.size());
  const int mTodas = colore<0, false>(candidatos_[0].data(), 0, lista_.data(), cor_.data());
  const int cobertura = mTodas > 0 ? cor_[mTodas - 1] : 0;
  r.limitanteInicial = std::min(n_, cobertura);
  // (On a large graph each try costs as much as a node: none there.)
  int baixo = grande_ ? r.limitanteInicial : std::min(valor_, r.limitanteInicial);
  int alto = r.limitanteInicial;
  while (baixo < alto && !prazo_.passou()) {
    const int meio = (baixo + alto) / 2;
    if (colore<0, false>(candidatos_[0].data(), meio, lista_.data(), cor_.data()) == 0) alto = meio;
    else baixo = meio + 1;
  }
  r.limitanteRaiz = alto;
  limiteCorrente_ = alto;

  if (valor_ < alto && !prazo_.passou()) {
    const int linhas = n_ >= MINIMO_PARALELO ? ajustes_.paralelo : 1;
    contaGrausDe(0);
    if (linhas > 1) {
      nos_++;  // the root, coloured here and shared out
      raizEmParalelo(linhas, colore<0, false>(candidatos_[0].data(), valor_, lista_.data(), cor_.data()));
    } else {
      expandeDe(0, 0);
    }
  }
  else parou_ = valor_ < alto;

  r.lado.assign(n_, -1);
  for (const int x : melhor_) r.lado[vertice_[posicaoDa(x)]] = static_cast<signed char>(ladoDa(x));
  r.valor = valor_;
  r.completo = !parou_;
  r.limitante = r.completo ? valor_ : std::max(valor_, std::min(alto, limiteAberto_ > 0 ? limiteAberto_ : alto));
  r.nos = nos_;
  r.noMelhor = noMelhor_;
  progresso_ = nullptr;
  return r;
}

}  // namespace combinatorio
