// The C interface: checks every handle, index and count, then hands the call
// to the problem, the cut pool or the running search.
#include "optimizer/xprs.h"

#include <algorithm>
#include <atomic>
#include <dlfcn.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "optimizer/ErrorCodes.h"
#include "optimizer/HandleRegistry.h"
#include "optimizer/Problem.h"
#include "optimizer/Search.h"

using xo::HandleRegistry;
using xo::Problem;
using xo::SparseRow;

namespace {

std::atomic<int> activeSearches{0};  // XPRSmaxim calls in progress, over all problems

int fail(Problem* p, int err) {
  if (p) p->errorNumber = err;
  HandleRegistry::lastError = err;
  return XPRS_ERR;
}

XPRScut cutHandle(int index) {
  return reinterpret_cast<XPRScut>(static_cast<std::uintptr_t>(index) + 1);
}

int cutIndex(const Problem& p, XPRScut c) {
  const std::uintptr_t v = reinterpret_cast<std::uintptr_t>(c);
  if (v == 0 || v - 1 >= static_cast<std::uintptr_t>(p.pool.size())) return -1;
  return static_cast<int>(v - 1);
}

bool validSense(char s) { return s == 'L' || s == 'G' || s == 'E'; }

// Reads nrows row-wise rows over ncols columns.  With nelems >= 0 the last
// row ends at nelems and mstart has nrows entries (mstart[nrows], when the
// caller has it, is not read); otherwise mstart has nrows + 1 entries.
// Duplicate columns in a row are refused.
int readRows(Problem& p, int ncols, int nrows, int nelems, const char* qrtype,
             const double* rhs, const int* mstart, const int* mclind, const double* dmatval,
             bool modelRows, std::vector<SparseRow>& out) {
  if (nrows < 0) return xo::kErrBadCount;
  if (nrows == 0) return 0;
  if (!qrtype || !rhs || !mstart) return xo::kErrNullArgument;
  auto end = [&](int i) { return nelems >= 0 && i == nrows - 1 ? nelems : mstart[i + 1]; };
  if (mstart[0] < 0) return xo::kErrBadCount;
  for (int i = 0; i < nrows; ++i)
    if (end(i) < mstart[i]) return xo::kErrBadCount;
  if (end(nrows - 1) > mstart[0] && (!mclind || !dmatval)) return xo::kErrNullArgument;
  if (static_cast<int>(p.marks.size()) < ncols) p.marks.assign(ncols, 0);
  out.resize(nrows);
  for (int i = 0; i < nrows; ++i) {
    const char s = qrtype[i];
    if (!validSense(s) && !(modelRows && (s == 'R' || s == 'N'))) return xo::kErrBadSense;
    SparseRow& r = out[i];
    r.sense = s;
    r.rhs = rhs[i];
    r.cols.assign(mclind + mstart[i], mclind + end(i));
    r.vals.assign(dmatval + mstart[i], dmatval + end(i));
    int bad = 0;
    for (int c : r.cols) {
      if (c < 0 || c >= ncols) { bad = xo::kErrBadIndex; break; }
      if (p.marks[c]) { bad = xo::kErrBadIndex; break; }
      p.marks[c] = 1;
    }
    for (int c : r.cols)
      if (c >= 0 && c < ncols) p.marks[c] = 0;
    if (bad) return bad;
  }
  return 0;
}

void rowBounds(const SparseRow& r, double range, double* lo, double* up) {
  switch (r.sense) {
    case 'L': *lo = -1e30; *up = r.rhs; break;
    case 'G': *lo = r.rhs; *up = 1e30; break;
    case 'E': *lo = r.rhs; *up = r.rhs; break;
    case 'R': *lo = r.rhs - range; *up = r.rhs; break;
    default: *lo = -1e30; *up = 1e30; break;
  }
}

#define GET_PROBLEM(prob)                                  \
  Problem* p = HandleRegistry::problem(prob);              \
  if (!p) return fail(nullptr, xo::kErrBadHandle)

}  // namespace

