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

#endif
