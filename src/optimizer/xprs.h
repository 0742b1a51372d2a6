/* The optimizer's C interface: a 0/1 maximisation solved by
 * branch-and-bound over CLP, with the callbacks, cut pool and branching
 * objects the solver drives it through.  This header is all the rest of the
 * system sees of it.
 *
 * Every function returns 0 on success.  A failure returns XPRS_ERR (32) and
 * leaves a specific error number (XPRS_ERRNO_*) in integer attribute 1023 of
 * the problem; a null or dead handle, an index out of range or a bad count is
 * such a failure, never a crash.  Nothing is printed, ever.
 *
 * Model.  Columns are binary ('B' in XPRSloadglobal) or continuous, rows are
 * 'L', 'G', 'E' (also 'R' with a range and 'N' when loaded or added), the
 * objective is maximised.  XPRSaddrows appends rows after the rows already
 * loaded, in the order given; added rows belong to the model, not to the
 * pool.  Neither may be called during a search.  A row may not name a
 * column twice.
 *
 * Search (XPRSmaxim with flags containing 'g'; without 'g' only the LP
 * relaxation is solved, with no callbacks).  Runs on the calling thread until
 * the tree is exhausted or the time limit is hit.  The root LP is solved by
 * the primal simplex; every other node starts from its parent's final basis
 * (new rows basic) and is solved by the dual simplex, which may stop early
 * once the node's bound is sure to be below the cut-off.  No presolve; column
 * and model-row order are kept.  Nodes are explored depth first (control
 * 8026, XPRS_NODESELECTION, any value but 2).  With 2, once XPRS_DEPTHFIRSTNODES
 * nodes are done, a dive that ends (a node that made no children) is
 * followed by the open node of the largest rounded inherited bound, of
 * those tied the one nearest the top of the stack; while the open nodes'
 * LP states would take more than about 1 GB, depth first again.  Either
 * way the node-selection callback may then name another.  At each node, after
 * each LP solve:
 *   1. LP infeasible: the infeasible-node callback, then the node is dropped.
 *   2. LP bound below the cut-off (control 7013, read afresh at every test,
 *      so callbacks may change it at any time): the cut-off callback with the
 *      node's identifier, then the node is dropped.
 *   3. Otherwise the optimal-node callback (setting *feasible to 0 drops the
 *      node with no further callback), then the cut manager.  If cuts were
 *      loaded into the node since the solve, the LP is solved again and
 *      steps 1-3 repeat; the cut manager's return value is not needed for
 *      that (one that returns 1 without loading anything ends the loop, which
 *      would otherwise never end).
 *   4. The bound is tested against the cut-off again (callbacks may have
 *      raised it): below it, as in 2.
 *   5. An LP point integral (within 1e-6) on every binary column is a leaf:
 *      the optimizer records it, binaries rounded, as its own integer
 *      solution (attribute 2003 is the best value recorded), applies its
 *      cut-off rule (7012/7014 below), calls the integer-solution callback
 *      (inside it XPRSgetpresolvesol gives that solution and attribute 2001
 *      its LP value) and does not branch.
 *   6. Otherwise it picks the branching column: the binary column whose value
 *      is closest to 0.5, lowest index on ties.  It calls the branch-variable
 *      callback (column, direction 1 = up first, estimate = distance to the
 *      nearest integer times |objective coefficient|; a replacement column is
 *      used if it is a binary column with a fractional value), then the
 *      branching-object callback with its proposal: two branches, the
 *      preferred direction first (up: lower bound 1; down: upper bound 0).
 *      A replacement object returned there (live, created for this problem,
 *      at least one branch) is branched on instead; either way the optimizer
 *      owns and frees the object handed back.  Callback return values are
 *      ignored.  Each branch makes one child; a branch's bound changes and
 *      rows ('L', 'E' or 'G') belong to that child's LP and all its
 *      descendants'.  Children are explored in branch order (branch 0 first)
 *      and get consecutive identifiers in that order.  Inside the
 *      branching-object callback XPRS_bo_strongbranch may try the branches
 *      of any object on the node's LP first.  Reduced-cost fixing:
 *      a binary column at a bound of the node's final LP whose reduced cost
 *      says that moving it to its other bound would leave the LP bound
 *      below the cut-off keeps its bound in every child; what that removes
 *      counts in the best bound as a node dropped by the cut-off would.
 *   7. Before each node but the root, open nodes on top of the stack whose
 *      inherited bound is below the cut-off are dropped unsolved (cut-off
 *      callback each), then the node-selection callback gets the identifier of
 *      the next node; setting it to another open node's identifier explores
 *      that one next.
 * Node numbers: attribute 1013 counts the nodes finished (dropped, leaf or
 * branched) before the current one, so the root is 0; attribute 1248 is the
 * node's identifier (root 1, unique); the cut-off and node-selection callbacks
 * receive identifiers.  After the search 1013 is the number of nodes
 * finished.
 *
 * Time limit: control 8020, |value| seconds (0: none), CPU time of the
 * process when 8133 is 1, wall-clock time otherwise.  It is tested before
 * every LP solve, together with the check-time callback (XPRSsetcbchecktime),
 * whose non-zero answer stops the search the same way; when hit, the current
 * node stays open and the search returns 0 with MIP status 4 or 3.
 *
 * Best bound (double attribute 2004): the largest of the bounds of the open
 * nodes (an open node's bound is its parent's LP bound, the current node's
 * its own latest LP bound), of the nodes dropped by the cut-off (their LP
 * bound, or the dual-simplex bound where the LP stopped early) and of every
 * leaf value the optimizer recorded; the root, before its first LP, holds
 * the objective's largest value over the column bounds (the sum of the
 * positive coefficients of 0/1 columns).  So it never falls below any solution in
 * a part of the tree the search has dropped.  When every objective
 * coefficient is integral and sits on a binary column, every bound is
 * rounded down to an integer first (floor(b + 1e-6)).  Thus, after a complete
 * search whose every node fell under a cut-off of z + 1 - 1e-6, the best
 * bound is at most z.  Infeasible nodes count for nothing: a complete search
 * of an infeasible problem reports -1e40; before any search it is 1e40.
 *
 * Cut aging: after each LP solve every cut in the node's LP whose slack is
 * basic gets one year older, every other cut goes back to age 0.  Before a
 * re-solve and before branching, cuts of age >= control 8500 (default 8)
 * leave the node's LP (and so its descendants'); they stay in the pool and
 * may be loaded again.
 *
 * Controls (XPRSsetintcontrol / XPRSsetdblcontrol; unknown numbers fail):
 *   7012 additive, 7014 relative cut-off offset (defaults 1e-5 and 0): when
 *        the optimizer records its own solution of value z, the cut-off
 *        becomes z + 7012 + 7014 * |z| if that is greater than the current
 *        one.  With 7014 = 0 and 7012 = -(number of columns), as the solver
 *        sets them, this is at most 0 for any 0/1 solution with unit
 *        coefficients, below every node bound: it prunes nothing on its own.
 *   7013 absolute cut-off (default -1e40): nodes whose LP bound is below it
 *        are dropped.
 *   8020 time limit, 8133 CPU time (see above).
 *   8500 cut age limit (see above), at least 1.
 *   8501 general-purpose cuts, 8502 depth-first nodes, 8503 the root's
 *        pricing, 8504 the root's re-solves through a smaller LP: see their
 *        names below.
 *   8004, 8006, 8011, 8021, 8026, 8028, 8078, 8138, 8147, 8154 are accepted
 *        and stored with no effect: rows and elements are not preallocated,
 *        there is no presolve, no built-in cuts and no heuristics.
 *
 * Cut pool: cuts keep their type and the order of their terms.  XPRSloadcuts
 * may be called during the search only, at a node (from any callback before
 * the node branches); XPRSgetcutlist likewise.  XPRSgetcpcutlist,
 * XPRSgetcutslack and XPRSgetpresolvesol read the current node's LP point
 * (after a search: the last LP point) and fail before any LP was solved.
 * Type filters: interp -1 every type, 1 exactly itype, 2 type & itype != 0.
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

/* Error numbers left in attribute 1023. */
#define XPRS_ERRNO_BADHANDLE 1001  /* null or dead problem, cut or branching object */
#define XPRS_ERRNO_NULLARG 1002    /* a required pointer is null */
#define XPRS_ERRNO_BADINDEX 1003   /* column, row, branch, control or attribute unknown */
#define XPRS_ERRNO_BADCOUNT 1004   /* negative or inconsistent count, too little room */
#define XPRS_ERRNO_BADTYPE 1005    /* row sense, bound or column type not accepted */
#define XPRS_ERRNO_STATE 1006      /* not allowed now (outside or during a search) */
#define XPRS_ERRNO_LPFAILED 1007   /* the LP solver failed on a node */
#define XPRS_ERRNO_UNBOUNDED 1008  /* an LP relaxation is unbounded */
#define XPRS_ERRNO_NOTLOADED 1009  /* no model loaded */

