// The cut-manager callback and the separation statistics it keeps.
#ifndef BCT_SEPARATION_CORTES_H
#define BCT_SEPARATION_CORTES_H

#include "optimizer/xprs.h"

extern int ncortesIter;           // cuts of the current iteration
extern int itersep;               // iterations in a row that loaded cuts
extern int totsep;                // iterations of the run that loaded cuts
extern int totcuts;               // separated cuts stored in the run
extern int totDesCicloCMenosOdd;  // odd negative cycle cuts
extern int totDesClique;          // clique cuts
extern int totDesCicloCIndSet;    // cycle independent-set cuts
extern int cut_time;              // clock ticks spent separating
extern double objval_relax;       // first LP relaxation at the root
extern double objval_node1;       // last LP relaxation at the root

int Cortes(XPRSprob prob, void* object);

// The rules of one iteration, kept apart so that they can be checked alone.
// Values within 1e-6 of 0 or 1 become exactly 0 or 1.
void arredondaPonto(double* x, int n);
// Pool cuts to reload instead of separating: nViolados limited to 200 when it
// exceeds the run's average of cuts per loading iteration, else 0.
int cortesDoPool(int nViolados, int totcuts, int totsep);
// Loading iterations of a node's separation loop: at any node, and at the
// root of a reduced run (-r).
constexpr int RODADAS_POR_NO = 10;
constexpr int RODADAS_RAIZ_REDUZIDA = 50;
constexpr double CAUDA_DA_SEPARACAO = 0.05;  // a reduced run's tailing off below the root
// True when the separation loop of a node must stop after the cycle
// separator: `rodadas` loading iterations in a row, unless the point is
// integral and cycle cuts were still found.
bool paraSeparacao(int itersep, int nIntInf, int cortesCiclo, int rodadas = RODADAS_POR_NO);

#endif
