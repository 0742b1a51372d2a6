// Node event callbacks.  (stub)
#include "search/busca.h"

void nodeOptimal(XPRSprob, void*, int*) {}
void varSelection(XPRSprob, void*, int*, int*, double*) {}
void nodeSelection(XPRSprob, void*, int*) {}
void nodeInfeasible(XPRSprob, void*) {}
void nodeCutoff(XPRSprob, void*, int) {}
