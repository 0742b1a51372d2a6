// Sets from the low-rank primal: a random hyperplane through the rows of R
// gives each vertex its side, and the vertices are then taken by decreasing
// |r_v|^2 (Y_vv: how much the relaxation wants them) unless they clash with
// one taken before, so the set is balanced; the local search
// (BuscaLocal::melhora) grows it from there.
#ifndef BCT_SEMIDEFINITE_ARREDONDAMENTO_H
#define BCT_SEMIDEFINITE_ARREDONDAMENTO_H

#include <cstdint>
#include <vector>

#include "graph/GrafoSimples.h"

namespace semidefinida {

// fator: n x posto, row-major (Resultado::fator), n = g's vertices.
// Vertices with |r_v|^2 < limiar stay out.  Returns sides (-1 out).
std::vector<signed char> hiperplano(const GrafoSimples& g, const std::vector<double>& fator,
                                    int posto, uint64_t semente, double limiar);

}  // namespace semidefinida

#endif