extern "C" {

int XPRSinit(const char*) {
#ifdef __GLIBC__
  // The LP solver allocates and frees its factorization work areas at every
  // node solve; glibc would map and unmap those large blocks each time,
  // which costs about a tenth of the search in page faults.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
  // CoinUtils factors the dense part of a basis through LAPACK.  Under
  // OpenBLAS each call wakes a worker per processor, which then spins for
  // its next job: on a large piece's root a whole processor busy-waiting,
  // taken from the searches that own them.  The blocks are small enough for
  // one thread.  Looked up by name, so that any BLAS serves.
  using Define = void (*)(int);
  if (auto define = reinterpret_cast<Define>(dlsym(RTLD_DEFAULT, "openblas_set_num_threads")))
    define(1);
  return 0;
}

int XPRSfree(void) {
  if (activeSearches > 0) return fail(nullptr, xo::kErrWrongState);
  HandleRegistry::destroyAllProblems();
  return 0;
}

int XPRScreateprob(XPRSprob* prob) {
  if (!prob) return fail(nullptr, xo::kErrNullArgument);
  *prob = HandleRegistry::createProblem();
  return 0;
}

int XPRSdestroyprob(XPRSprob prob) {
  GET_PROBLEM(prob);
  if (p->searching()) return fail(p, xo::kErrWrongState);
  HandleRegistry::destroyProblem(prob);
  return 0;
}

int XPRSsetintcontrol(XPRSprob prob, int control, int value) {
  GET_PROBLEM(prob);
  if (!p->controls.setInt(control, value)) return fail(p, xo::kErrBadIndex);
  return 0;
}

int XPRSsetdblcontrol(XPRSprob prob, int control, double value) {
  GET_PROBLEM(prob);
  if (!p->controls.setDbl(control, value)) return fail(p, xo::kErrBadIndex);
  return 0;
}

int XPRSgetintcontrol(XPRSprob prob, int control, int* value) {
  GET_PROBLEM(prob);
  if (!value) return fail(p, xo::kErrNullArgument);
  if (!p->controls.getInt(control, value)) return fail(p, xo::kErrBadIndex);
  return 0;
}

int XPRSgetdblcontrol(XPRSprob prob, int control, double* value) {
  GET_PROBLEM(prob);
  if (!value) return fail(p, xo::kErrNullArgument);
  if (!p->controls.getDbl(control, value)) return fail(p, xo::kErrBadIndex);
  return 0;
}

int XPRSgetintattrib(XPRSprob prob, int attrib, int* value) {
  GET_PROBLEM(prob);
  if (!value) return fail(p, xo::kErrNullArgument);
  if (!p->intAttrib(attrib, value)) return fail(p, xo::kErrBadIndex);
  return 0;
}

int XPRSgetdblattrib(XPRSprob prob, int attrib, double* value) {
  GET_PROBLEM(prob);
  if (!value) return fail(p, xo::kErrNullArgument);
  if (!p->dblAttrib(attrib, value)) return fail(p, xo::kErrBadIndex);
  return 0;
}

int XPRSloadglobal(XPRSprob prob, const char*, int ncols, int nrows, const char* qrtype,
                   const double* rhs, const double* range, const double* obj, const int* mstart,
                   const int* mnel, const int* mrwind, const double* dmatval, const double* dlb,
                   const double* dub, int ngents, int nsets, const char* qgtype,
                   const int* mgcols, const double*, const char*, const int*, const int*,
                   const double*) {
  GET_PROBLEM(prob);
  if (p->searching()) return fail(p, xo::kErrWrongState);
  if (ncols < 0 || nrows < 0 || ngents < 0 || ngents > ncols) return fail(p, xo::kErrBadCount);
  if (nsets != 0) return fail(p, xo::kErrBadCount);  // no special ordered sets
  if (nrows > 0 && (!qrtype || !rhs)) return fail(p, xo::kErrNullArgument);
  if (ncols > 0 && !mstart) return fail(p, xo::kErrNullArgument);
  if (ngents > 0 && (!qgtype || !mgcols)) return fail(p, xo::kErrNullArgument);
  // Columns to rows, checking every index on the way.
  std::vector<SparseRow> rows(nrows);
  for (int i = 0; i < nrows; ++i) {
    const char s = qrtype[i];
    if (!validSense(s) && s != 'R' && s != 'N') return fail(p, xo::kErrBadSense);
    if (s == 'R' && (!range || range[i] < 0)) return fail(p, xo::kErrBadSense);
    rows[i].sense = s;
    rows[i].rhs = s == 'N' ? 0.0 : rhs[i];
  }
  std::vector<int> lastCol(nrows, -1);
  for (int j = 0; j < ncols; ++j) {
    const int b = mstart[j];
    const int e = mnel ? b + mnel[j] : mstart[j + 1];
    if (b < 0 || e < b) return fail(p, xo::kErrBadCount);
    if (e > b && (!mrwind || !dmatval)) return fail(p, xo::kErrNullArgument);
    for (int k = b; k < e; ++k) {
      const int i = mrwind[k];
      if (i < 0 || i >= nrows || lastCol[i] == j) return fail(p, xo::kErrBadIndex);
      lastCol[i] = j;
      rows[i].cols.push_back(j);
      rows[i].vals.push_back(dmatval[k]);
    }
  }
  std::vector<char> binary(ncols, 0);
  for (int g = 0; g < ngents; ++g) {
    if (mgcols[g] < 0 || mgcols[g] >= ncols) return fail(p, xo::kErrBadIndex);
    if (qgtype[g] != 'B') return fail(p, xo::kErrBadSense);
    binary[mgcols[g]] = 1;
  }
  xo::Model& m = p->model;
  m.clear();
  m.obj.assign(ncols, 0.0);
  m.lb.assign(ncols, 0.0);
  m.ub.assign(ncols, 1e30);
  for (int j = 0; j < ncols; ++j) {
    if (obj) m.obj[j] = obj[j];
    if (dlb) m.lb[j] = dlb[j];
    if (dub) m.ub[j] = dub[j];
    if (binary[j]) {
      m.lb[j] = std::max(m.lb[j], 0.0);
      m.ub[j] = std::min(m.ub[j], 1.0);
    }
  }
  m.binary = std::move(binary);
  for (int i = 0; i < nrows; ++i) {
    double lo, up;
    rowBounds(rows[i], range ? range[i] : 0.0, &lo, &up);
    m.addRow(std::move(rows[i]), lo, up);
  }
  m.loaded = true;
  p->marks.assign(std::max(ncols, nrows), 0);
  p->search.reset();
  p->pool = xo::CutPool();  // its cuts were over the old columns
  return 0;
}

int XPRSaddrows(XPRSprob prob, int nrows, int ncoefs, const char* qrtype, const double* rhs,
                const double* range, const int* mstart, const int* mclind,
                const double* dmatval) {
  GET_PROBLEM(prob);
  if (!p->model.loaded) return fail(p, xo::kErrNotLoaded);
  if (p->searching()) return fail(p, xo::kErrWrongState);
  if (ncoefs < 0) return fail(p, xo::kErrBadCount);
  std::vector<SparseRow> rows;
  const int err = readRows(*p, p->model.numCols(), nrows, ncoefs, qrtype, rhs, mstart, mclind,
                           dmatval, true, rows);
  if (err) return fail(p, err);
  for (int i = 0; i < nrows; ++i)
    if (rows[i].sense == 'R' && (!range || range[i] < 0)) return fail(p, xo::kErrBadSense);
  for (int i = 0; i < nrows; ++i) {
    double lo, up;
    if (rows[i].sense == 'N') rows[i].rhs = 0.0;
    rowBounds(rows[i], range ? range[i] : 0.0, &lo, &up);
    p->model.addRow(std::move(rows[i]), lo, up);
  }
  return 0;
}

int XPRSmaxim(XPRSprob prob, const char* flags) {
  GET_PROBLEM(prob);
  if (!p->model.loaded) return fail(p, xo::kErrNotLoaded);
  if (p->searching()) return fail(p, xo::kErrWrongState);
  const bool global = flags && std::strchr(flags, 'g');
  ++activeSearches;
  const int err = p->maxim(global);
  --activeSearches;
  if (err) return fail(p, err);
  return 0;
}

int XPRSgetpresolvesol(XPRSprob prob, double* x, double* slack, double* duals, double* djs) {
  GET_PROBLEM(prob);
  if (!p->search || !p->search->hasLp()) return fail(p, xo::kErrWrongState);
  const xo::Search& s = *p->search;
  const int n = p->model.numCols();
  if (x) std::copy(s.point(), s.point() + n, x);
  const xo::LpRelaxation& lp = s.lp();
  if (slack)
    for (int i = 0; i < p->model.numRows(); ++i)
      slack[i] = p->model.rows[i].rhs - lp.rowActivity()[i];
  if (duals) std::copy(lp.duals().begin(), lp.duals().end(), duals);
  if (djs) std::copy(lp.reducedCosts().begin(), lp.reducedCosts().end(), djs);
  return 0;
}

int XPRSgetmipsol(XPRSprob prob, double* x, double* slack) {
  GET_PROBLEM(prob);
  if (!p->search || !p->search->hasSolution()) return fail(p, xo::kErrWrongState);
  const std::vector<double>& sol = p->search->bestSolution();
  if (x) std::copy(sol.begin(), sol.end(), x);
  if (slack)
    for (int i = 0; i < p->model.numRows(); ++i)
      slack[i] = p->model.rows[i].rhs - p->model.rows[i].activity(sol.data());
  return 0;
}

int XPRSstorecuts(XPRSprob prob, int ncuts, int nodupl, const int* mtype, const char* qrtype,
                  const double* drhs, const int* mstart, XPRScut* mindex, const int* mcols,
                  const double* dmatval) {
  GET_PROBLEM(prob);
  if (!p->model.loaded) return fail(p, xo::kErrNotLoaded);
  if (ncuts < 0 || nodupl < 0 || nodupl > 2) return fail(p, xo::kErrBadCount);
  if (ncuts > 0 && (!mtype || !mindex)) return fail(p, xo::kErrNullArgument);
  std::vector<SparseRow> rows;
  const int err = readRows(*p, p->model.numCols(), ncuts, -1, qrtype, drhs, mstart, mcols,
                           dmatval, false, rows);
  if (err) return fail(p, err);
  for (int i = 0; i < ncuts; ++i) mindex[i] = cutHandle(p->pool.store(mtype[i], std::move(rows[i]), nodupl));
  return 0;
}

int XPRSloadcuts(XPRSprob prob, int itype, int interp, int ncuts, XPRScut* mindex) {
  GET_PROBLEM(prob);
  if (!p->searching()) return fail(p, xo::kErrWrongState);
  std::vector<int> idx;
  if (ncuts == -1) {
    for (int c = 0; c < p->pool.size(); ++c)
      if (xo::CutPool::typeMatches(p->pool.cut(c).type, itype, interp)) idx.push_back(c);
  } else {
    if (ncuts < 0) return fail(p, xo::kErrBadCount);
    if (ncuts > 0 && !mindex) return fail(p, xo::kErrNullArgument);
    idx.resize(ncuts);
    for (int k = 0; k < ncuts; ++k)
      if ((idx[k] = cutIndex(*p, mindex[k])) < 0) return fail(p, xo::kErrBadHandle);
  }
  if (!p->search->loadCuts(idx.data(), static_cast<int>(idx.size()))) return fail(p, xo::kErrWrongState);
  return 0;
}

int XPRSgetcpcutlist(XPRSprob prob, int itype, int interp, double delta, int* ncuts, int size,
                     XPRScut* mcutind, double* dviol) {
  GET_PROBLEM(prob);
  if (!ncuts) return fail(p, xo::kErrNullArgument);
  if (size < 0) return fail(p, xo::kErrBadCount);
  if (size > 0 && !mcutind) return fail(p, xo::kErrNullArgument);
  if (!p->search || !p->search->hasLp()) return fail(p, xo::kErrWrongState);
  const double* x = p->search->point();
  const xo::LpRelaxation& lp = p->search->lp();
  static thread_local std::vector<int> candidates;
  static thread_local std::vector<double> viol;
  candidates.clear();
  for (int c = 0; c < p->pool.size(); ++c) {
    if (lp.hasCut(c)) continue;  // the LP point satisfies its own rows
    if (!xo::CutPool::typeMatches(p->pool.type(c), itype, interp)) continue;
    candidates.push_back(c);
  }
  viol.resize(candidates.size());
  p->pool.violations(candidates.data(), static_cast<int>(candidates.size()), x, viol.data());
  std::vector<std::pair<double, int>> hits;
  for (size_t k = 0; k < candidates.size(); ++k)
    if (viol[k] > delta) hits.emplace_back(-viol[k], candidates[k]);
  *ncuts = static_cast<int>(hits.size());
  const int k = std::min(size, *ncuts);
  // Most violated first; pool order among equals.
  std::partial_sort(hits.begin(), hits.begin() + k, hits.end());
  for (int i = 0; i < k; ++i) {
    mcutind[i] = cutHandle(hits[i].second);
    if (dviol) dviol[i] = -hits[i].first;
  }
  return 0;
}

int XPRSgetcutlist(XPRSprob prob, int itype, int interp, int* ncuts, int size, XPRScut* mcutind) {
  GET_PROBLEM(prob);
  if (!ncuts) return fail(p, xo::kErrNullArgument);
  if (size < 0) return fail(p, xo::kErrBadCount);
  if (size > 0 && !mcutind) return fail(p, xo::kErrNullArgument);
  if (!p->searching()) return fail(p, xo::kErrWrongState);
  int n = 0;
  for (const xo::DynRow& d : p->search->lp().dynRows()) {
    if (d.key < 0) continue;
    if (!xo::CutPool::typeMatches(p->pool.cut(static_cast<int>(d.key)).type, itype, interp)) continue;
    if (n < size) mcutind[n] = cutHandle(static_cast<int>(d.key));
    ++n;
  }
  *ncuts = n;
  return 0;
}

int XPRSgetcutslack(XPRSprob prob, XPRScut cut, double* slack) {
  GET_PROBLEM(prob);
  if (!slack) return fail(p, xo::kErrNullArgument);
  const int c = cutIndex(*p, cut);
  if (c < 0) return fail(p, xo::kErrBadHandle);
  if (!p->search || !p->search->hasLp()) return fail(p, xo::kErrWrongState);
  const SparseRow& r = p->pool.cut(c).row;
  *slack = r.rhs - r.activity(p->search->point());
  return 0;
}

int XPRSgetcpcuts(XPRSprob prob, const XPRScut* mindex, int ncuts, int size, int* mtype,
                  char* qrtype, int* mstart, int* mcols, double* dmatval, double* drhs) {
  GET_PROBLEM(prob);
  if (ncuts < 0 || size < 0) return fail(p, xo::kErrBadCount);
  if (ncuts == 0) return 0;
  if (!mindex || !qrtype || !mstart || !drhs) return fail(p, xo::kErrNullArgument);
  long long total = 0;
  for (int k = 0; k < ncuts; ++k) {
    const int c = cutIndex(*p, mindex[k]);
    if (c < 0) return fail(p, xo::kErrBadHandle);
    total += static_cast<long long>(p->pool.cut(c).row.cols.size());
  }
  // Without mcols and dmatval only the layout is asked for: mstart tells the
  // room the rows need.
  const bool layoutOnly = !mcols && !dmatval;
  if (!layoutOnly && total > size) return fail(p, xo::kErrBadCount);
  if (!layoutOnly && total > 0 && (!mcols || !dmatval)) return fail(p, xo::kErrNullArgument);
  int pos = 0;
  for (int k = 0; k < ncuts; ++k) {
    const xo::Cut& cut = p->pool.cut(cutIndex(*p, mindex[k]));
    if (mtype) mtype[k] = cut.type;
    qrtype[k] = cut.row.sense;
    drhs[k] = cut.row.rhs;
    mstart[k] = pos;
    if (!layoutOnly) {
      std::copy(cut.row.cols.begin(), cut.row.cols.end(), mcols + pos);
      std::copy(cut.row.vals.begin(), cut.row.vals.end(), dmatval + pos);
    }
    pos += static_cast<int>(cut.row.cols.size());
  }
  mstart[ncuts] = pos;
  return 0;
}

int XPRS_bo_create(XPRSbranchobject* bo, XPRSprob prob, int) {
  GET_PROBLEM(prob);
  if (!bo) return fail(p, xo::kErrNullArgument);
  if (!p->model.loaded) return fail(p, xo::kErrNotLoaded);
  *bo = HandleRegistry::createBranchObject(prob, p->model.numCols());
  return 0;
}

int XPRS_bo_destroy(XPRSbranchobject bo) {
  if (!HandleRegistry::branchObject(bo)) return fail(nullptr, xo::kErrBadHandle);
  HandleRegistry::destroyBranchObject(bo);
  return 0;
}

#define GET_BRANCHOBJECT(bo)                                         \
  xo::BranchObject* b = HandleRegistry::branchObject(bo);            \
  if (!b) return fail(nullptr, xo::kErrBadHandle);                   \
  Problem* p = HandleRegistry::problem(HandleRegistry::owner(bo))

int XPRS_bo_addbranches(XPRSbranchobject bo, int nbranches) {
  GET_BRANCHOBJECT(bo);
  if (nbranches < 0) return fail(p, xo::kErrBadCount);
  b->addBranches(nbranches);
  return 0;
}

int XPRS_bo_addrows(XPRSbranchobject bo, int branch, int nrows, int nelems, const char* qrtype,
                    const double* rhs, const int* mstart, const int* mclind,
                    const double* dmatval) {
  GET_BRANCHOBJECT(bo);
  if (branch < 0 || branch >= b->numBranches()) return fail(p, xo::kErrBadIndex);
  if (nelems < 0) return fail(p, xo::kErrBadCount);
  std::vector<SparseRow> rows;
  const int err = readRows(*p, b->numCols(), nrows, nelems, qrtype, rhs, mstart, mclind,
                           dmatval, false, rows);
  if (err) return fail(p, err);
  for (SparseRow& r : rows) b->branch(branch).rows.push_back(std::move(r));
  return 0;
}

int XPRS_bo_addbounds(XPRSbranchobject bo, int branch, int nbounds, const char* qbtype,
                      const int* mcols, const double* dbds) {
  GET_BRANCHOBJECT(bo);
  if (branch < 0 || branch >= b->numBranches()) return fail(p, xo::kErrBadIndex);
  if (nbounds < 0) return fail(p, xo::kErrBadCount);
  if (nbounds > 0 && (!qbtype || !mcols || !dbds)) return fail(p, xo::kErrNullArgument);
  for (int k = 0; k < nbounds; ++k) {
    if (mcols[k] < 0 || mcols[k] >= b->numCols()) return fail(p, xo::kErrBadIndex);
    if (qbtype[k] != 'L' && qbtype[k] != 'U' && qbtype[k] != 'B') return fail(p, xo::kErrBadSense);
  }
  for (int k = 0; k < nbounds; ++k)
    b->branch(branch).bounds.push_back(xo::BoundChange{mcols[k], qbtype[k], dbds[k]});
  return 0;
}

int XPRS_bo_setpriority(XPRSbranchobject bo, int priority) {
  GET_BRANCHOBJECT(bo);
  (void)p;
  b->setPriority(priority);
  return 0;
}

int XPRS_bo_strongbranch(XPRSbranchobject bo, int itrlimit, double* dsobjval, int* msbstatus) {
  GET_BRANCHOBJECT(bo);
  if (itrlimit < 1) return fail(p, xo::kErrBadCount);
  if (b->numBranches() > 0 && (!dsobjval || !msbstatus)) return fail(p, xo::kErrNullArgument);
  if (!p || !p->search || !p->search->probeBranches(*b, itrlimit, dsobjval, msbstatus))
    return fail(p, xo::kErrWrongState);
  return 0;
}

#define SET_CALLBACK(field)            \
  GET_PROBLEM(prob);                   \
  p->callbacks.field = {f, data};      \
  return 0

int XPRSsetcbcutmgr(XPRSprob prob, XPRScbcutmgr f, void* data) { SET_CALLBACK(cutmgr); }
int XPRSsetcbintsol(XPRSprob prob, XPRScbintsol f, void* data) { SET_CALLBACK(intsol); }
int XPRSsetcboptnode(XPRSprob prob, XPRScboptnode f, void* data) { SET_CALLBACK(optnode); }
int XPRSsetcbchgbranch(XPRSprob prob, XPRScbchgbranch f, void* data) { SET_CALLBACK(chgbranch); }
int XPRSsetcbchgbranchobject(XPRSprob prob, XPRScbchgbranchobject f, void* data) {
  SET_CALLBACK(chgbranchobject);
}
int XPRSsetcbchgnode(XPRSprob prob, XPRScbchgnode f, void* data) { SET_CALLBACK(chgnode); }
int XPRSsetcbinfnode(XPRSprob prob, XPRScbinfnode f, void* data) { SET_CALLBACK(infnode); }
int XPRSsetcbnodecutoff(XPRSprob prob, XPRScbnodecutoff f, void* data) { SET_CALLBACK(nodecutoff); }
int XPRSsetcbchecktime(XPRSprob prob, XPRScbchecktime f, void* data) { SET_CALLBACK(checktime); }

}  // extern "C"