/* Integer controls. */
#define XPRS_EXTRAROWS 8004
#define XPRS_EXTRAELEMS 8006
#define XPRS_PRESOLVE 8011
#define XPRS_MAXTIME 8020
#define XPRS_MAXMIPSOL 8021
#define XPRS_NODESELECTION 8026 /* 5 depth first; 2 (ours) the largest bound first,
                                   ties to the deepest of the latest dive */
#define XPRS_MIPPRESOLVE 8078
#define XPRS_CPUTIME 8133
#define XPRS_CUTSTRATEGY 8138
#define XPRS_SBBEST 8147
#define XPRS_HEURSTRATEGY 8154
#define XPRS_CUTAGELIMIT 8500  /* ours: LP solves with a basic slack before a cut
                                  leaves the node LP */
#define XPRS_GENERICCUTS 8501  /* ours: rounds of general-purpose cuts (Cgl) at the
                                  root, once the cut manager adds nothing; tried on
                                  a copy of the LP first and kept only when they
                                  lower the rounded bound and close a tenth of its
                                  gap to the cut-off (or go under it); 0 none */
#define XPRS_DEPTHFIRSTNODES 8502 /* ours: with NODESELECTION 2, the nodes searched
                                     depth first before the largest bound goes first */
#define XPRS_ROOTSTEEPESTEDGE 8503 /* ours: 1 the root's LP solves price the dual
                                      simplex by full steepest edge, its weights
                                      computed afresh at each solve (fewer
                                      iterations where cuts come hundreds at a
                                      time); 0 (default) CLP's partial pricing,
                                      which every other node keeps */
