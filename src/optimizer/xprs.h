/* The optimizer's C interface: a 0/1 maximisation solved by depth-first
 * branch-and-bound over CLP, with the callbacks, cut pool and branching
 * objects the solver drives it through.  This header is all the rest of the
 * system sees of it.
 *
 * Every function returns 0 on success.  A failure returns XPRS_ERR (32) and
 * leaves a specific error number in integer attribute 1023; a null handle, an
 * index out of range or a bad count is such a failure, never a crash.
 *
 * Model.  Columns are binary ('B' in XPRSloadglobal) or continuous, rows are
 * 'L', 'G' or 'E', the objective is maximised.  XPRSaddrows appends rows after
 * the rows already loaded; added rows belong to the model, not to the pool.
 *
 * Search (XPRSmaxim with flags "g").  Runs on the calling thread until the
 * tree is exhausted or the time limit is hit.  The root LP is solved by the
 * primal simplex; every other node is warm-started from its parent's final
 * basis by the dual simplex.  Nodes are explored depth first (control 8026 =
 * 5; other values are accepted and mean the same).  At each node, after each
 * LP solve:
 *   1. LP infeasible: the infeasible-node callback, then the node is dropped.
 *   2. LP bound below the cut-off (control 7013): the cut-off callback with the
 *      node number, then the node is dropped.
 *   3. Otherwise the optimal-node callback, then the cut manager; while the
 *      cut manager returns 1 the LP is solved again and steps 1-3 repeat.
 *   4. An LP point integral on every binary column is a leaf: the optimizer
 *      records it as its own integer solution (attribute 2003), calls the
 *      integer-solution callback and does not branch.
 *   5. Otherwise it picks the branching column (the fractional binary column
 *      closest to 0.5, lowest index on ties), calls the branch-variable
 *      callback (direction 1 = up first), then the branching-object callback
 *      with its proposal; a replacement object returned there is branched on
 *      instead and owned (and freed) by the optimizer.  Children are explored
 *      in branch order: for the optimizer's own branch the up branch first.
 *   6. The node-selection callback with the number of the next node.
 * The best bound (attribute 2004) is the largest of the open nodes' bounds and
 * of every leaf value accepted, so it stays valid for everything pruned.
 *
 * Controls (XPRSsetintcontrol / XPRSsetdblcontrol):
 *   7012 additive cut-off tolerance, 7014 relative one: when the optimizer
 *        records its own solution of value z, the cut-off becomes
 *        z + 7012 + 7014 * |z| only if that is greater than the current one;
 *        with 7012 <= 0 it never prunes anything on its own... see the
 *        implementation notes for the exact rule.
 *   7013 absolute cut-off: nodes whose LP bound is below it are dropped.
 *   8020 time limit in seconds (|value|; 0 = none), CPU time when 8133 = 1.
 *   8004, 8006, 8011, 8021, 8028, 8078, 8138, 8147, 8154 accepted and stored.
 *
 * Attributes: see XPRS_* names below.
 */
#ifndef BCT_OPTIMIZER_XPRS_H
#define BCT_OPTIMIZER_XPRS_H

