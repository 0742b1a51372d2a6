// The signed graph the reduction rules change: vertices only die and edges
// only merge in, so a table of vertex pairs answers adjacency in constant
// time and lists keep their dead entries until the next scan drops them.
#ifndef BCT_REDUCTION_GRAFOMUTAVEL_H
#define BCT_REDUCTION_GRAFOMUTAVEL_H

#include <cstdint>
#include <vector>

#include "graph/GrafoSimples.h"

struct Ponta {  // one end of an edge as seen from a vertex
  int vizinho;
  int aresta;
};

class GrafoMutavel {
 public:
  explicit GrafoMutavel(const GrafoSimples& g);

  int numVertices() const { return static_cast<int>(vivo_.size()); }
  bool vivo(int v) const { return vivo_[v] != 0; }
  int grau(int v) const { return grau_[v]; }
  int duplas(int v) const { return duplas_[v]; }  // live double edges at v
  int sinalAresta(int aresta) const { return sinal_[aresta]; }
  int sinal(int u, int w) const;  // 0 when not adjacent or either is dead
  // The live neighbours of v (dead entries are dropped here).  Valid until
  // the graph changes.
  const std::vector<Ponta>& vizinhos(int v);
  // The live neighbours of v across double edges; the same validity.
  const std::vector<int>& vizinhosDuplos(int v);
  void remove(int v);
  // Joins live u and w by an edge of sign s (1 or -1), merged with the one
  // they have: the same sign stays, another makes it double.  Returns the
  // sign before (0: there was none).
  int junta(int u, int w, int s);

 private:
  // Open addressing over pairs u < w, to the edge number.
  class TabelaPares {
   public:
    void reserva(size_t pares);
    int busca(int u, int w) const;  // -1 when absent
    void insere(int u, int w, int aresta);

   private:
    static uint64_t chave(int u, int w);
    size_t posicao(uint64_t chave) const;
    std::vector<uint64_t> chave_;
    std::vector<int> aresta_;
    size_t usados_ = 0;
  };

  std::vector<char> vivo_;
  std::vector<int> grau_;
  std::vector<int> duplas_;
  std::vector<std::vector<Ponta>> lista_;
  std::vector<std::vector<int>> listaDupla_;  // double edges are few: their own lists
  std::vector<signed char> sinal_;  // by edge number
  TabelaPares pares_;
};

#endif
