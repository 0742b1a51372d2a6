// Shortest path for the separators: dijkstraS_T's search, with savings that
// change nothing the separators read.
//
// Arcs: the search runs over a compact copy of the arcs it could ever relax,
// in list order, so it meets them in the order dijkstraS_T does and skips only
// arcs that would fail every relaxation test there (in the separators, the
// arcs weighted 2n, half or more of gDup).
//
// Stop: with arc weights of at least pesoMinimo, the target's final label is
// the length of its final predecessor walk.  Take the first vertex u of that
// walk not yet settled: its label is already final (its predecessor is
// settled), so the target ends at no less than label(u) + (its arc out, unless
// u is the target) + the rest of the walk, and the rest costs no less than
// -folga, folga = count * max(0, -pesoMinimo).  An open vertex whose label
// plus saida (the lightest arc out of it, or 0 when that is negative) minus
// folga is not below the threshold can thus never lead to a hit; once every
// open vertex is such, the target's label cannot end below the threshold and
// the search stops.  A walk from a vertex with no arc of its own into the
// target has two arcs or more, the last one into the target, so such a
// vertex also adds the lightest arc into the target (when not negative).  Most searches of a separation round end this way after
// settling a few vertices, since a vertex at x = 0 costs a whole unit to
// leave.  When the target does end below the threshold, some open vertex is
// always useful, so the search runs exactly as dijkstraS_T's.
//
// Choice of the next vertex: dijkstraS_T's scan in index order over the
// labelled, unsettled vertices.  Its result depends only on the near group
// (the least label and the labels chained above it at most 1e-6 apart, see
// dijkstra.cpp), and until the stop every near group lies below the threshold
// plus folga.  So vertices labelled at or above that (plus a margin) sleep
// outside the awake set: their labels and predecessors are kept exactly,
// and they join the set as soon as a relaxation brings them lower.  The
// awake vertices sit in a binary heap by (label, index), so the choice is
// read from its top: the near group, mostly one vertex or one exact label.
// A search with few awake vertices scans them in index order instead, and
// one over a small graph scans a bit set of them, as dijkstraS_T does.  Should
// a scanned label ever come within the tolerance of the sleepers' floor, they
// all join the list and the search goes on without sleepers.
//
// Quick search first: with no negative arc, a settled vertex whose label plus
// its lightest arc reaches the floor can only move sleepers, so it relaxes
// nothing (two thirds of the settled vertices in a separation round, most of
// them at x = 0).  The sleepers' labels may then differ from the full
// search's, which changes nothing awake as long as no relaxation tries a
// label within the tolerance under the floor (the only labels whose fate
// depends on a sleeper's exact label) and no wake-up of all sleepers is due.
// Should either happen, or the target be settled below the threshold (a hit
// must leave every predecessor exact), the search is done again in full.
//
// Cost: a search resets only the entries the previous one touched and never
// fills pred, so one that settles a few vertices costs a few arcs, not the
// vertex count.
#include "separation/buscaLimitada.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "separation/dijkstra.h"

namespace {

const double TOLERANCIA = 1e-6;
enum : char { NAO_ALCANCADO, ABERTO, DORMENTE, FECHADO };
// Answered by the quick search when it cannot answer: search again in full.
const double REFAZ = NAN;

// The heap keeps each label beside its vertex, so that sifting reads no
// other array.
struct Entrada {
  double rotulo;
  int v;
};

bool antes(const Entrada& a, const Entrada& b) {
  return a.rotulo < b.rotulo || (a.rotulo == b.rotulo && a.v < b.v);
}

// The state of one search at a time: each thread that searches keeps its own.
struct EstadoDaBusca {
  // Awake vertices scanned in index order before they move to a heap, and
  // the vertex count up to which a search keeps them as bits instead.
  int maxVarredura = 128;
  int maxContagemBits = 1024;
  // Kept between calls so that a warm search allocates nothing.  Between
  // searches every entry holds its reset value (label at the cap, unreached,
  // not useful) except those of the vertices in tocados, so a search resets
  // only what the one before it touched; a new count or cap resets all.
  std::vector<double> rotulo;
  std::vector<char> estado;
  std::vector<char> util;    // open and able to lead to a hit
  std::vector<int> tocados;  // labelled in the last search
  std::vector<char> ligadoAoAlvo;  // has an arc into the last search's target
  std::vector<int> ligados;
  int contagemReiniciada = -1;
  double capReiniciado = NAN;
  // Labelled, unsettled, awake vertices in a binary heap by (label, index),
  // lugar[v] the place of v there; the scan's choice is read from the near
  // group at its top (see dijkstra.cpp).
  std::vector<int> lugar;
  // The near group while it is one cluster: every awake vertex labelled at
  // most m0 + 1e-6 (m0 the least label), none above within 1e-6 of the
  // cluster's labels.  Then no label of the group is more than 1e-6 below
  // another, and the scan takes the group's lowest index.  The cluster is kept
  // in a min-heap by index as labels come and the picks leave, with an upper
  // bound maiorNoGrupo on its labels and a lower bound menorFora on the awake
  // labels outside it; it holds while menorFora > maiorNoGrupo + 1e-6, and is
  // gathered again only when that fails or a label drops under m0, not at
  // every pick (clusters of labels equal up to
  // rounding run to hundreds of vertices).
  bool grupoValido = false;
  double m0 = 0, maiorNoGrupo = 0, menorFora = 0;
  std::vector<int> proximos;
  std::vector<char> emProximos;
  std::vector<int> grupo, pilhaHeap;

