// The cut manager.  (stub)
#include "separation/cortes.h"

int ncortesIter = 0, itersep = 0, totsep = 0, totcuts = 0;
int totDesCicloCMenosOdd = 0, totDesClique = 0, totDesCicloCIndSet = 0;
int cut_time = 0;
double objval_relax = 0.0, objval_node1 = 0.0;

int Cortes(XPRSprob, void*) { return 0; }
