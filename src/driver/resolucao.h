// One branch-and-cut solve of the graph store as it stands: the initial
// model, the optimizer with its controls and callbacks, the search, and what
// the report needs from it.
#ifndef BCT_DRIVER_RESOLUCAO_H
#define BCT_DRIVER_RESOLUCAO_H

#include <vector>

#include "graph/GrafoSimples.h"

struct ResultadoBusca {
  double zstar = -1e20;         // best value, -1e20 while none
  std::vector<char> escolhido;  // the best set, per vertex of the store
  int noMelhor = -1;            // node of the best solution
  unsigned long tiques = 0;     // clock ticks of the search
  long tiquesSeparacao = 0;     // of which in separation
  double limitante = 0;         // the optimizer's best bound (not yet adjusted)
  double relaxacao = 0, raiz = 0;  // first LP relaxation, last root LP
  bool raizResolvida = false;      // the root LP was solved (the two above are its)
  int cortes = 0, cortesCiclo = 0, cortesClique = 0, cortesIndSet = 0;
  int cortesGerais = 0;  // general-purpose cuts of the optimizer (-g)
  int linhasClique = 0, linhasCiclo = 0, linhasK1K2 = 0;  // initial model rows
  int nos = 0;
};

// Solves the store (nlin, gMat, gDup and counts filled from g) with the
// run's strategy.  `inicial`, when given, is a balanced set of the store handed to
// the search as its first incumbent (at node 0).  Every shared array is
// allocated and released here; the optimizer's problem stays in `prob`
// until the caller releases it.
ResultadoBusca resolveArmazem(const GrafoSimples& g, const std::vector<char>* inicial);

#endif
