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
// the search stops.  Most searches of a separation round end this way after
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
// awake set is ordered by (label, index), so the choice is read from its
// front: the near group, mostly one vertex or one exact label.  Should
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
#include <climits>
#include <cmath>
#include <memory_resource>
#include <set>
#include <utility>
#include <vector>

namespace {

const double TOLERANCIA = 1e-6;
enum : char { NAO_ALCANCADO, ABERTO, DORMENTE, FECHADO };

// Kept between calls so that a warm search allocates nothing.  Between
// searches every entry holds its reset value (label at the cap, unreached,
// not useful) except those of the vertices in tocados, so a search resets
// only what the one before it touched; a new count or cap resets all.
std::vector<double> rotulo;
std::vector<char> estado;
std::vector<char> util;    // open and able to lead to a hit
std::vector<int> tocados;  // labelled in the last search
int contagemReiniciada = -1;
double capReiniciado = NAN;
// Labelled, unsettled, awake vertices by (label, index): the scan's choice
// is read from the near group at the front (see dijkstra.cpp).
std::pmr::unsynchronized_pool_resource reserva;
std::pmr::set<std::pair<double, int>> acordados{&reserva};
std::vector<int> grupo;

void reinicia(int count, double cap) {
  if (count != contagemReiniciada || !(cap == capReiniciado)) {
    rotulo.assign(count, cap);
    estado.assign(count, NAO_ALCANCADO);
    util.assign(count, 0);
    contagemReiniciada = count;
    capReiniciado = cap;
  } else {
    for (int v : tocados) {
      rotulo[v] = cap;
      estado[v] = NAO_ALCANCADO;
      util[v] = 0;
    }
  }
  tocados.clear();
  acordados.clear();
}

// The vertex the index-order scan over the awake vertices picks, -1 when
// none: the least (label, index) when no other label lies within the
// tolerance above the least, else the scan rule over the near group alone.
int escolhe(double cap) {
  if (acordados.empty()) return -1;
  const auto primeiro = acordados.begin();
  const double menor = primeiro->first;
  const auto seguinte = acordados.lower_bound({menor, INT_MAX});
  if (seguinte == acordados.end() || seguinte->first > menor + TOLERANCIA)
    return cap > menor + TOLERANCIA ? primeiro->second : -1;

  grupo.clear();
  double ultimo = menor;
  for (auto it = primeiro; it != acordados.end() && !(it->first > ultimo + TOLERANCIA); ++it) {
    grupo.push_back(it->second);
    ultimo = it->first;
  }
  std::sort(grupo.begin(), grupo.end());
  double minimo = cap;
  int escolhido = -1;
  for (int v : grupo) {
    if (minimo > rotulo[v] + TOLERANCIA) {
      minimo = rotulo[v];
      escolhido = v;
    }
  }
  return escolhido;
}

}  // namespace

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
}

namespace {

// Answered by the quick search when it cannot answer: search again in full.
const double REFAZ = NAN;

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
    acordados.insert({rotulo[v], v});
    if (!(rotulo[v] + TOLERANCIA < piso)) rente = true;
  };
  auto serveria = [&](int v) -> char {
    const double extra = v == target ? 0.0 : g.saida[v];
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
    const int u = escolhe(cap);
    if (u < 0) return 2.0 * count + 2;
    acordados.erase({rotulo[u], u});
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
      if (estado[v] == ABERTO) acordados.erase({rotulo[v], v});
      else if (estado[v] == NAO_ALCANCADO) tocados.push_back(v);
      rotulo[v] = du + g.peso[a];
      pred[v] = u;
      if (estado[v] == ABERTO) {
        acordados.insert({rotulo[v], v});
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

}  // namespace

double dijkstraLimitado(int source, int target, const GrafoCompacto& g, int* pred,
                        double limiar) {
  const double L = busca(source, target, g, pred, limiar, true);
  return std::isnan(L) ? busca(source, target, g, pred, limiar, false) : L;
}
