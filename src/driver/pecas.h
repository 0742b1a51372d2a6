// The reduced run (-r): exact reduction and decomposition of the instance, a
// first balanced set for every piece, one branch-and-cut per piece with the
// run's strategy, and the whole rebuilt on the input's vertices and checked
// before it is reported.
#ifndef BCT_DRIVER_PECAS_H
#define BCT_DRIVER_PECAS_H

#include <ctime>

#include "driver/relatorio.h"
#include "graph/GrafoSimples.h"
#include "reduction/Reducao.h"

class ExecucaoPorPecas {
 public:
  // Reduces the instance `entrada` (which must outlive it), prints what the
  // reduction did, and ends the run through the memory failure path, before
  // any file is written, when the largest piece cannot be searched.
  explicit ExecucaoPorPecas(const GrafoSimples& entrada);
  // Solves the pieces and fills the figures of `rel` beyond the instance
  // counts, which the caller has set.  Returns false when the rebuilt set
  // failed its final check (then no solution is reported).
  bool resolve(Relatorio& rel);

 private:
  clock_t inicio_;
  const GrafoSimples& grafo_;
  Reducao reducao_;
  int maior_ = -1;  // the largest piece, -1 when there is none
};

#endif
