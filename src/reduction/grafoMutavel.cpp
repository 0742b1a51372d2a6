// The reduction's mutable graph and its table of vertex pairs.
#include "reduction/grafoMutavel.h"

#include <utility>

namespace {
constexpr uint64_t VAZIO = ~uint64_t{0};  // no pair of int vertices hashes to it
}

uint64_t GrafoMutavel::TabelaPares::chave(int u, int w) {
  if (u > w) std::swap(u, w);
  return (static_cast<uint64_t>(u) << 32) | static_cast<uint32_t>(w);
}

size_t GrafoMutavel::TabelaPares::posicao(uint64_t chave) const {
  // The splitmix64 finaliser: every key bit reaches the low bits kept.
  uint64_t h = chave + 0x9E3779B97F4A7C15ull;
  h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
  h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
  return static_cast<size_t>(h ^ (h >> 31)) & (chave_.size() - 1);
}

void GrafoMutavel::TabelaPares::reserva(size_t pares) {
  size_t tamanho = 16;
  while (tamanho < 2 * pares) tamanho *= 2;
  if (tamanho <= chave_.size()) return;
  std::vector<uint64_t> chaves = std::move(chave_);
  std::vector<int> arestas = std::move(aresta_);
  chave_.assign(tamanho, VAZIO);
  aresta_.assign(tamanho, -1);
  for (size_t i = 0; i < chaves.size(); i++) {
    if (chaves[i] == VAZIO) continue;
    size_t p = posicao(chaves[i]);
    while (chave_[p] != VAZIO) p = (p + 1) & (chave_.size() - 1);
    chave_[p] = chaves[i];
    aresta_[p] = arestas[i];
  }
}

int GrafoMutavel::TabelaPares::busca(int u, int w) const {
  const uint64_t k = chave(u, w);
  for (size_t p = posicao(k);; p = (p + 1) & (chave_.size() - 1)) {
    if (chave_[p] == k) return aresta_[p];
    if (chave_[p] == VAZIO) return -1;
  }
}

void GrafoMutavel::TabelaPares::insere(int u, int w, int aresta) {
  if (2 * (usados_ + 1) > chave_.size()) reserva(2 * (usados_ + 1));
  const uint64_t k = chave(u, w);
  size_t p = posicao(k);
  while (chave_[p] != VAZIO) p = (p + 1) & (chave_.size() - 1);
  chave_[p] = k;
  aresta_[p] = aresta;
  usados_++;
}

GrafoMutavel::GrafoMutavel(const GrafoSimples& g)
    : vivo_(static_cast<size_t>(g.numVertices()), 1),
      grau_(static_cast<size_t>(g.numVertices())),
      duplas_(static_cast<size_t>(g.numVertices()), 0),
      lista_(static_cast<size_t>(g.numVertices())),
      listaDupla_(static_cast<size_t>(g.numVertices())) {
  const int64_t m = g.numArestas();
  sinal_.reserve(static_cast<size_t>(m));
  pares_.reserva(static_cast<size_t>(m) + static_cast<size_t>(g.numVertices()) / 2);
  for (int v = 0; v < g.numVertices(); v++) {
    grau_[v] = g.grau(v);
    lista_[v].reserve(static_cast<size_t>(g.grau(v)));
  }
  for (int u = 0; u < g.numVertices(); u++) {
    const std::span<const int> viz = g.vizinhos(u);
    const std::span<const signed char> sin = g.sinais(u);
    for (size_t k = 0; k < viz.size(); k++) {
      const int w = viz[k];
      if (w < u) continue;  // each edge once, from its lower end
      const int e = static_cast<int>(sinal_.size());
      sinal_.push_back(sin[k]);
      lista_[u].push_back({w, e});
      lista_[w].push_back({u, e});
      pares_.insere(u, w, e);
      if (sin[k] == 2) {
        duplas_[u]++;
        duplas_[w]++;
        listaDupla_[u].push_back(w);
        listaDupla_[w].push_back(u);
      }
    }
  }
}

int GrafoMutavel::sinal(int u, int w) const {
  if (!vivo_[u] || !vivo_[w]) return 0;
  const int e = pares_.busca(u, w);
  return e < 0 ? 0 : sinal_[e];
}

const std::vector<Ponta>& GrafoMutavel::vizinhos(int v) {
  std::vector<Ponta>& l = lista_[v];
  if (static_cast<int>(l.size()) != grau_[v]) {
    size_t k = 0;
    for (const Ponta& p : l)
      if (vivo_[p.vizinho]) l[k++] = p;
    l.resize(k);
  }
  return l;
}

const std::vector<int>& GrafoMutavel::vizinhosDuplos(int v) {
  std::vector<int>& l = listaDupla_[v];
  if (static_cast<int>(l.size()) != duplas_[v])  // an edge once double stays double
    std::erase_if(l, [&](int w) { return !vivo_[w]; });
  return l;
}

void GrafoMutavel::remove(int v) {
  for (const Ponta& p : lista_[v])
    if (vivo_[p.vizinho]) {
      grau_[p.vizinho]--;
      if (sinal_[p.aresta] == 2) duplas_[p.vizinho]--;
    }
  vivo_[v] = 0;
  grau_[v] = 0;
  duplas_[v] = 0;
  std::vector<Ponta>().swap(lista_[v]);
  std::vector<int>().swap(listaDupla_[v]);
}

int GrafoMutavel::junta(int u, int w, int s) {
  const int e = pares_.busca(u, w);
  if (e >= 0) {
    const int antes = sinal_[e];
    if (antes != s && antes != 2) {
      sinal_[e] = 2;
      duplas_[u]++;
      duplas_[w]++;
      listaDupla_[u].push_back(w);
      listaDupla_[w].push_back(u);
    }
    return antes;
  }
  const int nova = static_cast<int>(sinal_.size());
  sinal_.push_back(static_cast<signed char>(s));
  lista_[u].push_back({w, nova});
  lista_[w].push_back({u, nova});
  grau_[u]++;
  grau_[w]++;
  pares_.insere(u, w, nova);
  return 0;
}
