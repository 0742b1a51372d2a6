// The depth-first branch-and-bound.
#include "optimizer/Search.h"

#include <algorithm>
#include <cmath>

#include "optimizer/ErrorCodes.h"
#include "optimizer/GenericCuts.h"
#include "optimizer/HandleRegistry.h"
#include "optimizer/Problem.h"

namespace xo {
namespace {

constexpr double kIntTol = 1e-6;

double fracDist(double v) { return std::fabs(v - std::floor(v + 0.5)); }

}  // namespace

double Search::cutoff() const { return prob_.controls.dblValue(XPRS_MIPABSCUTOFF); }

double Search::roundBound(double b) const {
  if (!integral_ || std::fabs(b) >= 1e30) return b;
  return std::floor(b + 1e-6);
}

bool Search::timeUp() const {
  const Callbacks& cb = prob_.callbacks;
  if (cb.checktime && cb.checktime(prob_.handle()) != 0) return true;
  const int limit = std::abs(prob_.controls.intValue(XPRS_MAXTIME));
  if (limit == 0) return false;
  double elapsed;
  if (prob_.controls.intValue(XPRS_CPUTIME) == 1)
    elapsed = static_cast<double>(std::clock() - cpuStart_) / CLOCKS_PER_SEC;
  else
    elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart_).count();
  return elapsed >= limit;
}

double Search::bestBound() const {
  if (!searched_) return 1e40;
  double b = std::max(droppedBound_, bestInteger());
  b = std::max(b, roundBound(stack_.maxBound()));
  if (curActive_) b = std::max(b, roundBound(curBound_));
  return b;
}

void Search::countFractional() {
  const std::vector<double>& x = lp_->x();
  int n = 0;
  for (int j = 0; j < prob_.model.numCols(); ++j)
    if (prob_.model.binary[j] && fracDist(x[j]) > kIntTol) ++n;
  fractional_ = n;
}

bool Search::loadCuts(const int* cuts, int n) {
  if (!running_ || !curActive_) return false;
  loaded_ += lp_->addCuts(cuts, n);
  return true;
}

void Search::dropCutOff(int id, double bound) {
  droppedBound_ = std::max(droppedBound_, roundBound(bound));
  const Callbacks& cb = prob_.callbacks;
  if (cb.nodecutoff) cb.nodecutoff(prob_.handle(), id);
  ++nodesDone_;
}

int Search::run(bool global) {
  running_ = true;
  searched_ = true;
  mipStatus_ = 3;
  nodesDone_ = 0;
  lpSolves_ = 0;
  hasSol_ = false;
  bestInt_ = -1e40;
  droppedBound_ = -1e40;
  bestX_.clear();
  nextId_ = 2;
  idsAtLastSelect_ = 2;
  nextKey_ = -1;
  integral_ = prob_.model.integralObjective();
  genericTried_ = genericOn_ = false;
  genericRounds_ = 0;
  cpuStart_ = std::clock();
  wallStart_ = std::chrono::steady_clock::now();
  lp_ = std::make_unique<LpRelaxation>(prob_.model, prob_.pool);
  // A long LP solve asks the check-time callback too, so that a deadline
  // is kept within a few iterations rather than a whole solve.
  if (prob_.callbacks.checktime)
    lp_->setStopCheck([this] { return prob_.callbacks.checktime(prob_.handle()) != 0; });
  stack_.clear();

  int err = 0;
  bool stopped = false;
  if (!global) {
    // The LP relaxation alone.
    const LpRelaxation::Status st = lp_->solve(true, -1e40);
    ++lpSolves_;
    lpStatus_ = st == LpRelaxation::kOptimal ? 1 : st == LpRelaxation::kInfeasible ? 2 : 4;
    lpObj_ = lp_->objective();
    countFractional();
    running_ = false;
    mipStatus_ = 0;
    return st == LpRelaxation::kFailed ? kErrLpFailed : 0;
  }

  Node root;
  root.bound = roundBound(prob_.model.objectiveBound());
  stack_.push(root);
  bool first = true;
  while (!stack_.empty()) {
    if (!first) {
      selectNext();
      if (stack_.empty()) break;
    }
    if (timeUp()) {
      stopped = true;
      break;
    }
    Node node = stack_.pop();
    const int r = processNode(std::move(node), first);
    first = false;
    if (r == kStopped) {
      stopped = true;
      break;
    }
    if (r != 0) {
      err = r;
      break;
    }
  }
  curActive_ = false;
  running_ = false;
  if (err || stopped)
    mipStatus_ = hasSol_ ? 4 : 3;
  else
    mipStatus_ = hasSol_ ? 6 : 5;
  return err;
}

