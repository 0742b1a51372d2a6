// The rows a set breaks: its induced subgraph searched breadth-first from
// the lowest vertex of each component, every vertex given a side (a
// positive edge keeps it, a negative one changes it); an edge that closes
// with the wrong sides closes an odd negative cycle through the tree (all
// of it chosen, so sum x = |C| > |C| - 1), and a double edge inside the set
// breaks x_u + x_w <= 1.  The shortest cycles first, each in its order
// around the cycle.
#ifndef BCT_LAGRANGIAN_CICLOSDOCONJUNTO_H
#define BCT_LAGRANGIAN_CICLOSDOCONJUNTO_H

#include <vector>

#include "graph/GrafoSimples.h"

namespace lagrangiano {

struct Ciclo {
  std::vector<int> vertices;
  double rhs = 0;
};

class CiclosDoConjunto {
 public:
  explicit CiclosDoConjunto(const GrafoSimples& g);
  // At most `maximo` rows broken by the set (escolhido[v] != 0).
  std::vector<Ciclo> violados(const std::vector<char>& escolhido, int maximo);

 private:
  const GrafoSimples& g_;
  std::vector<int> pai_, profundidade_, fila_, caminhoDeVolta_;
  std::vector<signed char> lado_;
};

}  // namespace lagrangiano

#endif
