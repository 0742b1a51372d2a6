// Shortest path in the doubled graph: label setting with a 1e-6 tolerance in
// every comparison, a cap of count*bound on path length, and an early stop
// once the target is settled.
//
// The next vertex to settle is defined by a scan of the unsettled vertices in
// index order with a running minimum that starts at the cap and moves only
// when a label lies more than the tolerance below it.  The scan's choice
// depends only on the "near group": the smallest label and every label that
// follows it in ascending order with no gap above the tolerance.  A label
// beyond that group lies more than the tolerance above all of the group, so
// the first group member the scan meets replaces it, and it never replaces a
// group member.  So the open vertices are kept ordered by (label, index): when
// the group is one label the choice is its lowest index, and otherwise the
// scan rule runs over the group alone.  Unreached vertices hold the cap
// itself and can never be chosen.
#include "separation/dijkstra.h"

#include <algorithm>
#include <climits>
#include <memory_resource>
#include <set>
#include <utility>
#include <vector>

namespace {
const double TOLERANCIA = 1e-6;

// One search's labels and open vertices (the separators' searches, which
// run at every node, are buscaLimitada's; this one is their reference).
struct Estado {
  std::vector<double> rotulo;
  std::vector<char> fechado;
  std::pmr::unsynchronized_pool_resource reserva;
  std::pmr::set<std::pair<double, int>> abertos{&reserva};  // labelled, unsettled
  std::vector<int> grupo;

  int escolhe(double cap);
};

int Estado::escolhe(double cap) {
  if (abertos.empty()) return -1;
  const auto primeiro = abertos.begin();
  const double menor = primeiro->first;
  const auto seguinte = abertos.lower_bound({menor, INT_MAX});
  if (seguinte == abertos.end() || seguinte->first > menor + TOLERANCIA)
    return cap > menor + TOLERANCIA ? primeiro->second : -1;

  grupo.clear();
  double ultimo = menor;
  for (auto it = primeiro; it != abertos.end() && !(it->first > ultimo + TOLERANCIA); ++it) {
    grupo.push_back(it->second);
    ultimo = it->first;
  }
  std::sort(grupo.begin(), grupo.end());
  EscolhaDaVarredura escolha(cap);
  for (int v : grupo) escolha.ve(v, rotulo[v]);
  return escolha.escolhido();
}
}  // namespace

double dijkstraS_T(int source, int target, nodo2** graph, int count, int* pred, double bound) {
  Estado e;
  std::vector<double>& rotulo = e.rotulo;
  std::vector<char>& fechado = e.fechado;
  auto& abertos = e.abertos;
  const double cap = count * bound;
  rotulo.assign(count, cap);
  fechado.assign(count, 0);
  abertos.clear();
  std::fill(pred, pred + count, -1);
  rotulo[source] = 0.0;
  abertos.insert({0.0, source});

  while (!fechado[target]) {
    const int u = e.escolhe(cap);
    if (u < 0) {
      rotulo[target] = 2.0 * count + 2;
      fechado[target] = 1;
      break;
    }
    abertos.erase({rotulo[u], u});
    fechado[u] = 1;
    const double du = rotulo[u];
    for (nodo2* arco = graph[u]; arco != nullptr; arco = arco->prox) {
      const int v = arco->vertice;
      if (fechado[v] || !(rotulo[v] > du + arco->peso + TOLERANCIA)) continue;
      abertos.erase({rotulo[v], v});  // when it is there already
      rotulo[v] = du + arco->peso;
      pred[v] = u;
      abertos.insert({rotulo[v], v});
    }
  }
  return rotulo[target];
}