bool Search::bestFirst() const {
  if (prob_.controls.intValue(XPRS_NODESELECTION) != kBestFirst) return false;
  if (nodesDone_ < prob_.controls.intValue(XPRS_DEPTHFIRSTNODES)) return false;
  // Open nodes keep their parents' final LPs (bounds, rows and basis, shared
  // by siblings): a frontier that would outgrow kBestFirstBytes goes on
  // depth first, which closes it.
  const double porNo = 24.0 * (prob_.model.numCols() + (lp_ ? lp_->numRows() : 0));
  return porNo * stack_.size() < kBestFirstBytes;
}

void Search::selectNext() {
  // A dive goes on into the children of the node just branched on; once it
  // ends, the search goes on from the open node of the largest bound.
  if (bestFirst() && nextId_ == idsAtLastSelect_)
    stack_.raiseBest([this](double b) { return roundBound(b); });
  idsAtLastSelect_ = nextId_;
  // Open nodes whose inherited bound fell under the cut-off meanwhile go
  // without an LP solve (the largest under it means all are).
  while (!stack_.empty() && stack_.top().bound < cutoff()) {
    Node n = stack_.pop();
    curActive_ = false;
    lpObj_ = n.bound;
    dropCutOff(n.id, n.bound);
  }
  const Callbacks& cb = prob_.callbacks;
  if (stack_.empty() || !cb.chgnode) return;
  int id = stack_.top().id;
  cb.chgnode(prob_.handle(), &id);
  if (id != stack_.top().id) stack_.raise(id);
}

