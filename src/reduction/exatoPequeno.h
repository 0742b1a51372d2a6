// Exact maximum balanced set of a graph of at most 32 vertices: what the
// reduction uses to solve leaf blocks and small components outright.
#ifndef BCT_REDUCTION_EXATOPEQUENO_H
#define BCT_REDUCTION_EXATOPEQUENO_H

#include <vector>

#include "graph/GrafoSimples.h"

constexpr int MAX_VERTICES_EXATO = 32;

// Size of a largest balanced set of g (at most MAX_VERTICES_EXATO vertices)
// that holds `forcado` and leaves out `excluido` (-1: no such vertex; the
// two differ); `escolhido` receives one such set, one entry per vertex.
int equilibradoMaximoPequeno(const GrafoSimples& g, int forcado, int excluido,
                             std::vector<char>& escolhido);

#endif
