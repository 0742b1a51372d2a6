// The combinatorial engine on a whole signed graph: one exact search per
// connected component (the smallest first, while there is time), and their
// sets, bounds and counts added up.
#ifndef BCT_COMBINATORIAL_COMBINATORIO_H
#define BCT_COMBINATORIAL_COMBINATORIO_H

#include <cstdint>
#include <vector>

#include "combinatorial/BuscaExata.h"
#include "graph/GrafoSimples.h"

namespace combinatorio {

// `inicial`: sides of a balanced set of g (-1 out; empty for none), the
// first incumbent.  A component the deadline leaves unsearched keeps its part
// of that set and counts in the bound with its size.  Progress and the
// watch of the best set speak for the whole graph (see BuscaExata).
ResultadoExato resolveGrafo(const GrafoSimples& g, const std::vector<signed char>& inicial,
                            const Prazo& prazo, Ajustes ajustes = {},
                            const BuscaExata::Progresso& progresso = nullptr,
                            const BuscaExata::Vigia* vigia = nullptr);

// g's largest connected component (most vertices): what sizes the search's
// memory, and what decides whether the search suits the graph.
struct Componente {
  int vertices = 0;
  int64_t arestas = 0;
};
Componente maiorComponente(const GrafoSimples& g);

}  // namespace combinatorio

#endif