int Search::processNode(Node node, bool root) {
  const Callbacks& cb = prob_.callbacks;
  const XPRSprob h = prob_.handle();
  curActive_ = true;
  curId_ = node.id;
  curDepth_ = node.depth;
  curBound_ = node.bound;
  if (node.parent) lp_->restore(*node.parent, node.bounds, node.rows, nextKey_);
  // Full pricing pays where a re-solve takes thousands of iterations, after
  // a round of hundreds of cuts; a child's few iterations would not repay
  // its weights.
  if (root && prob_.controls.intValue(XPRS_ROOTSTEEPESTEDGE) == 1) {
    lp_->setFullPricing(true);
    fullPricing_ = true;
  } else if (fullPricing_) {
    lp_->setFullPricing(false);
    fullPricing_ = false;
  }
  lp_->setRestricted(root ? prob_.controls.intValue(XPRS_ROOTRESTRICTED) : 0);
  bool primal = root;
  for (;;) {
    if (timeUp()) {
      node.bound = curBound_;
      curActive_ = false;
      stack_.push(std::move(node));  // still open: its bound stays in the best bound
      return kStopped;
    }
    const double cut = cutoff();
    const LpRelaxation::Status st = lp_->solve(primal, cut);
    if (st == LpRelaxation::kStopped) {
      node.bound = curBound_;
      curActive_ = false;
      stack_.push(std::move(node));  // still open: its bound stays in the best bound
      return kStopped;
    }
    primal = false;
    ++lpSolves_;
    lpObj_ = lp_->objective();
    loaded_ = 0;
    switch (st) {
      case LpRelaxation::kOptimal: lpStatus_ = 1; break;
      case LpRelaxation::kInfeasible: lpStatus_ = 2; break;
      case LpRelaxation::kCutOff: lpStatus_ = 3; break;
      case LpRelaxation::kFailed: lpStatus_ = 4; break;
      case LpRelaxation::kUnbounded: lpStatus_ = 5; break;
      case LpRelaxation::kStopped: break;  // handled above
      case LpRelaxation::kIterationLimit: break;  // probes only
    }
    if (st == LpRelaxation::kFailed) return kErrLpFailed;
    if (st == LpRelaxation::kUnbounded) return kErrUnbounded;
    countFractional();
    if (st == LpRelaxation::kInfeasible) {
      if (cb.infnode) cb.infnode(h);
      ++nodesDone_;
      curActive_ = false;
      return 0;
    }
    if (st == LpRelaxation::kCutOff || lpObj_ < cut) {
      dropCutOff(node.id, std::min(lpObj_, curBound_));
      curActive_ = false;
      return 0;
    }
    curBound_ = std::min(curBound_, lpObj_);
    int feasible = 1;
    if (cb.optnode) cb.optnode(h, &feasible);
    if (!feasible) {
      ++nodesDone_;
      curActive_ = false;
      return 0;
    }
    if (cb.cutmgr) cb.cutmgr(h);
    // General-purpose cuts, at the root only, once the cut manager has
    // nothing more to add.  Tried at tree nodes too (up to three rounds on a
    // copy of the node LP at depths up to 2, 5 and 10, the node dropped when
    // they took its bound under the cut-off, nothing kept): on the random
    // medium graphs, to depth 2 they changed no tree, to depth 5 the trees
    // grew (incumbents came at other nodes), and to depth 10 they halved the
    // trees but took three to four times as long.
    if (loaded_ == 0 && root) loaded_ = addGenericCuts();
    // Loaded cuts are what makes a re-solve worth it: a cut manager that
    // answers 1 without loading anything would otherwise loop for ever.
    if (loaded_ == 0) break;
    lp_->removeAgedCuts(prob_.controls.intValue(XPRS_CUTAGELIMIT));
  }
  // The callbacks may have raised the cut-off.
  if (lpObj_ < cutoff()) {
    dropCutOff(node.id, curBound_);
    curActive_ = false;
    return 0;
  }
  if (fractional_ == 0) {
    recordLeaf();
    ++nodesDone_;
    curActive_ = false;
    return 0;
  }
  const int r = branch(node);
  ++nodesDone_;
  curActive_ = false;
  return r;
}

int Search::addGenericCuts() {
  const int rounds = prob_.controls.intValue(XPRS_GENERICCUTS);
  if (rounds == 0 || fractional_ == 0 || lpObj_ < cutoff()) return 0;
  if (!genericTried_) {
    // The first time the cut manager has nothing left, the rounds are tried
    // on a copy of the LP, where neither the search nor its callbacks see
    // them.  They are kept only when they pay (see genericPays); otherwise
    // the search goes on exactly as it would without them.  The trial
    // measures these cuts alone: on the real networks, most of what rounds
    // interleaved with the system's separation once gained came from that
    // separation starting its own rounds again after each (bitcoinotc,
    // reduced: root bound 5656 to 5624; more root rounds of the system's
    // separation alone take it to 5605 and prove it).
    genericTried_ = true;
    const double before = lpObj_;
    const double ref = cutoff();
    genericGap_ = ref > -1e30 ? std::max(before - ref, 1e-6) : std::max(1.0, std::fabs(before));
    const GenericCuts::Trial t =
        GenericCuts(prob_.model).tryRounds(lp_->simplex(), rounds, kGenericRoundShare * genericGap_);
    genericRounds_ = t.rounds;
    if (!genericPays(before, t)) return 0;
    genericOn_ = true;
    genericLastObj_ = lpObj_;
    return loadGeneric(t.rows);
  }
  // Once kept, further rounds follow the system's own cuts while each still
  // moves the bound.
  if (!genericOn_ || genericRounds_ >= rounds) return 0;
  if (genericLastObj_ - lpObj_ < kGenericRoundShare * genericGap_) return 0;
  genericLastObj_ = lpObj_;
  return loadGeneric(GenericCuts(prob_.model).separate(lp_->simplex(), lp_->x(), genericRounds_++));
}