  void desfazGrupo() {
    for (int v : proximos) emProximos[v] = 0;
    proximos.clear();
    grupoValido = false;
  }

  void entraNoGrupo(int v) {
    emProximos[v] = 1;
    proximos.push_back(v);
    std::push_heap(proximos.begin(), proximos.end(), std::greater<int>());
  }

  // The cluster learns of a new label at v.
  void notaRotulo(int v) {
    const double r = rotulo[v];
    if (r < m0) {
      desfazGrupo();
      return;
    }
    if (!(r > m0 + TOLERANCIA)) {
      if (!emProximos[v]) entraNoGrupo(v);
      if (r > maiorNoGrupo) maiorNoGrupo = r;
    } else if (r < menorFora) {
      menorFora = r;
    }
    if (!(menorFora > maiorNoGrupo + TOLERANCIA)) desfazGrupo();
  }

  std::vector<Entrada> heap;  // the heap of the awake vertices, see lugar

  // While a search has few awake vertices they are kept in index order and
  // scanned as dijkstraS_T does; past maxVarredura they move to the heap for
  // the rest of the search.
  std::vector<int> poucos;
  bool usaHeap = false;
  // A search over at most maxContagemBits vertices keeps its awake vertices
  // as bits instead and scans the words in index order, as dijkstraS_T does:
  // on small graphs that beats any ordered structure.  The bits are zero
  // between searches but at touched vertices.
  std::vector<uint64_t> bits;
  bool usaBits = false;

  void sobe(int p) {
    const Entrada e = heap[p];
    while (p > 0) {
      const int pai = (p - 1) / 2;
      if (!antes(e, heap[pai])) break;
      heap[p] = heap[pai];
      lugar[heap[p].v] = p;
      p = pai;
    }
    heap[p] = e;
    lugar[e.v] = p;
  }

  void desce(int p) {
    const Entrada e = heap[p];
    const int tam = static_cast<int>(heap.size());
    for (;;) {
      int f = 2 * p + 1;
      if (f >= tam) break;
      if (f + 1 < tam && antes(heap[f + 1], heap[f])) f++;
      if (!antes(heap[f], e)) break;
      heap[p] = heap[f];
      lugar[heap[p].v] = p;
      p = f;
    }
    heap[p] = e;
    lugar[e.v] = p;
  }

  // v wakes, or its label went down while awake.
  void poeNoHeap(int v, bool jaEsta) {
    if (usaBits) {
      bits[v >> 6] |= uint64_t{1} << (v & 63);
      return;
    }
    if (usaHeap) {
      paraOHeap(v, jaEsta);
      return;
    }
    if (jaEsta) return;
    poucos.insert(std::lower_bound(poucos.begin(), poucos.end(), v), v);
    if (static_cast<int>(poucos.size()) <= maxVarredura) return;
    usaHeap = true;
    for (int w : poucos) paraOHeap(w, false);
    poucos.clear();
  }

  void paraOHeap(int v, bool jaEsta) {
    if (grupoValido) notaRotulo(v);
    if (!jaEsta) {
      lugar[v] = static_cast<int>(heap.size());
      heap.push_back({rotulo[v], v});
    } else {
      heap[lugar[v]].rotulo = rotulo[v];
    }
    sobe(lugar[v]);
  }

