// One solve by the combinatorial engine, with what the report needs in the
// same form as a branch-and-cut solve gives it.
#ifndef BCT_DRIVER_RESOLUCAOCOMBINATORIA_H
#define BCT_DRIVER_RESOLUCAOCOMBINATORIA_H

#include <vector>

#include "driver/resolucao.h"
#include "graph/GrafoSimples.h"

// Solves g within the run's deadline.  `inicial`, when given, is a balanced
// set of g, the first incumbent; otherwise the local search finds one when
// the strategy asks for the primal heuristic.  The two root values are the
// engine's: the plain clique-cover bound and the root's refined bound; there
// are no cuts nor model rows.
ResultadoBusca resolveCombinatorio(const GrafoSimples& g, const std::vector<char>* inicial);

// The rule of -a: the combinatorial engine when g's largest component has at
// most 120 vertices, or at least half of all possible edges and at most 5000
// vertices; the branch-and-cut otherwise.  Measured: the combinatorial engine
// proves every random graph of up to 100 vertices and the dense ones of 150
// and 200 within seconds, where the branch-and-cut's tree grows with the gap
// of its root bound; on larger sparse graphs (real networks, matrices,
// sparse random graphs) the linear bound is far the stronger.
bool combinatorioConvem(const GrafoSimples& g);

// Ends the run through the memory failure path, before any file is written,
// when the search over g's largest component cannot fit.
void exigeMemoriaCombinatoria(const GrafoSimples& g);

#endif