bool Search::genericPays(double before, const GenericCuts::Trial& t) const {
  // Measured on the medium instances, where the incumbent at the root is
  // still far from the optimum: rounds that closed under a twentieth of the
  // gap or left the rounded bound where it was, kept, gave trees mostly
  // larger (the matrices by a third to a half: the rows slow every node LP
  // and steer the branching elsewhere), a few smaller; rounds that closed a
  // third of it and more (netlib_sc205, netlib_sc50a) proved the optimum at
  // or near the root.
  const double ref = cutoff();
  if (t.infeasible || (ref > -1e30 && t.objective < ref)) return true;
  if (integral_ && !(roundBound(t.objective) < roundBound(before))) return false;
  return before - t.objective >= kGenericPayShare * genericGap_;
}

int Search::loadGeneric(const std::vector<SparseRow>& rows) {
  std::vector<int> handles;
  for (const SparseRow& r : rows) handles.push_back(prob_.pool.store(kGenericCutType, r, 2));
  const int added = handles.empty() ? 0 : lp_->addCuts(handles.data(), static_cast<int>(handles.size()));
  genericAdded_ += added;
  return added;
}

void Search::recordLeaf() {
  const Model& m = prob_.model;
  leafX_ = lp_->x();
  double z = 0.0;
  for (int j = 0; j < m.numCols(); ++j) {
    if (m.binary[j]) leafX_[j] = std::floor(leafX_[j] + 0.5);
    z += m.obj[j] * leafX_[j];
  }
  if (!hasSol_ || z > bestInt_) {
    bestInt_ = z;
    bestX_ = leafX_;
  }
  hasSol_ = true;
  // The optimizer's own cut-off rule: only ever raises the cut-off.
  const double cand = z + prob_.controls.dblValue(XPRS_MIPADDCUTOFF) +
                      prob_.controls.dblValue(XPRS_MIPRELCUTOFF) * std::fabs(z);
  if (cand > cutoff()) prob_.controls.setDbl(XPRS_MIPABSCUTOFF, cand);
  const Callbacks& cb = prob_.callbacks;
  if (cb.intsol) {
    inIntSol_ = true;
    cb.intsol(prob_.handle());
    inIntSol_ = false;
  }
}

void Search::fixByReducedCost(LpState& s) {
  // LP duality bounds every point of the subtree that moves column j off
  // its bound by the node bound minus |dj|.  When that is below the cut-off,
  // nothing the subtree could find there would be kept, so the column stays
  // at its bound in every child.  Local to the subtree: its LP rows include
  // the branching rows above it.
  const double cut = cutoff();
  if (!(cut > -1e30)) return;
  const Model& m = prob_.model;
  const std::vector<double>& x = lp_->x();
  const std::vector<double>& d = lp_->reducedCosts();
  const double margin = 1e-6 * std::max(1.0, std::fabs(cut));
  for (int j = 0; j < m.numCols(); ++j) {
    if (!m.binary[j] || s.lb[j] == s.ub[j]) continue;
    const double range = s.ub[j] - s.lb[j];
    double moved;
    if (d[j] < 0.0 && x[j] <= s.lb[j] + kIntTol) {
      moved = lpObj_ + d[j] * range;
      if (!(moved < cut - margin)) continue;
      s.ub[j] = s.lb[j];
    } else if (d[j] > 0.0 && x[j] >= s.ub[j] - kIntTol) {
      moved = lpObj_ - d[j] * range;
      if (!(moved < cut - margin)) continue;
      s.lb[j] = s.ub[j];
    } else {
      continue;
    }
    // What the fixing drops counts in the best bound as a dropped node would.
    droppedBound_ = std::max(droppedBound_, roundBound(moved));
  }
}

