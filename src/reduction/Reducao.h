// Exact data reduction for the maximum balanced set: rules that put vertices
// in or out of some optimum, fold degree-two vertices into edges and solve
// small leaf blocks, leaving connected pieces for the exact search and what
// it takes to lift their solutions back to the input graph.
#ifndef BCT_REDUCTION_REDUCAO_H
#define BCT_REDUCTION_REDUCAO_H

#include <cstdint>
#include <utility>
#include <vector>

#include "base/relogio.h"
#include "graph/GrafoSimples.h"

struct Peca {                 // a piece left for the exact search
  GrafoSimples grafo;         // local vertices 0..k-1, connected
  std::vector<int> original;  // local vertex -> vertex of the input graph, ascending
};

class Reducao {
 public:
  // Applies the rules until none applies, or until the deadline: every
  // prefix of the work is exact, so stopping early only leaves bigger
  // pieces (a deadline already past leaves the connected components).
  explicit Reducao(const GrafoSimples& g, const Prazo& prazo = Prazo());

  // optimum(g) = valorFixo() + the sum of the pieces' optima.
  int valorFixo() const { return valorFixo_; }
  // Vertices the rules decided (taken or dropped); the others are in pieces.
  int verticesFixados() const { return fixados_; }
  const std::vector<Peca>& pecas() const { return pecas_; }
  // From a balanced set of each piece (escolhidos[i][local] != 0), a set of
  // input vertices, balanced in g, of valorFixo() plus the sizes of the
  // pieces' sets vertices.  Sets that do not match the pieces in number
  // or size throw std::invalid_argument.
  std::vector<char> reconstroi(const std::vector<std::vector<char>>& escolhidos) const;
  // Times each rule was applied, for reports: isolado, grau1 (one signed
  // edge), grau1Dupla (one double edge), grau2 (folded into an edge),
  // simplicial, cliqueDupla, dominacaoDupla, blocoCorteFica and
  // blocoCorteSai (a leaf block solved, its cut vertex kept or dropped),
  // componentePequena (a small component solved whole).
  std::vector<std::pair<const char*, int64_t>> contagens() const;

 private:
  friend class Redutor;

  enum Regra {
    isolado,
    grau1,
    grau1Dupla,
    grau2,
    simplicial,
    cliqueDupla,
    dominacaoDupla,
    blocoCorteFica,
    blocoCorteSai,
    componentePequena,
    numRegras
  };
  enum class Destino : signed char { peca, tomado, descartado, bloco };
  // Vertices solved with a small exact search: `comCorte` when the cut
  // vertex `corte` ends in the set, `semCorte` otherwise (corte -1: always).
  struct Bloco {
    int corte;
    std::vector<int> vertices;
    std::vector<char> comCorte, semCorte;
  };

  int valorFixo_ = 0;
  int fixados_ = 0;
  std::vector<Peca> pecas_;
  std::vector<Destino> destino_;  // by input vertex
  std::vector<Bloco> blocos_;     // in the order solved
  int64_t contagem_[numRegras] = {};
};

#endif
