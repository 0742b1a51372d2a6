// The signed graph: building it from records, its counts, and the balance
// check of a chosen set.
#include "graph/GrafoSimples.h"

#include <algorithm>
#include <utility>

GrafoSimples::GrafoSimples(int n, const std::vector<ArestaSinal>& arestas) {
  // Both ends of every record, counted then placed (a counting sort by tail),
  // then each list sorted and its repeats merged in place.
  std::vector<int64_t> grau(static_cast<size_t>(n) + 1, 0);
  for (const ArestaSinal& a : arestas) {
    if (a.u == a.w) continue;
    grau[a.u]++;
    grau[a.w]++;
  }
  std::vector<int64_t> pos(static_cast<size_t>(n) + 1, 0);
  for (int v = 0; v < n; v++) pos[v + 1] = pos[v] + grau[v];
  std::vector<std::pair<int, signed char>> pontas(static_cast<size_t>(pos[n]));
  std::vector<int64_t> livre(pos.begin(), pos.end() - 1);
  for (const ArestaSinal& a : arestas) {
    if (a.u == a.w) continue;
    const signed char s = static_cast<signed char>(a.sinal);
    pontas[livre[a.u]++] = {a.w, s};
    pontas[livre[a.w]++] = {a.u, s};
  }
  inicio_.assign(static_cast<size_t>(n) + 1, 0);
  vizinho_.reserve(pontas.size());
  sinal_.reserve(pontas.size());
  for (int v = 0; v < n; v++) {
    auto b = pontas.begin() + pos[v], e = pontas.begin() + pos[v + 1];
    std::sort(b, e, [](const auto& x, const auto& y) { return x.first < y.first; });
    for (auto it = b; it != e; ++it) {
      if (!vizinho_.empty() && static_cast<int64_t>(vizinho_.size()) > inicio_[v] &&
          vizinho_.back() == it->first) {
        if (sinal_.back() != it->second) sinal_.back() = 2;
        continue;
      }
      vizinho_.push_back(it->first);
      sinal_.push_back(it->second);
    }
    inicio_[v + 1] = static_cast<int64_t>(vizinho_.size());
  }
}

GrafoSimples GrafoSimples::deRegistros(int n, std::vector<ArestaSinal> registros) {
  GrafoSimples g(n, registros);
  g.temRegistros_ = true;
  g.registros_ = std::move(registros);
  return g;
}

GrafoSimples::Contagem GrafoSimples::contagem() const {
  Contagem c;
  auto conta = [&c](const ArestaSinal& a) {
    c.arestas++;
    if (a.sinal == 2) c.duplas++;
    else if (a.sinal == -1) c.negativas++;
    else c.positivas++;
  };
  if (temRegistros_) {
    for (const ArestaSinal& a : registros_) conta(a);
  } else {
    for (const ArestaSinal& a : arestas()) conta(a);
  }
  return c;
}

int GrafoSimples::sinal(int u, int w) const {
  const std::span<const int> viz = vizinhos(u);
  const auto it = std::lower_bound(viz.begin(), viz.end(), w);
  if (it == viz.end() || *it != w) return 0;
  return sinais(u)[static_cast<size_t>(it - viz.begin())];
}

std::vector<ArestaSinal> GrafoSimples::arestas() const {
  std::vector<ArestaSinal> r;
  r.reserve(static_cast<size_t>(numArestas()));
  for (int u = 0; u < numVertices(); u++) {
    const std::span<const int> viz = vizinhos(u);
    const std::span<const signed char> sin = sinais(u);
    for (size_t k = 0; k < viz.size(); k++)
      if (u < viz[k]) r.push_back({u, viz[k], sin[k]});
  }
  return r;
}

bool equilibrado(const GrafoSimples& g, const std::vector<char>& escolhido,
                 std::vector<signed char>* lados) {
  const int n = g.numVertices();
  std::vector<signed char> lado(static_cast<size_t>(n), -1);
  std::vector<int> fila;
  for (int r = 0; r < n; r++) {
    if (!escolhido[r] || lado[r] != -1) continue;
    lado[r] = 0;
    fila.assign(1, r);
    for (size_t i = 0; i < fila.size(); i++) {
      const int u = fila[i];
      const std::span<const int> viz = g.vizinhos(u);
      const std::span<const signed char> sin = g.sinais(u);
      for (size_t k = 0; k < viz.size(); k++) {
        const int w = viz[k];
        if (!escolhido[w]) continue;
        if (sin[k] != 1 && sin[k] != -1) return false;
        const signed char exigido = sin[k] == 1 ? lado[u] : static_cast<signed char>(1 - lado[u]);
        if (lado[w] == -1) {
          lado[w] = exigido;
          fila.push_back(w);
        } else if (lado[w] != exigido) {
          return false;
        }
      }
    }
  }
  if (lados != nullptr) *lados = std::move(lado);
  return true;
}