  void tiraDoHeap(int v) {
    if (usaBits) {
      bits[v >> 6] &= ~(uint64_t{1} << (v & 63));
      return;
    }
    if (!usaHeap) {
      poucos.erase(std::lower_bound(poucos.begin(), poucos.end(), v));
      return;
    }
    const int p = lugar[v];
    const Entrada ultimo = heap.back();
    heap.pop_back();
    if (p == static_cast<int>(heap.size())) return;
    heap[p] = ultimo;
    lugar[ultimo.v] = p;
    sobe(p);
    desce(lugar[ultimo.v]);
  }

  void reinicia(int count, double cap) {
    // The last search's bits, set only at vertices it touched.
    if (usaBits)
      for (int v : tocados) bits[v >> 6] = 0;
    if (count != contagemReiniciada || !(cap == capReiniciado)) {
      rotulo.assign(count, cap);
      estado.assign(count, NAO_ALCANCADO);
      util.assign(count, 0);
      lugar.resize(count);
      ligadoAoAlvo.assign(count, 0);
      emProximos.assign(count, 0);
      proximos.clear();
      grupoValido = false;
      contagemReiniciada = count;
      capReiniciado = cap;
    } else {
      for (int v : tocados) {
        rotulo[v] = cap;
        estado[v] = NAO_ALCANCADO;
        util[v] = 0;
      }
      for (int v : ligados) ligadoAoAlvo[v] = 0;
    }
    ligados.clear();
    tocados.clear();
    heap.clear();
    poucos.clear();
    usaHeap = false;
    usaBits = count <= maxContagemBits;
    const size_t palavras = (static_cast<size_t>(count) + 63) / 64;
    if (usaBits && bits.size() < palavras) bits.resize(palavras, 0);
    desfazGrupo();
  }

  // Collects into grupo the heap's vertices labelled at most `limite`: they
  // sit in a subtree at the top, since no child is below its parent.
  void juntaAte(double limite) {
    grupo.clear();
    pilhaHeap.assign(1, 0);
    const int tam = static_cast<int>(heap.size());
    while (!pilhaHeap.empty()) {
      const int p = pilhaHeap.back();
      pilhaHeap.pop_back();
      if (heap[p].rotulo > limite) continue;
      grupo.push_back(heap[p].v);
      if (2 * p + 1 < tam) pilhaHeap.push_back(2 * p + 1);
      if (2 * p + 2 < tam) pilhaHeap.push_back(2 * p + 2);
    }
  }

  // Gathers the cluster from the top of the heap: the vertices labelled at
  // most m0 + 1e-6 form a subtree there (no child is below its parent), and
  // the least label outside it is among that subtree's other children.
  void montaGrupo() {
    desfazGrupo();
    m0 = maiorNoGrupo = heap[0].rotulo;
    menorFora = INFINITY;
    pilhaHeap.assign(1, 0);
    const int tam = static_cast<int>(heap.size());
    while (!pilhaHeap.empty()) {
      const int p = pilhaHeap.back();
      pilhaHeap.pop_back();
      const double r = heap[p].rotulo;
      if (r > m0 + TOLERANCIA) {
        if (r < menorFora) menorFora = r;
        continue;
      }
      emProximos[heap[p].v] = 1;
      proximos.push_back(heap[p].v);
      if (r > maiorNoGrupo) maiorNoGrupo = r;
      if (2 * p + 1 < tam) pilhaHeap.push_back(2 * p + 1);
      if (2 * p + 2 < tam) pilhaHeap.push_back(2 * p + 2);
    }
    std::make_heap(proximos.begin(), proximos.end(), std::greater<int>());
    grupoValido = menorFora > maiorNoGrupo + TOLERANCIA;
    if (!grupoValido) desfazGrupo();
  }

