// Shortest path for the separators.  The search of dijkstraS_T picks its next
// vertex by a scan in index order that keeps a vertex only when its label is
// below the running minimum by more than 1e-6; here the unsettled vertices
// sit in a set ordered by (label, index) and that scan is replayed over the
// few vertices that can affect its outcome:
//
// Let D be the least label.  The scan ends on a label within 1e-6 of D.  Take
// the labels upwards from D up to the first gap wider than 1e-6 beyond both
// the last one taken and D + 1e-6.  A label above the gap, when it is the
// running minimum, lets every label below the gap through, exactly as the
// initial running minimum (the cap) does; and once a label below the gap is
// kept, none above it can be.  So the scan over the labels below the gap,
// from the cap, ends on the vertex the full scan ends on.  Most often only
// the exact ties of D lie below the gap, and the set already holds them by
// index: the first one is the choice.
//
// With arc weights of at least pesoMinimo, no label set later can fall below
// D - count * max(0, -pesoMinimo): once that is not below the threshold,
// the target's final label cannot be either, and the search stops.
#include "separation/buscaLimitada.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

namespace {

const double TOLERANCIA = 1e-6;
enum : char { NAO_ALCANCADO, ABERTO, FECHADO };

// Kept between calls so that a warm search allocates little.
std::vector<double> rotulo;
std::vector<char> estado;
std::set<std::pair<double, int>> abertos;      // unsettled labelled vertices
std::vector<std::pair<int, double>> baixos;    // (vertex, label) below the gap

// The vertex the index-order scan from `cap` would choose, or -1.  `margem`
// covers the rounding of the sums the scan compares.
int escolhe(double cap, double margem) {
  if (abertos.empty()) return -1;
  const auto primeiro = abertos.begin();
  const double D = primeiro->first;
  const auto seguinte = abertos.upper_bound({D, INT_MAX});
  if (seguinte == abertos.end() || seguinte->first > (D + TOLERANCIA) + TOLERANCIA + margem)
    return cap > D + TOLERANCIA ? primeiro->second : -1;

  baixos.clear();
  double topo = D + TOLERANCIA;  // the larger of D + 1e-6 and the last label taken
  for (auto e = abertos.begin(); e != abertos.end(); ++e) {
    if (e->first > topo + TOLERANCIA + margem) break;
    baixos.push_back({e->second, e->first});
    topo = std::max(topo, e->first);
  }
  std::sort(baixos.begin(), baixos.end());
  double minimo = cap;
  int escolhido = -1;
  for (const auto& [v, d] : baixos) {
    if (minimo > d + TOLERANCIA) {
      minimo = d;
      escolhido = v;
    }
  }
  return escolhido;
}

}  // namespace

double dijkstraLimitado(int source, int target, nodo2** graph, int count, int* pred,
                        double bound, double limiar, double pesoMinimo) {
  const double cap = count * bound;
  const double margem = 1e-9 + std::fabs(cap) * 1e-15;
  const double folga = pesoMinimo < 0 ? count * -pesoMinimo + margem : 0.0;
  rotulo.assign(count, cap);
  estado.assign(count, NAO_ALCANCADO);
  abertos.clear();
  std::fill(pred, pred + count, -1);
  rotulo[source] = 0.0;
  estado[source] = ABERTO;
  abertos.insert({0.0, source});

  while (estado[target] != FECHADO) {
    if (!abertos.empty() && abertos.begin()->first - folga >= limiar)
      return abertos.begin()->first - folga;
    const int u = escolhe(cap, margem);
    if (u < 0) {
      rotulo[target] = 2.0 * count + 2;
      estado[target] = FECHADO;
      break;
    }
    const double du = rotulo[u];
    abertos.erase({du, u});
    estado[u] = FECHADO;
    for (nodo2* arco = graph[u]; arco != nullptr; arco = arco->prox) {
      const int v = arco->vertice;
      if (estado[v] == FECHADO || !(rotulo[v] > du + arco->peso + TOLERANCIA)) continue;
      if (estado[v] == ABERTO) abertos.erase({rotulo[v], v});
      rotulo[v] = du + arco->peso;
      pred[v] = u;
      estado[v] = ABERTO;
      abertos.insert({rotulo[v], v});
    }
  }
  return rotulo[target];
}