#ifdef __cplusplus
extern "C" {
#endif

typedef struct xo_prob_struct* XPRSprob;
typedef struct xo_cut_struct* XPRScut;
typedef struct xo_branchobject_struct* XPRSbranchobject;

#define XPRS_ERR 32 /* return code of every failed call */

/* Integer controls. */
#define XPRS_EXTRAROWS 8004
#define XPRS_EXTRAELEMS 8006
#define XPRS_PRESOLVE 8011
#define XPRS_MAXTIME 8020
#define XPRS_MAXMIPSOL 8021
#define XPRS_NODESELECTION 8026
#define XPRS_MIPPRESOLVE 8078
#define XPRS_CPUTIME 8133
#define XPRS_CUTSTRATEGY 8138
#define XPRS_SBBEST 8147
#define XPRS_HEURSTRATEGY 8154
/* Double controls. */
#define XPRS_MIPADDCUTOFF 7012
#define XPRS_MIPABSCUTOFF 7013
#define XPRS_MIPRELCUTOFF 7014
/* Integer attributes. */
#define XPRS_LPSTATUS 1010     /* node LP status: 1 optimal, 2 infeasible */
#define XPRS_MIPSTATUS 1011    /* 6 complete with a solution, 5 complete without,
                                  4 stopped with a solution, 3 stopped without */
#define XPRS_NODES 1013        /* in a callback: nodes finished before this one
                                  (0 at the root); after the search: nodes explored */
#define XPRS_NODEDEPTH 1014    /* root 1 */
#define XPRS_COLS 1018
#define XPRS_ERRORCODE 1023
#define XPRS_MIPINFEAS 1024    /* fractional binary columns at the LP point */
#define XPRS_CURRENTNODE 1248  /* node identifier: root 1, unique */
/* Double attributes. */
#define XPRS_LPOBJVAL 2001
#define XPRS_MIPOBJVAL 2003
#define XPRS_BESTBOUND 2004

/* Environment and problem. */
int XPRSinit(const char* path);
int XPRSfree(void);
int XPRScreateprob(XPRSprob* prob);
int XPRSdestroyprob(XPRSprob prob);

int XPRSsetintcontrol(XPRSprob prob, int control, int value);
int XPRSsetdblcontrol(XPRSprob prob, int control, double value);
int XPRSgetintattrib(XPRSprob prob, int attrib, int* value);
int XPRSgetdblattrib(XPRSprob prob, int attrib, double* value);

/* Loads the model column-wise.  mnel may be null (counts from mstart[j+1] -
 * mstart[j]); range, dlim and the five set arguments must be null or unused.
 * qgtype[i] is the type ('B') of column mgcols[i]. */
int XPRSloadglobal(XPRSprob prob, const char* probname, int ncols, int nrows,
                   const char* qrtype, const double* rhs, const double* range,
                   const double* obj, const int* mstart, const int* mnel,
                   const int* mrwind, const double* dmatval, const double* dlb,
                   const double* dub, int ngents, int nsets, const char* qgtype,
                   const int* mgcols, const double* dlim, const char* qstype,
                   const int* msstart, const int* mscols, const double* dref);

/* Appends nrows rows given row-wise (mstart has nrows + 1 entries). */
int XPRSaddrows(XPRSprob prob, int nrows, int ncoefs, const char* qrtype,
                const double* rhs, const double* range, const int* mstart,
                const int* mclind, const double* dmatval);

int XPRSmaxim(XPRSprob prob, const char* flags);

/* The current node's LP point in column order (in the integer-solution
 * callback: the solution).  slack, duals and djs may be null. */
int XPRSgetpresolvesol(XPRSprob prob, double* x, double* slack, double* duals,
                       double* djs);

/* Cut pool.  Stores ncuts cuts (row-wise, mstart with ncuts + 1 entries) with
 * their types and hands back their handles in mindex.  With nodupl = 1 a cut
 * equal to a stored one (type, sense, rhs and terms) gets the stored handle. */
int XPRSstorecuts(XPRSprob prob, int ncuts, int nodupl, const int* mtype,
                  const char* qrtype, const double* drhs, const int* mstart,
                  XPRScut* mindex, const int* mcols, const double* dmatval);
/* Makes pool cuts part of the current node's LP and its descendants' (a cut
 * already there is not added twice).  itype/interp are not used to filter. */
int XPRSloadcuts(XPRSprob prob, int itype, int interp, int ncuts,
                 XPRScut* mindex);
/* Pool cuts of type itype (interp -1: every type; 1: exactly itype) violated
 * by more than delta at the current LP point: up to size handles and
 * violations (dviol may be null); *ncuts is the full count. */
int XPRSgetcpcutlist(XPRSprob prob, int itype, int interp, double delta,
                     int* ncuts, int size, XPRScut* mcutind, double* dviol);
/* Cuts active in the current node's LP, filtered by type as above. */
int XPRSgetcutlist(XPRSprob prob, int itype, int interp, int* ncuts, int size,
                   XPRScut* mcutind);
/* rhs minus activity of a cut at the current LP point. */
int XPRSgetcutslack(XPRSprob prob, XPRScut cut, double* slack);
/* Rows of ncuts pool cuts; size is the room in mcols/dmatval.  mtype may be
 * null. */
int XPRSgetcpcuts(XPRSprob prob, const XPRScut* mindex, int ncuts, int size,
                  int* mtype, char* qrtype, int* mstart, int* mcols,
                  double* dmatval, double* drhs);

/* Branching objects. */
int XPRS_bo_create(XPRSbranchobject* bo, XPRSprob prob, int isoriginal);
int XPRS_bo_destroy(XPRSbranchobject bo);
int XPRS_bo_addbranches(XPRSbranchobject bo, int nbranches);
/* Adds nrows rows ('L', 'E' or 'G') to one branch. */
int XPRS_bo_addrows(XPRSbranchobject bo, int branch, int nrows, int nelems,
                    const char* qrtype, const double* rhs, const int* mstart,
                    const int* mclind, const double* dmatval);
int XPRS_bo_setpriority(XPRSbranchobject bo, int priority);

/* Callbacks, each registered with a user pointer handed back unchanged. */
typedef int (*XPRScbcutmgr)(XPRSprob prob, void* data);
typedef void (*XPRScbintsol)(XPRSprob prob, void* data);
typedef void (*XPRScboptnode)(XPRSprob prob, void* data, int* feasible);
typedef void (*XPRScbchgbranch)(XPRSprob prob, void* data, int* column,
                                int* up, double* estimate);
typedef int (*XPRScbchgbranchobject)(XPRSprob prob, void* data,
                                     XPRSbranchobject proposed,
                                     XPRSbranchobject* replacement);
typedef void (*XPRScbchgnode)(XPRSprob prob, void* data, int* node);
typedef void (*XPRScbinfnode)(XPRSprob prob, void* data);
typedef void (*XPRScbnodecutoff)(XPRSprob prob, void* data, int node);

int XPRSsetcbcutmgr(XPRSprob prob, XPRScbcutmgr f, void* data);
int XPRSsetcbintsol(XPRSprob prob, XPRScbintsol f, void* data);
int XPRSsetcboptnode(XPRSprob prob, XPRScboptnode f, void* data);
int XPRSsetcbchgbranch(XPRSprob prob, XPRScbchgbranch f, void* data);
int XPRSsetcbchgbranchobject(XPRSprob prob, XPRScbchgbranchobject f, void* data);
int XPRSsetcbchgnode(XPRSprob prob, XPRScbchgnode f, void* data);
int XPRSsetcbinfnode(XPRSprob prob, XPRScbinfnode f, void* data);
int XPRSsetcbnodecutoff(XPRSprob prob, XPRScbnodecutoff f, void* data);

#ifdef __cplusplus
}
#endif

#endif