  // The vertex the index-order scan over the awake vertices picks, -1 when
  // none; a vertex of the cluster leaves it here.
  int escolhe(double cap, int count) {
    if (usaBits) {
      EscolhaDaVarredura escolha(cap);
      const int palavras = (count + 63) / 64;
      // Read through locals, so that the scan keeps them in registers.
      const uint64_t* palavra = bits.data();
      const double* r = rotulo.data();
      for (int p = 0; p < palavras; p++) {
        for (uint64_t b = palavra[p]; b != 0; b &= b - 1) {
          const int v = (p << 6) + __builtin_ctzll(b);
          escolha.ve(v, r[v]);
        }
      }
      return escolha.escolhido();
    }
    if (!usaHeap) {
      EscolhaDaVarredura escolha(cap);
      for (int v : poucos) escolha.ve(v, rotulo[v]);
      return escolha.escolhido();
    }
    if (heap.empty()) return -1;
    const double menor = heap[0].rotulo;
    if (grupoValido && menor != m0) {
      // The least label left the cluster; the rest is still all of it when
      // nothing outside comes within 1e-6 of the new least label.
      if (menor > m0 && menorFora > menor + TOLERANCIA) m0 = menor;
      else desfazGrupo();
    }
    if (!grupoValido) montaGrupo();
    if (grupoValido) {
      const int v = proximos.front();
      if (cap > rotulo[v] + TOLERANCIA) {
        std::pop_heap(proximos.begin(), proximos.end(), std::greater<int>());
        proximos.pop_back();
        emProximos[v] = 0;
        return v;
      }
      desfazGrupo();
    }

    // The near group: labels in ascending order while no gap exceeds the
    // tolerance, gathered up to a bound raised until the chain ends below it.
    double limite = menor + TOLERANCIA;
    size_t tamanho;
    for (;;) {
      juntaAte(limite);
      std::sort(grupo.begin(), grupo.end(), [this](int a, int b) {
        return rotulo[a] < rotulo[b] || (rotulo[a] == rotulo[b] && a < b);
      });
      double ultimo = menor;
      tamanho = 0;
      while (tamanho < grupo.size() && !(rotulo[grupo[tamanho]] > ultimo + TOLERANCIA))
        ultimo = rotulo[grupo[tamanho++]];
      if (tamanho < grupo.size() || !(ultimo + TOLERANCIA > limite)) break;
      limite = ultimo + TOLERANCIA;
    }
    grupo.resize(tamanho);
    std::sort(grupo.begin(), grupo.end());
    EscolhaDaVarredura escolha(cap);
    for (int v : grupo) escolha.ve(v, rotulo[v]);
    return escolha.escolhido();
  }

  // The search; with `rapido`, a settled vertex whose every arc leads to the
  // sleepers' floor or above relaxes nothing (see above), and any search that
  // would need the sleepers' exact labels, or that hits, answers REFAZ.
  double busca(int source, int target, const GrafoCompacto& g, int* pred, double limiar,
               bool rapido) {
    const int count = g.count;
    const double cap = count * g.bound;
    const double folga =
        g.pesoMinimo < 0 ? count * -g.pesoMinimo + 1e-9 + std::fabs(cap) * 1e-15 : 0.0;
    // Past 2 * count + 2 a stop could answer above the not-reached value.
    const bool corta = limiar <= 2.0 * count + 2;
    // Sleepers' floor: a label there has label - folga above the threshold.
    double piso = corta ? limiar + folga + 0.5 * TOLERANCIA : INFINITY;
    rapido = rapido && corta && g.pesoMinimo >= 0 && cap >= piso;
    reinicia(count, cap);
    pred[source] = -1;
    // An awake label within the tolerance of the floor could chain a near
    // group up to the sleepers: then they all wake before the next choice.
    bool rente = false;
    auto acorda = [&](int v) {
      estado[v] = ABERTO;
      poeNoHeap(v, false);
      if (!(rotulo[v] + TOLERANCIA < piso)) rente = true;
    };
    // The last arc of a walk into the target costs at least entrada, so a
    // vertex with no arc of its own into the target pays that too.
    double entrada = INFINITY;
    for (int a = g.inicioEntrada[target]; a < g.inicioEntrada[target + 1]; a++) {
      entrada = std::min(entrada, g.pesoEntrada[a]);
      if (!ligadoAoAlvo[g.cauda[a]]) {
        ligadoAoAlvo[g.cauda[a]] = 1;
        ligados.push_back(g.cauda[a]);
      }
    }
    entrada = std::max(0.0, entrada);
    auto serveria = [&](int v) -> char {
      const double extra = v == target ? 0.0 : g.saida[v] + (ligadoAoAlvo[v] ? 0.0 : entrada);
      return rotulo[v] + extra - folga < limiar;
    };
    rotulo[source] = 0.0;
    tocados.push_back(source);
    acorda(source);
    int uteis = util[source] = serveria(source);

    for (;;) {
      if (corta && uteis == 0) return limiar;
      if (rente) {
        if (rapido) return REFAZ;
        piso = INFINITY;
        rente = false;
        // Every sleeper was labelled, so the touched list holds them all.
        for (int v : tocados)
          if (estado[v] == DORMENTE) acorda(v);
      }
      // dijkstraS_T's scan, in index order over the awake open vertices.
      const int u = escolhe(cap, count);
      if (u < 0) return 2.0 * count + 2;
      tiraDoHeap(u);
      estado[u] = FECHADO;
      uteis -= util[u];
      const double du = rotulo[u];
      // A settled label fails every relaxation test below.
      rotulo[u] = -INFINITY;
      if (u == target) {
        if (rapido) return du < limiar ? REFAZ : du;  // a hit needs every predecessor
      } else if (rapido && du + g.saida[u] >= piso) {
        continue;
      }
      for (int a = g.inicio[u]; a < g.inicio[u + 1]; a++) {
        const int v = g.cabeca[a];
        if (rapido && (estado[v] == NAO_ALCANCADO || estado[v] == DORMENTE)) {
          // Sleepers' labels may differ from the full search's, which decides
          // nothing unless the new label falls within the tolerance under the
          // floor.
          const double novo = du + g.peso[a];
          if (novo < piso && !(novo + TOLERANCIA < piso)) return REFAZ;
        }
        if (!(rotulo[v] > du + g.peso[a] + TOLERANCIA)) continue;
        if (estado[v] == NAO_ALCANCADO) tocados.push_back(v);
        rotulo[v] = du + g.peso[a];
        pred[v] = u;
        if (estado[v] == ABERTO) {
          poeNoHeap(v, true);
        } else {
          if (rotulo[v] < piso)
            acorda(v);
          else
            estado[v] = DORMENTE;
        }
        const char agora = serveria(v);
        uteis += agora - util[v];
        util[v] = agora;
      }
      if (u == target) return du;
    }
  }
};

}  // namespace

