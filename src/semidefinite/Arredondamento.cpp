// Random-hyperplane rounding of the low-rank primal.
#include "semidefinite/Arredondamento.h"

#include <algorithm>
#include <random>

namespace semidefinida {

std::vector<signed char> hiperplano(const GrafoSimples& g, const std::vector<double>& fator,
                                    int posto, uint64_t semente, double limiar) {
  const int n = g.numVertices();
  std::mt19937_64 rng(semente);
  std::normal_distribution<double> N(0, 1);
  std::vector<double> h(static_cast<size_t>(posto)), x(static_cast<size_t>(n));
  for (double& c : h) c = N(rng);
  std::vector<signed char> quer(static_cast<size_t>(n)), lado(static_cast<size_t>(n), -1);
  std::vector<int> ordem;
  for (int v = 0; v < n; v++) {
    double p = 0, q = 0;
    for (int j = 0; j < posto; j++) {
      const double a = fator[static_cast<size_t>(v) * posto + j];
      p += a * h[j];
      q += a * a;
    }
    x[v] = q;
    quer[v] = p >= 0 ? 0 : 1;
    if (q >= limiar) ordem.push_back(v);
  }
  std::stable_sort(ordem.begin(), ordem.end(), [&](int a, int b) { return x[a] > x[b]; });
  for (const int v : ordem) {
    bool cabe = true;
    const auto viz = g.vizinhos(v);
    const auto sin = g.sinais(v);
    for (size_t t = 0; t < viz.size() && cabe; t++) {
      const int l = lado[viz[t]];
      if (l < 0) continue;
      cabe = sin[t] != 2 && (sin[t] == 1) == (l == quer[v]);
    }
    if (cabe) lado[v] = quer[v];
  }
  return lado;
}

}  // namespace semidefinida
