// Three-way branching on tight cycle cuts.  (stub)
#include "search/busca.h"

int cbChangeBranchObject(XPRSprob, void*, XPRSbranchobject, XPRSbranchobject* r) { if (r) *r = nullptr; return 0; }
