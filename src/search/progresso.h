// Progress lines on standard error while the search runs: elapsed time,
// nodes, open nodes, best value, bound and gap, every few seconds and when
// the best value improves.  Standard output never sees them.
#ifndef BCT_SEARCH_PROGRESSO_H
#define BCT_SEARCH_PROGRESSO_H

#include "optimizer/xprs.h"

// What the rest of a reduced instance adds to the piece being searched: the
// value of its sets and a bound on them (both 0 for a whole instance).
void progressoFora(double valor, double limitante);

// Called from the search's clock checks; writes a line when one is due.
void relataProgresso(XPRSprob prob);
// The same from the combinatorial search: the nodes on its path stand for
// the open ones.
void relataProgressoCombinatorio(long long nos, long long abertos, double valor, double limitante);

#endif