#define XPRS_ROOTRESTRICTED 8504 /* ours: the root's dual re-solves of an LP of at
                                    least this many columns go through the smaller
                                    LP left when the columns at their upper bound
                                    that no newly violated row holds stay there,
                                    then the primal simplex on the
                                    whole LP (the same optimum); 0 (default) never */
/* Double controls. */
#define XPRS_MIPADDCUTOFF 7012
#define XPRS_MIPABSCUTOFF 7013
#define XPRS_MIPRELCUTOFF 7014
/* Integer attributes. */
#define XPRS_ROWS 1001         /* model rows (loaded and added) */
#define XPRS_SIMPLEXITER 1009  /* simplex iterations of the search so far */
#define XPRS_LPSTATUS 1010     /* node LP status: 1 optimal, 2 infeasible, 3 cut off
                                  (the dual simplex stopped at the cut-off),
                                  4 failed, 5 unbounded */
#define XPRS_MIPSTATUS 1011    /* 6 complete with a solution, 5 complete without,
                                  4 stopped with a solution, 3 stopped without */
#define XPRS_NODES 1013        /* in a callback: nodes finished before this one
                                  (0 at the root); after the search: nodes explored */
#define XPRS_NODEDEPTH 1014    /* root 1 */
#define XPRS_COLS 1018
#define XPRS_ERRORCODE 1023
#define XPRS_MIPINFEAS 1024    /* fractional binary columns at the LP point */
#define XPRS_CURRENTNODE 1248  /* node identifier: root 1, unique */
#define XPRS_NODELPSOLVES 1901 /* ours: LP solves of the search so far */
#define XPRS_ACTIVENODES 1201  /* open nodes waiting in the tree */
#define XPRS_GENERICCUTSADDED 1902 /* ours: general-purpose cuts added at the root */
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
int XPRSgetintcontrol(XPRSprob prob, int control, int* value);
int XPRSgetdblcontrol(XPRSprob prob, int control, double* value);

