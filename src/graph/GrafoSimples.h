// The signed graph every stage works on, from the readers on: a simple graph
// in compressed adjacency arrays (no loops, at most one edge per pair,
// neighbours of each vertex ascending), in which repeated records of a pair
// merge into one edge (the same sign stays, opposite signs or a double
// record make a double edge), and, for a graph read from an instance, the
// records themselves as they were read.  Every balanced set of the records
// is a balanced set of the simple graph and back; the branch-and-cut builds
// its store from the records, so that a run follows its input record by
// record (repeated edges, positive loops, input order).
#ifndef BCT_GRAPH_GRAFOSIMPLES_H
#define BCT_GRAPH_GRAFOSIMPLES_H

#include <cstdint>
#include <span>
#include <vector>

struct ArestaSinal {  // one edge record
  int u, w;
  int sinal;  // 1 positive, -1 negative, 2 double
};

class GrafoSimples {
 public:
  GrafoSimples() = default;
  // Vertices 0..n-1 and edge records over them.  Loops are dropped: a
  // positive loop constrains nothing, and the readers refuse the others.
  GrafoSimples(int n, const std::vector<ArestaSinal>& arestas);
  // The same, keeping the records (an instance as read).
  static GrafoSimples deRegistros(int n, std::vector<ArestaSinal> registros);

  int numVertices() const { return static_cast<int>(inicio_.size()) - 1; }
  int64_t numArestas() const { return static_cast<int64_t>(vizinho_.size()) / 2; }
  int grau(int v) const { return static_cast<int>(inicio_[v + 1] - inicio_[v]); }
  std::span<const int> vizinhos(int v) const {
    return {vizinho_.data() + inicio_[v], static_cast<size_t>(grau(v))};
  }
  std::span<const signed char> sinais(int v) const {
    return {sinal_.data() + inicio_[v], static_cast<size_t>(grau(v))};
  }
  int sinal(int u, int w) const;             // 0 when u and w are not adjacent
  std::vector<ArestaSinal> arestas() const;  // every edge once, u < w, ascending
  // The records of a graph read from an instance, in input order; a graph
  // made from edges alone (a piece) has none kept and stands for them with
  // arestas().
  bool temRegistros() const { return temRegistros_; }
  const std::vector<ArestaSinal>& registros() const { return registros_; }
  // Records (or edges, when none are kept) and their signs, as the report
  // counts them.
  struct Contagem {
    int arestas = 0, negativas = 0, positivas = 0, duplas = 0;
  };
  Contagem contagem() const;

 private:
  std::vector<int64_t> inicio_{0};  // neighbours of v: inicio_[v] .. inicio_[v+1]-1
  std::vector<int> vizinho_;
  std::vector<signed char> sinal_;
  bool temRegistros_ = false;
  std::vector<ArestaSinal> registros_;
};

// Whether the chosen vertices (escolhido[v] != 0) induce a balanced subgraph:
// no double edge among them and two sides with every positive edge inside a
// side and every negative edge across.  When they do and `lados` is given, it
// receives a side for each chosen vertex (0 or 1; the lowest vertex of each
// component on side 0) and -1 for the others.
bool equilibrado(const GrafoSimples& g, const std::vector<char>& escolhido,
                 std::vector<signed char>* lados = nullptr);

#endif
