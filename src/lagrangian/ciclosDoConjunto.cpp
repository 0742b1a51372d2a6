// Fundamental cycles of a set's breadth-first forest that close with the
// wrong sides (see ciclosDoConjunto.h).
#include "lagrangian/ciclosDoConjunto.h"

#include <algorithm>
#include <utility>

namespace lagrangiano {

CiclosDoConjunto::CiclosDoConjunto(const GrafoSimples& g)
    : g_(g), pai_(g.numVertices()), profundidade_(g.numVertices()), lado_(g.numVertices()) {
  fila_.reserve(g.numVertices());
}

std::vector<Ciclo> CiclosDoConjunto::violados(const std::vector<char>& escolhido, int maximo) {
  const int n = g_.numVertices();
  std::fill(pai_.begin(), pai_.end(), -2);
  for (int raiz = 0; raiz < n; raiz++) {
    if (!escolhido[raiz] || pai_[raiz] != -2) continue;
    pai_[raiz] = -1;
    profundidade_[raiz] = 0;
    lado_[raiz] = 0;
    fila_.assign(1, raiz);
    for (size_t k = 0; k < fila_.size(); k++) {
      const int u = fila_[k];
      const auto viz = g_.vizinhos(u);
      const auto sin = g_.sinais(u);
      for (size_t i = 0; i < viz.size(); i++) {
        const int w = viz[i];
        if (!escolhido[w] || pai_[w] != -2 || sin[i] == 2) continue;
        pai_[w] = u;
        profundidade_[w] = profundidade_[u] + 1;
        lado_[w] = static_cast<signed char>(sin[i] > 0 ? lado_[u] : 1 - lado_[u]);
        fila_.push_back(w);
      }
    }
  }
  // The broken edges, by the length of the cycle they close.
  std::vector<std::pair<int, std::pair<int, int>>> quebradas;
  for (int u = 0; u < n; u++) {
    if (!escolhido[u]) continue;
    const auto viz = g_.vizinhos(u);
    const auto sin = g_.sinais(u);
    for (size_t i = 0; i < viz.size(); i++) {
      const int w = viz[i];
      if (w <= u || !escolhido[w]) continue;
      if (sin[i] == 2) {
        quebradas.push_back({2, {u, w}});
        continue;
      }
      if ((sin[i] > 0) == (lado_[u] == lado_[w])) continue;
      int a = u, b = w, comprimento = 1;
      while (a != b) {
        if (profundidade_[a] >= profundidade_[b]) a = pai_[a];
        else b = pai_[b];
        comprimento++;
      }
      quebradas.push_back({comprimento, {u, w}});
    }
  }
  if (static_cast<int>(quebradas.size()) > maximo) {
    std::nth_element(quebradas.begin(), quebradas.begin() + maximo, quebradas.end());
    quebradas.resize(maximo);
  }
  std::vector<Ciclo> ciclos;
  ciclos.reserve(quebradas.size());
  for (const auto& [comprimento, aresta] : quebradas) {
    Ciclo c;
    int a = aresta.first, b = aresta.second;
    if (g_.sinal(a, b) == 2) {
      c.vertices = {a, b};
      c.rhs = 1;
    } else {
      // Up from u to the common ancestor, then down to w: the cycle's order.
      std::vector<int>& ida = c.vertices;
      caminhoDeVolta_.clear();
      while (a != b) {
        if (profundidade_[a] >= profundidade_[b]) {
          ida.push_back(a);
          a = pai_[a];
        } else {
          caminhoDeVolta_.push_back(b);
          b = pai_[b];
        }
      }
      c.vertices.push_back(a);
      c.vertices.insert(c.vertices.end(), caminhoDeVolta_.rbegin(), caminhoDeVolta_.rend());
      c.rhs = static_cast<double>(c.vertices.size()) - 1;
    }
    ciclos.push_back(std::move(c));
  }
  return ciclos;
}

}  // namespace lagrangiano