/* Loads the model column-wise, replacing any earlier one and emptying the
 * cut pool.  mnel may be null (counts from mstart[j+1] - mstart[j]); range is
 * read only for 'R' rows; obj, dlb, dub may be null (0, 0, no upper bound);
 * nsets must be 0 and the set arguments are not read.  qgtype[i] is the
 * type of column mgcols[i]; only 'B' is accepted.  A column may not name a
 * row twice. */
int XPRSloadglobal(XPRSprob prob, const char* probname, int ncols, int nrows,
                   const char* qrtype, const double* rhs, const double* range,
                   const double* obj, const int* mstart, const int* mnel,
                   const int* mrwind, const double* dmatval, const double* dlb,
                   const double* dub, int ngents, int nsets, const char* qgtype,
                   const int* mgcols, const double* dlim, const char* qstype,
                   const int* msstart, const int* mscols, const double* dref);

/* Appends nrows rows given row-wise: row i starts at mstart[i] and ends where
 * row i + 1 starts, the last one at ncoefs (mstart[nrows] is not read). */
int XPRSaddrows(XPRSprob prob, int nrows, int ncoefs, const char* qrtype,
                const double* rhs, const double* range, const int* mstart,
                const int* mclind, const double* dmatval);

int XPRSmaxim(XPRSprob prob, const char* flags);

/* The current node's LP point in column order (in the integer-solution
 * callback: the solution).  slack (rhs minus activity), duals and djs cover
 * the model rows and columns; each may be null. */
int XPRSgetpresolvesol(XPRSprob prob, double* x, double* slack, double* duals,
                       double* djs);
/* The best integer solution the optimizer recorded (binaries rounded); slack
 * (rhs minus activity of each model row) may be null.  Fails without one. */
int XPRSgetmipsol(XPRSprob prob, double* x, double* slack);

/* Cut pool.  Stores ncuts cuts (row-wise, mstart with ncuts + 1 entries) with
 * their types and hands back their handles in mindex.  With nodupl = 1 a cut
 * equal to a stored one (type, sense, rhs and terms, in any order) gets the
 * stored handle; nodupl = 2 does the same across types; 0 stores every cut. */
int XPRSstorecuts(XPRSprob prob, int ncuts, int nodupl, const int* mtype,
                  const char* qrtype, const double* drhs, const int* mstart,
                  XPRScut* mindex, const int* mcols, const double* dmatval);
/* Makes pool cuts part of the current node's LP and its descendants' (a cut
 * already there is not added twice).  itype/interp are not used to filter,
 * except with ncuts = -1, which loads every pool cut passing the filter. */
int XPRSloadcuts(XPRSprob prob, int itype, int interp, int ncuts,
                 XPRScut* mindex);
/* Pool cuts of type itype (interp -1: every type; 1: exactly itype; 2: type
 * & itype != 0) violated
 * by more than delta at the current LP point: up to size handles and
 * violations (dviol may be null), most violated first; *ncuts is the full
 * count.  Cuts already in the current node's LP are not listed. */