int Search::chooseColumn() const {
  const std::vector<double>& x = lp_->x();
  int best = -1;
  double bestDist = kIntTol;
  for (int j = 0; j < prob_.model.numCols(); ++j) {
    if (!prob_.model.binary[j]) continue;
    const double d = fracDist(x[j]);
    if (d > bestDist) {
      best = j;
      bestDist = d;
    }
  }
  return best;
}

bool Search::probeBranches(const BranchObject& bo, int maxIterations, double* objectives,
                           int* status) {
  if (!inBranchCallback_) return false;
  const double cut = cutoff();
  for (int b = 0; b < bo.numBranches(); ++b) {
    const BranchObject::Branch& br = bo.branch(b);
    const LpRelaxation::Probe p = lp_->probe(br.bounds, br.rows, maxIterations, cut);
    objectives[b] = p.objective;
    switch (p.status) {
      case LpRelaxation::kOptimal: status[b] = p.objective < cut ? 2 : 0; break;
      case LpRelaxation::kIterationLimit: status[b] = 1; break;
      case LpRelaxation::kInfeasible:
      case LpRelaxation::kCutOff: status[b] = 2; break;
      default: status[b] = 3; break;
    }
    if (status[b] == 2) objectives[b] = -1e40;
  }
  return true;
}

int Search::branch(const Node& node) {
  const Callbacks& cb = prob_.callbacks;
  const XPRSprob h = prob_.handle();
  const Model& m = prob_.model;
  const std::vector<double>& x = lp_->x();
  int col = chooseColumn();
  int up = 1;
  if (cb.chgbranch) {
    int c = col;
    double estimate = fracDist(x[col]) * std::fabs(m.obj[col]);
    cb.chgbranch(h, &c, &up, &estimate);
    // A replacement column is taken only if it can still be branched on.
    if (c >= 0 && c < m.numCols() && m.binary[c] && fracDist(x[c]) > kIntTol) col = c;
  }
  XPRSbranchobject proposed = HandleRegistry::createBranchObject(h, m.numCols());
  BranchObject* own = HandleRegistry::branchObject(proposed);
  own->addBranches(2);
  const BoundChange upChange{col, 'L', std::ceil(x[col])};
  const BoundChange downChange{col, 'U', std::floor(x[col])};
  own->branch(0).bounds.push_back(up ? upChange : downChange);
  own->branch(1).bounds.push_back(up ? downChange : upChange);

  XPRSbranchobject chosen = proposed;
  if (cb.chgbranchobject) {
    XPRSbranchobject replacement = nullptr;
    inBranchCallback_ = true;
    cb.chgbranchobject(h, proposed, &replacement);
    inBranchCallback_ = false;
    BranchObject* r = HandleRegistry::branchObject(replacement);
    if (r && HandleRegistry::owner(replacement) == h && r->numBranches() > 0) chosen = replacement;
    else if (replacement && replacement != proposed && r && HandleRegistry::owner(replacement) == h)
      HandleRegistry::destroyBranchObject(replacement);  // handed over, but unusable
  }
  const BranchObject* bo = HandleRegistry::branchObject(chosen);

  lp_->removeAgedCuts(prob_.controls.intValue(XPRS_CUTAGELIMIT));
  std::shared_ptr<LpState> fresh = lp_->save();
  fixByReducedCost(*fresh);
  std::shared_ptr<const LpState> state = std::move(fresh);
  const int nb = bo->numBranches();
  const int firstId = nextId_;
  nextId_ += nb;
  for (int b = nb - 1; b >= 0; --b) {
    const BranchObject::Branch& br = bo->branch(b);
    Node child;
    child.id = firstId + b;
    child.depth = node.depth + 1;
    child.bound = curBound_;
    child.parent = state;
    child.bounds = br.bounds;
    for (const SparseRow& r : br.rows) child.rows.push_back(std::make_shared<const SparseRow>(r));
    stack_.push(std::move(child));
  }
  if (chosen != proposed) HandleRegistry::destroyBranchObject(chosen);
  HandleRegistry::destroyBranchObject(proposed);
  return 0;
}

}  // namespace xo