// Local to this file, so that the compiler may inline what is called once.
struct BuscadorLimitado::Estado : EstadoDaBusca {};

void compactaGrafo(nodo2** graph, int count, double bound, double pesoMinimo, GrafoCompacto& g) {
  g.count = count;
  g.bound = bound;
  g.pesoMinimo = pesoMinimo;
  const double cap = count * bound;
  // Every label is at least this, so an arc of weight w with
  // piso + w >= cap can never pass the test label(v) > label(u) + w + 1e-6
  // against a label that starts at the cap.
  const double piso = pesoMinimo < 0 ? count * pesoMinimo - (1e-9 + std::fabs(cap) * 1e-15) : 0.0;
  g.inicio.assign(static_cast<size_t>(count) + 1, 0);
  g.saida.assign(static_cast<size_t>(count), INFINITY);
  g.cabeca.clear();
  g.peso.clear();
  for (int u = 0; u < count; u++) {
    g.inicio[u] = static_cast<int>(g.cabeca.size());
    for (nodo2* arco = graph[u]; arco != nullptr; arco = arco->prox) {
      if (piso + arco->peso >= cap) continue;
      g.cabeca.push_back(arco->vertice);
      g.peso.push_back(arco->peso);
      g.saida[u] = std::min(g.saida[u], std::max(0.0, arco->peso));
    }
  }
  g.inicio[count] = static_cast<int>(g.cabeca.size());
  g.inicioEntrada.assign(static_cast<size_t>(count) + 1, 0);
  for (int v : g.cabeca) g.inicioEntrada[v + 1]++;
  for (int v = 0; v < count; v++) g.inicioEntrada[v + 1] += g.inicioEntrada[v];
  g.cauda.resize(g.cabeca.size());
  g.pesoEntrada.resize(g.cabeca.size());
  std::vector<int>& livre = g.proximaEntrada;
  livre.assign(g.inicioEntrada.begin(), g.inicioEntrada.end() - 1);
  for (int u = 0; u < count; u++) {
    for (int a = g.inicio[u]; a < g.inicio[u + 1]; a++) {
      const int p = livre[g.cabeca[a]]++;
      g.cauda[p] = u;
      g.pesoEntrada[p] = g.peso[a];
    }
  }
}

BuscadorLimitado::BuscadorLimitado(int maxVarredura, int maxContagemBits)
    : estado_(std::make_unique<Estado>()) {
  estado_->maxVarredura = maxVarredura;
  estado_->maxContagemBits = maxContagemBits;
}

BuscadorLimitado::~BuscadorLimitado() = default;

double BuscadorLimitado::busca(int source, int target, const GrafoCompacto& g, int* pred,
                            double limiar) {
  const double L = estado_->busca(source, target, g, pred, limiar, true);
  return std::isnan(L) ? estado_->busca(source, target, g, pred, limiar, false) : L;
}
