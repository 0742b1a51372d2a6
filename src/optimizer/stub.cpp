// Optimizer entry points.  (stub)
#include "optimizer/xprs.h"
extern "C" {
int XPRSinit(const char*) { return 0; }
int XPRSfree(void) { return 0; }
int XPRScreateprob(XPRSprob* p) { if (p) *p = nullptr; return 0; }
int XPRSdestroyprob(XPRSprob) { return 0; }
int XPRSsetintcontrol(XPRSprob, int, int) { return 0; }
int XPRSsetdblcontrol(XPRSprob, int, double) { return 0; }
int XPRSgetintattrib(XPRSprob, int, int* v) { if (v) *v = 0; return 0; }
int XPRSgetdblattrib(XPRSprob, int, double* v) { if (v) *v = 0; return 0; }
int XPRSloadglobal(XPRSprob, const char*, int, int, const char*, const double*, const double*, const double*, const int*, const int*, const int*, const double*, const double*, const double*, int, int, const char*, const int*, const double*, const char*, const int*, const int*, const double*) { return 0; }
int XPRSaddrows(XPRSprob, int, int, const char*, const double*, const double*, const int*, const int*, const double*) { return 0; }
int XPRSmaxim(XPRSprob, const char*) { return 0; }
int XPRSgetpresolvesol(XPRSprob, double*, double*, double*, double*) { return 0; }
int XPRSstorecuts(XPRSprob, int, int, const int*, const char*, const double*, const int*, XPRScut*, const int*, const double*) { return 0; }
int XPRSloadcuts(XPRSprob, int, int, int, XPRScut*) { return 0; }
int XPRSgetcpcutlist(XPRSprob, int, int, double, int* n, int, XPRScut*, double*) { if (n) *n = 0; return 0; }
int XPRSgetcutlist(XPRSprob, int, int, int* n, int, XPRScut*) { if (n) *n = 0; return 0; }
int XPRSgetcutslack(XPRSprob, XPRScut, double* s) { if (s) *s = 0; return 0; }
int XPRSgetcpcuts(XPRSprob, const XPRScut*, int, int, int*, char*, int*, int*, double*, double*) { return 0; }
int XPRS_bo_create(XPRSbranchobject* b, XPRSprob, int) { if (b) *b = nullptr; return 0; }
int XPRS_bo_destroy(XPRSbranchobject) { return 0; }
int XPRS_bo_addbranches(XPRSbranchobject, int) { return 0; }
int XPRS_bo_addrows(XPRSbranchobject, int, int, int, const char*, const double*, const int*, const int*, const double*) { return 0; }
int XPRS_bo_setpriority(XPRSbranchobject, int) { return 0; }
int XPRSsetcbcutmgr(XPRSprob, XPRScbcutmgr, void*) { return 0; }
int XPRSsetcbintsol(XPRSprob, XPRScbintsol, void*) { return 0; }
int XPRSsetcboptnode(XPRSprob, XPRScboptnode, void*) { return 0; }
int XPRSsetcbchgbranch(XPRSprob, XPRScbchgbranch, void*) { return 0; }
int XPRSsetcbchgbranchobject(XPRSprob, XPRScbchgbranchobject, void*) { return 0; }
int XPRSsetcbchgnode(XPRSprob, XPRScbchgnode, void*) { return 0; }
int XPRSsetcbinfnode(XPRSprob, XPRScbinfnode, void*) { return 0; }
int XPRSsetcbnodecutoff(XPRSprob, XPRScbnodecutoff, void*) { return 0; }
}
