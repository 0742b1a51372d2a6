// The reduction's main loop and its split into pieces.
#include "reduction/redutor.h"

#include <algorithm>

Redutor::Redutor(const GrafoSimples& g, const Prazo& prazo, Reducao& saida)
    : g_(g), r_(saida), prazo_(prazo) {
  const size_t n = static_cast<size_t>(g.numVertices());
  r_.destino_.assign(n, Reducao::Destino::peca);
  naFila_.assign(n, 0);
  estavel_.assign(n, 0);
  ordem_.assign(n, -1);
  menor_.assign(n, 0);
  pai_.assign(n, -1);
  localBloco_.assign(n, -1);
  esgotado_ = prazo_.passou();
}

bool Redutor::prazoPassou() {
  // The clock is read now and then: one rule costs far less than a reading.
  if (!esgotado_ && ++passos_ % 32 == 0)
    esgotado_ = prazo_.passou();
  return esgotado_;
}

void Redutor::tocar(int v) {
  estavel_[v] = 0;
  if (!naFila_[v]) {
    naFila_[v] = 1;
    fila_.push_back(v);
  }
}

void Redutor::retira(int v, Reducao::Destino destino) {
  for (const Ponta& p : g_.vizinhos(v)) tocar(p.vizinho);
  g_.remove(v);
  r_.destino_[v] = destino;
  r_.fixados_++;
}

void Redutor::executa() {
  if (esgotado_) return;
  for (int v = g_.numVertices() - 1; v >= 0; v--) tocar(v);
  // Local rules to a fixed point, then a leaf-block pass over what changed;
  // the pass wakes the vertices around what it removes, and so on.
  do {
    while (!fila_.empty()) {
      if (prazoPassou()) return;
      const int v = fila_.back();
      fila_.pop_back();
      naFila_[v] = 0;
      if (g_.vivo(v)) aplicaRegrasLocais(v);
    }
  } while (passaBlocos() && !esgotado_);
}

void Redutor::separaPecas() {
  const int n = g_.numVertices();
  std::vector<int> local(static_cast<size_t>(n), -1);
  std::vector<int> membros;
  std::vector<ArestaSinal> arestas;
  for (int r = 0; r < n; r++) {
    if (!g_.vivo(r) || local[r] >= 0) continue;
    membros.assign(1, r);
    local[r] = 0;
    for (size_t i = 0; i < membros.size(); i++)
      for (const Ponta& p : g_.vizinhos(membros[i]))
        if (local[p.vizinho] < 0) {
          local[p.vizinho] = 0;
          membros.push_back(p.vizinho);
        }
    std::sort(membros.begin(), membros.end());
    for (size_t i = 0; i < membros.size(); i++) local[membros[i]] = static_cast<int>(i);
    arestas.clear();
    for (size_t i = 0; i < membros.size(); i++)
      for (const Ponta& p : g_.vizinhos(membros[i]))
        if (local[p.vizinho] > static_cast<int>(i))
          arestas.push_back({static_cast<int>(i), local[p.vizinho], g_.sinalAresta(p.aresta)});
    r_.pecas_.push_back({GrafoSimples(static_cast<int>(membros.size()), arestas), membros});
  }
}
