// The node LP over ClpSimplex.
#include "optimizer/LpRelaxation.h"

#include <ClpDualRowSteepest.hpp>
#include <ClpPresolve.hpp>
#include <CoinPackedMatrix.hpp>
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace xo {
namespace {

constexpr unsigned char kBasic = ClpSimplex::basic;

void senseBounds(const SparseRow& r, double* lo, double* up) {
  *lo = r.sense == 'L' ? -COIN_DBL_MAX : r.rhs;
  *up = r.sense == 'G' ? COIN_DBL_MAX : r.rhs;
}

}  // namespace

LpRelaxation::LpRelaxation(const Model& model, const CutPool& pool) : model_(model), pool_(pool) {
  n_ = model.numCols();
  m0_ = model.numRows();
  std::vector<int> ri, ci;
  std::vector<double> v;
  for (int i = 0; i < m0_; ++i) {
    const SparseRow& r = model.rows[i];
    for (size_t k = 0; k < r.cols.size(); ++k) {
      ri.push_back(i);
      ci.push_back(r.cols[k]);
      v.push_back(r.vals[k]);
    }
  }
  CoinPackedMatrix m(true, ri.data(), ci.data(), v.data(), static_cast<CoinBigIndex>(v.size()));
  m.setDimensions(m0_, n_);
  std::vector<double> cost(n_), rlo(m0_), rup(m0_);
  for (int j = 0; j < n_; ++j) cost[j] = -model.obj[j];  // CLP minimises
  for (int i = 0; i < m0_; ++i) {
    rlo[i] = model.rowLower[i] <= -1e20 ? -COIN_DBL_MAX : model.rowLower[i];
    rup[i] = model.rowUpper[i] >= 1e20 ? COIN_DBL_MAX : model.rowUpper[i];
  }
  lb_ = model.lb;
  ub_ = model.ub;
  for (int j = 0; j < n_; ++j) {
    if (lb_[j] <= -1e20) lb_[j] = -COIN_DBL_MAX;
    if (ub_[j] >= 1e20) ub_[j] = COIN_DBL_MAX;
  }
  clp_.messageHandler()->setLogLevel(0);
  clp_.setLogLevel(0);
  clp_.loadProblem(m, lb_.data(), ub_.data(), cost.data(), rlo.data(), rup.data());
  clp_.scaling(0);
  clp_.allSlackBasis(true);
  const unsigned char* st = clp_.statusArray();
  basis_.assign(st, st + n_ + m0_);
  cutPos_.assign(pool.size(), -1);
}

void LpRelaxation::appendRows(const std::vector<const SparseRow*>& rows) {
  if (rows.empty()) return;
  bufLo_.clear();
  bufUp_.clear();
  bufStart_.assign(1, 0);
  bufCol_.clear();
  bufVal_.clear();
  for (const SparseRow* r : rows) {
    double lo, up;
    senseBounds(*r, &lo, &up);
    bufLo_.push_back(lo);
    bufUp_.push_back(up);
    bufCol_.insert(bufCol_.end(), r->cols.begin(), r->cols.end());
    bufVal_.insert(bufVal_.end(), r->vals.begin(), r->vals.end());
    bufStart_.push_back(static_cast<int>(bufCol_.size()));
  }
  std::vector<CoinBigIndex> starts(bufStart_.begin(), bufStart_.end());
  clp_.addRows(static_cast<int>(rows.size()), bufLo_.data(), bufUp_.data(), starts.data(),
               bufCol_.data(), bufVal_.data());
  basis_.resize(basis_.size() + rows.size(), kBasic);
}

void LpRelaxation::deleteDynRows(const std::vector<int>& positions) {
  if (positions.empty()) return;
  std::vector<int> which(positions.size());
  std::vector<char> gone(dyn_.size(), 0);
  for (size_t k = 0; k < positions.size(); ++k) {
    which[k] = m0_ + positions[k];
    gone[positions[k]] = 1;
  }
  clp_.deleteRows(static_cast<int>(which.size()), which.data());
  size_t w = 0;
  for (size_t i = 0; i < dyn_.size(); ++i) {
    if (dyn_[i].key >= 0) cutPos_[dyn_[i].key] = -1;
    if (gone[i]) continue;
    basis_[n_ + m0_ + w] = basis_[n_ + m0_ + i];
    dyn_[w++] = std::move(dyn_[i]);
  }
  dyn_.resize(w);
  basis_.resize(n_ + m0_ + w);
  for (size_t i = 0; i < dyn_.size(); ++i)
    if (dyn_[i].key >= 0) cutPos_[dyn_[i].key] = static_cast<int>(i);
}

void LpRelaxation::restore(const LpState& s, const std::vector<BoundChange>& bounds,
                           const std::vector<std::shared_ptr<const SparseRow>>& rows,
                           long long& nextKey) {
  hasPoint_ = false;
  // Rows wanted: the parent's, then the branch's own.
  std::unordered_map<long long, int> want;
  want.reserve(s.rows.size() * 2 + 8);
  for (size_t i = 0; i < s.rows.size(); ++i) want.emplace(s.rows[i].key, static_cast<int>(i));

  std::vector<int> drop;
  for (size_t i = 0; i < dyn_.size(); ++i)
    if (!want.count(dyn_[i].key)) drop.push_back(static_cast<int>(i));
  deleteDynRows(drop);

  std::unordered_map<long long, int> have;
  have.reserve(dyn_.size() * 2 + 8);
  for (size_t i = 0; i < dyn_.size(); ++i) have.emplace(dyn_[i].key, static_cast<int>(i));
  std::vector<const SparseRow*> add;
  for (const DynRow& d : s.rows) {
    if (have.count(d.key)) continue;
    add.push_back(d.key >= 0 ? &pool_.cut(static_cast<int>(d.key)).row : d.row.get());
    dyn_.push_back(d);
  }
  for (const auto& r : rows) {
    add.push_back(r.get());
    dyn_.push_back(DynRow{nextKey--, r, 0});
  }
  appendRows(add);
  if (cutPos_.size() < static_cast<size_t>(pool_.size())) cutPos_.resize(pool_.size(), -1);
  for (size_t i = 0; i < dyn_.size(); ++i)
    if (dyn_[i].key >= 0) cutPos_[dyn_[i].key] = static_cast<int>(i);

  // Basis: the parent's final one, new rows basic.
  std::copy(s.status.begin(), s.status.begin() + n_ + m0_, basis_.begin());
  for (size_t i = 0; i < dyn_.size(); ++i) {
    auto it = want.find(dyn_[i].key);
    if (it == want.end()) {
      basis_[n_ + m0_ + i] = kBasic;
    } else {
      basis_[n_ + m0_ + i] = s.status[n_ + m0_ + it->second];
      dyn_[i].age = s.rows[it->second].age;
    }
  }

  // Column bounds: the parent's, then the branch's changes.
  std::vector<double> lo = s.lb, up = s.ub;
  for (const BoundChange& b : bounds) {
    if (b.type == 'L' || b.type == 'B') lo[b.col] = b.value;
    if (b.type == 'U' || b.type == 'B') up[b.col] = b.value;
  }
  for (int j = 0; j < n_; ++j) {
    if (lo[j] != lb_[j] || up[j] != ub_[j]) {
      clp_.setColumnBounds(j, lo[j], up[j]);
      lb_[j] = lo[j];
      ub_[j] = up[j];
    }
  }
}

int LpRelaxation::addCuts(const int* cuts, int n) {
  if (cutPos_.size() < static_cast<size_t>(pool_.size())) cutPos_.resize(pool_.size(), -1);
  std::vector<const SparseRow*> add;
  for (int k = 0; k < n; ++k) {
    const int c = cuts[k];
    if (cutPos_[c] >= 0) continue;
    cutPos_[c] = static_cast<int>(dyn_.size());
    dyn_.push_back(DynRow{c, nullptr, 0});
    add.push_back(&pool_.cut(c).row);
  }
  appendRows(add);
  return static_cast<int>(add.size());
}

int LpRelaxation::removeAgedCuts(int limit) {
  std::vector<int> drop;
  for (size_t i = 0; i < dyn_.size(); ++i)
    if (dyn_[i].key >= 0 && dyn_[i].age >= limit && (basis_[n_ + m0_ + i] & 7) == kBasic)
      drop.push_back(static_cast<int>(i));
  deleteDynRows(drop);
  return static_cast<int>(drop.size());
}

int LpRelaxation::Interrupcao::event(Event whichEvent) {
  // The check may read a clock: ask it once every 32 iterations.
  if (whichEvent != endOfIteration || !parar_ || ++iteracoes_ % 32 != 0) return -1;
  if (!parar_()) return -1;
  parou = true;
  return 0;
}

void LpRelaxation::setStopCheck(std::function<bool()> parar) {
  parar_ = std::move(parar);
  Interrupcao handler(parar_);
  clp_.passInEventHandler(&handler);  // CLP keeps a clone
  interrupcao_ = static_cast<Interrupcao*>(clp_.eventHandler());
}

LpRelaxation::Status LpRelaxation::runSimplex(bool primal, double limit) {
  if (interrupcao_ != nullptr) interrupcao_->parou = false;
  clp_.copyinStatus(basis_.data());
  clp_.setDualObjectiveLimit(limit);
  if (primal)
    clp_.primal();
  else
    clp_.dual();
  iterations_ += clp_.numberIterations();
  if (interrupcao_ != nullptr && interrupcao_->parou) return kStopped;
  switch (clp_.status()) {
    case 0:
      return kOptimal;
    case 1:
      if (limit < COIN_DBL_MAX && clp_.secondaryStatus() == 1) return kCutOff;
      return kInfeasible;
    case 2:
      return kUnbounded;
    default:
      return kFailed;
  }
}

LpRelaxation::Status LpRelaxation::solve(bool primal, double cutoff) {
  // CLP minimises -c x: a maximisation bound below the cut-off is a dual
  // objective above -cutoff.  The dual objective seen mid-solve may carry
  // CLP's cost perturbation, so the early stop waits for a clear margin;
  // bounds closer to the cut-off are solved out and compared exactly.
  double limit = COIN_DBL_MAX;
  if (!primal && cutoff > -1e30 && cutoff < 1e30)
    limit = -cutoff + 1e-3 * std::max(1.0, std::fabs(cutoff));
  Status st = kFailed;
  if (!primal && restrita_ > 0 && n_ >= restrita_ && hasPoint_) st = solveRestricted();
  if (st == kFailed) st = runSimplex(primal, limit);
  if (st == kStopped) return st;
  if (st == kCutOff && !(clp_.objectiveValue() > limit - 1e-9)) st = runSimplex(false, COIN_DBL_MAX);
  if (st == kFailed || (st == kUnbounded && !primal)) {
    // Numerical trouble: start again from the current basis, then from slacks.
    const unsigned char* cur = clp_.statusArray();
    basis_.assign(cur, cur + n_ + numRows());
    st = runSimplex(true, COIN_DBL_MAX);
    if (st == kStopped) return st;
    if (st == kFailed) {
      clp_.allSlackBasis(true);
      const unsigned char* sl = clp_.statusArray();
      basis_.assign(sl, sl + n_ + numRows());
      st = runSimplex(true, COIN_DBL_MAX);
      if (st == kStopped) return st;
    }
  }
  const unsigned char* fin = clp_.statusArray();
  basis_.assign(fin, fin + n_ + numRows());
  obj_ = -clp_.objectiveValue();
  if (st == kOptimal) {
    for (size_t i = 0; i < dyn_.size(); ++i) {
      if (dyn_[i].key < 0) continue;
      if ((basis_[n_ + m0_ + i] & 7) == kBasic)
        ++dyn_[i].age;
      else
        dyn_[i].age = 0;
    }
  }
  readSolution();
  hasPoint_ = st == kOptimal;
  return st;
}

LpRelaxation::Status LpRelaxation::solveRestricted() {
  const int m = numRows();
  const CoinPackedMatrix& a = *clp_.matrix();
  const double* rlo = clp_.rowLower();
  const double* rup = clp_.rowUpper();
  // The rows the last point violates: the cuts loaded since.
  std::vector<double> act(m, 0.0);
  a.times(x_.data(), act.data());
  CoinPackedMatrix linhas;
  linhas.reverseOrderedCopyOf(a);
  const CoinBigIndex* ini = linhas.getVectorStarts();
  const int* comp = linhas.getVectorLengths();
  const int* col = linhas.getIndices();
  const double* val = linhas.getElements();
  std::vector<char> fixa(n_, 0);
  for (int j = 0; j < n_; ++j)
    fixa[j] = (basis_[j] & 7) == ClpSimplex::atUpperBound && ub_[j] < COIN_DBL_MAX &&
              std::fabs(x_[j] - ub_[j]) <= 1e-9;
  for (int i = 0; i < m; ++i) {
    if (act[i] <= rup[i] + 1e-9 && act[i] >= rlo[i] - 1e-9) continue;
    for (CoinBigIndex k = ini[i]; k < ini[i] + comp[i]; ++k) fixa[col[k]] = 0;
  }
  std::vector<int> novaCol(n_, -1), cols, kept;
  for (int j = 0; j < n_; ++j)
    if (!fixa[j]) {
      novaCol[j] = static_cast<int>(cols.size());
      cols.push_back(j);
    }
  if (cols.size() * 2 > static_cast<size_t>(n_)) return kFailed;  // not worth a second LP
  std::vector<CoinBigIndex> starts(1, 0);
  std::vector<int> ind;
  std::vector<double> el, lo, up;
  for (int i = 0; i < m; ++i) {
    double fixo = 0.0;
    const size_t antes = ind.size();
    for (CoinBigIndex k = ini[i]; k < ini[i] + comp[i]; ++k) {
      if (fixa[col[k]]) {
        fixo += val[k] * ub_[col[k]];
      } else {
        ind.push_back(novaCol[col[k]]);
        el.push_back(val[k]);
      }
    }
    if (ind.size() == antes) continue;  // held by the fixed columns alone, and satisfied
    kept.push_back(i);
    starts.push_back(static_cast<CoinBigIndex>(ind.size()));
    lo.push_back(rlo[i] <= -COIN_DBL_MAX ? -COIN_DBL_MAX : rlo[i] - fixo);
    up.push_back(rup[i] >= COIN_DBL_MAX ? COIN_DBL_MAX : rup[i] - fixo);
  }
  const int mr = static_cast<int>(kept.size()), nr = static_cast<int>(cols.size());
  std::vector<int> lens(mr);
  for (int i = 0; i < mr; ++i) lens[i] = starts[i + 1] - starts[i];
  CoinPackedMatrix sub(false, nr, mr, static_cast<CoinBigIndex>(ind.size()), el.data(), ind.data(),
                       starts.data(), lens.data());
  std::vector<double> cl(nr), cu(nr), cc(nr);
  const double* custo = clp_.objective();
  for (int k = 0; k < nr; ++k) {
    cl[k] = lb_[cols[k]];
    cu[k] = ub_[cols[k]];
    cc[k] = custo[cols[k]];
  }
  ClpSimplex menor;
  menor.setLogLevel(0);
  menor.messageHandler()->setLogLevel(0);
  menor.loadProblem(sub, cl.data(), cu.data(), cc.data(), lo.data(), up.data());
  // The whole LP's basis on what is left, which presolve carries over: a
  // fifth fewer iterations than from scratch.
  std::vector<unsigned char> inicio(nr + mr);
  for (int k = 0; k < nr; ++k) inicio[k] = basis_[cols[k]];
  for (int i = 0; i < mr; ++i) inicio[nr + i] = basis_[n_ + kept[i]];
  menor.copyinStatus(inicio.data());
  if (interrupcao_ != nullptr) menor.passInEventHandler(interrupcao_);
  auto parou = [](ClpSimplex& s) {
    auto* h = dynamic_cast<Interrupcao*>(s.eventHandler());
    return h != nullptr && h->parou;
  };
  ClpPresolve pre;
  ClpSimplex* reduzido = pre.presolvedModel(menor, 1e-8, false, 5);
  if (reduzido == nullptr) return kFailed;
  reduzido->setLogLevel(0);
  reduzido->setDualRowPivotAlgorithm(*clp_.dualRowPivot());
  reduzido->dual();
  iterations_ += reduzido->numberIterations();
  if (parou(*reduzido)) {
    delete reduzido;
    return kStopped;
  }
  const bool otimo = reduzido->status() == 0;
  pre.postsolve(true);
  delete reduzido;
  if (!otimo) return kFailed;
  menor.primal(1);
  iterations_ += menor.numberIterations();
  if (parou(menor)) return kStopped;
  if (menor.status() != 0) return kFailed;

  // Its basis on the whole LP: the fixed columns at their bound as they
  // were, the rows that went basic (each is slack or tight on fixed columns
  // only, so the basis stays square and the point feasible).
  const unsigned char* st = menor.statusArray();
  std::vector<unsigned char> base(basis_);
  for (int k = 0; k < nr; ++k) base[cols[k]] = st[k];
  for (int i = 0; i < m; ++i) base[n_ + i] = kBasic;
  for (int i = 0; i < mr; ++i) base[n_ + kept[i]] = st[nr + i];
  std::vector<unsigned char> antiga;
  antiga.swap(basis_);
  basis_.swap(base);
  const Status r = runSimplex(true, COIN_DBL_MAX);
  if (r == kFailed || r == kUnbounded) basis_.swap(antiga);
  if (r == kOptimal) ++restritas_;
  return r == kUnbounded ? kFailed : r;
}

void LpRelaxation::setFullPricing(bool full) {
  ClpDualRowSteepest pricing(full ? 1 : 3);
  clp_.setDualRowPivotAlgorithm(pricing);
}

LpRelaxation::Probe LpRelaxation::probe(const std::vector<BoundChange>& bounds,
                                        const std::vector<SparseRow>& rows, int maxIterations,
                                        double cutoff) {
  std::vector<std::pair<int, std::pair<double, double>>> before;
  for (const BoundChange& b : bounds) {
    before.push_back({b.col, {lb_[b.col], ub_[b.col]}});
    double lo = lb_[b.col], up = ub_[b.col];
    if (b.type == 'L' || b.type == 'B') lo = b.value;
    if (b.type == 'U' || b.type == 'B') up = b.value;
    lb_[b.col] = lo;
    ub_[b.col] = up;
    clp_.setColumnBounds(b.col, lo, up);
  }
  const int m = numRows();
  std::vector<const SparseRow*> add;
  for (const SparseRow& r : rows) add.push_back(&r);
  appendRows(add);
  double limit = COIN_DBL_MAX;
  if (cutoff > -1e30 && cutoff < 1e30) limit = -cutoff;
  const int maximo = clp_.maximumIterations();
  clp_.setMaximumIterations(maxIterations);
  Probe p{runSimplex(false, limit), 0.0};
  if (p.status == kFailed && clp_.status() == 3) p.status = kIterationLimit;
  clp_.setMaximumIterations(maximo);
  p.objective = -clp_.objectiveValue();

  if (!rows.empty()) {
    std::vector<int> which(rows.size());
    for (size_t k = 0; k < rows.size(); ++k) which[k] = m + static_cast<int>(k);
    clp_.deleteRows(static_cast<int>(which.size()), which.data());
    basis_.resize(n_ + m);
  }
  // Undone in reverse, so that a column changed twice gets its first bounds.
  for (auto it = before.rbegin(); it != before.rend(); ++it) {
    lb_[it->first] = it->second.first;
    ub_[it->first] = it->second.second;
    clp_.setColumnBounds(it->first, it->second.first, it->second.second);
  }
  return p;
}

void LpRelaxation::readSolution() {
  const double* x = clp_.primalColumnSolution();
  const double* a = clp_.primalRowSolution();
  const double* y = clp_.dualRowSolution();
  const double* d = clp_.dualColumnSolution();
  x_.assign(x, x + n_);
  act_.assign(a, a + numRows());
  duals_.resize(m0_);
  for (int i = 0; i < m0_; ++i) duals_[i] = -y[i];
  djs_.resize(n_);
  for (int j = 0; j < n_; ++j) djs_[j] = -d[j];
}

std::shared_ptr<LpState> LpRelaxation::save() const {
  auto s = std::make_shared<LpState>();
  s->lb = lb_;
  s->ub = ub_;
  s->rows = dyn_;
  s->status = basis_;
  return s;
}

}  // namespace xo