int XPRSgetcpcutlist(XPRSprob prob, int itype, int interp, double delta,
                     int* ncuts, int size, XPRScut* mcutind, double* dviol);
/* Cuts active in the current node's LP, filtered by type as above. */
int XPRSgetcutlist(XPRSprob prob, int itype, int interp, int* ncuts, int size,
                   XPRScut* mcutind);
/* rhs minus activity of a cut at the current LP point. */
int XPRSgetcutslack(XPRSprob prob, XPRScut cut, double* slack);
/* Rows of ncuts pool cuts; size is the room in mcols/dmatval.  mtype may be
 * null.  With mcols and dmatval both null only mtype, qrtype, mstart (its
 * last entry the room the rows need) and drhs are filled, whatever size. */
int XPRSgetcpcuts(XPRSprob prob, const XPRScut* mindex, int ncuts, int size,
                  int* mtype, char* qrtype, int* mstart, int* mcols,
                  double* dmatval, double* drhs);

/* Branching objects. */
int XPRS_bo_create(XPRSbranchobject* bo, XPRSprob prob, int isoriginal);
int XPRS_bo_destroy(XPRSbranchobject bo);
int XPRS_bo_addbranches(XPRSbranchobject bo, int nbranches);
/* Adds nrows rows ('L', 'E' or 'G') to one branch, laid out as in
 * XPRSaddrows: the last row ends at nelems. */
int XPRS_bo_addrows(XPRSbranchobject bo, int branch, int nrows, int nelems,
                    const char* qrtype, const double* rhs, const int* mstart,
                    const int* mclind, const double* dmatval);
/* Adds bound changes ('L' lower, 'U' upper, 'B' both) to one branch. */
int XPRS_bo_addbounds(XPRSbranchobject bo, int branch, int nbounds, const char* qbtype,
                      const int* mcols, const double* dbds);
/* Stored; branching does not depend on it. */
int XPRS_bo_setpriority(XPRSbranchobject bo, int priority);
/* Ours, inside the branching-object callback only: the LP of each branch of
 * bo tried on the current node's LP as its last solve left it (the branch's
 * bound changes and rows on top, at most itrlimit dual simplex iterations
 * from the node's basis), the node's LP then put back as it was.  For each
 * branch b, msbstatus[b] is 0 when that LP was solved (dsobjval[b] its
 * objective, a bound on the branch), 1 when the iterations ran out
 * (dsobjval[b] the dual simplex's objective then, an estimate), 2 when the
 * branch is infeasible or its LP below the cut-off (dsobjval[b] -1e40), 3
 * when the LP failed or the search was stopped meanwhile.  The iterations
 * count in the search's own. */
int XPRS_bo_strongbranch(XPRSbranchobject bo, int itrlimit, double* dsobjval, int* msbstatus);

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
/* Asked before every node and every LP solve, like the time limit: a
 * non-zero answer stops the search there, as the time limit does. */
typedef int (*XPRScbchecktime)(XPRSprob prob, void* data);

int XPRSsetcbcutmgr(XPRSprob prob, XPRScbcutmgr f, void* data);
int XPRSsetcbintsol(XPRSprob prob, XPRScbintsol f, void* data);
int XPRSsetcboptnode(XPRSprob prob, XPRScboptnode f, void* data);
int XPRSsetcbchgbranch(XPRSprob prob, XPRScbchgbranch f, void* data);
int XPRSsetcbchgbranchobject(XPRSprob prob, XPRScbchgbranchobject f, void* data);
int XPRSsetcbchgnode(XPRSprob prob, XPRScbchgnode f, void* data);
int XPRSsetcbinfnode(XPRSprob prob, XPRScbinfnode f, void* data);
int XPRSsetcbnodecutoff(XPRSprob prob, XPRScbnodecutoff f, void* data);
int XPRSsetcbchecktime(XPRSprob prob, XPRScbchecktime f, void* data);

#ifdef __cplusplus
}
#endif

#endif
