// The branch-and-bound (depth first, or the largest bound first): node
// processing, callbacks, cut loading, branching, the node order, the
// incumbent record, the best bound and the time limit.
#ifndef BCT_OPTIMIZER_SEARCH_H
#define BCT_OPTIMIZER_SEARCH_H

#include <chrono>
#include <ctime>
#include <memory>
#include <vector>

#include "optimizer/BranchObject.h"
#include "optimizer/GenericCuts.h"
#include "optimizer/LpRelaxation.h"
#include "optimizer/NodeStack.h"

namespace xo {

class Problem;

class Search {
 public:
  explicit Search(Problem& prob) : prob_(prob) {}
  // Returns 0 or an error number.
  int run(bool global);

  bool running() const { return running_; }
  bool hasLp() const { return lp_ != nullptr && lpSolves_ > 0; }
  // At the current node (or, after the search, the last LP solved).
  const double* point() const { return inIntSol_ ? leafX_.data() : lp_->x().data(); }
  const LpRelaxation& lp() const { return *lp_; }
  // Loads pool cuts into the current node's LP; false when there is no node.
  bool loadCuts(const int* cuts, int n);
  // While the branching-object callback runs: each branch of bo tried on
  // the node's LP (see XPRS_bo_strongbranch); false at any other time.
  bool probeBranches(const BranchObject& bo, int maxIterations, double* objectives, int* status);

  int lpStatus() const { return lpStatus_; }
  int mipStatus() const { return mipStatus_; }
  int nodesDone() const { return nodesDone_; }
  int depth() const { return curActive_ ? curDepth_ : 0; }
  int nodeId() const { return curActive_ ? curId_ : 0; }
  int fractional() const { return fractional_; }
  double lpObjective() const { return lpObj_; }
  bool hasSolution() const { return hasSol_; }
  double bestInteger() const { return hasSol_ ? bestInt_ : -1e40; }
  const std::vector<double>& bestSolution() const { return bestX_; }
  double bestBound() const;
  long long lpSolves() const { return lpSolves_; }
  int openNodes() const { return stack_.size(); }
  int genericCutsAdded() const { return genericAdded_; }
  long long iterations() const { return lp_ ? lp_->iterations() : 0; }

 private:
  static constexpr int kStopped = -1;  // processNode: the time limit was hit
  // General-purpose cuts are kept when their rounds close this share of the
  // root gap; a round that closes less than kGenericRoundShare ends them.
  static constexpr double kGenericPayShare = 0.1;
  static constexpr double kGenericRoundShare = 0.01;
  static constexpr int kBestFirst = 2;              // XPRS_NODESELECTION
  static constexpr double kBestFirstBytes = 1e9;    // the open nodes' LP states, about
  bool bestFirst() const;
  int processNode(Node node, bool root);
  void selectNext();
  void dropCutOff(int id, double bound);
  void recordLeaf();
  int branch(const Node& node);
  void fixByReducedCost(LpState& s);
  int chooseColumn() const;
  void countFractional();
  double cutoff() const;
  double roundBound(double b) const;
  bool timeUp() const;
  int addGenericCuts();
  bool genericPays(double before, const GenericCuts::Trial& t) const;
  int loadGeneric(const std::vector<SparseRow>& rows);

  Problem& prob_;
  std::unique_ptr<LpRelaxation> lp_;
  NodeStack stack_;
  bool running_ = false;
  bool integral_ = false;
  bool inIntSol_ = false;
  bool inBranchCallback_ = false;
  bool fullPricing_ = false;  // the root's pricing still set in the LP
  bool curActive_ = false;
  int curId_ = 0, curDepth_ = 0;
  double curBound_ = 1e40;
  int nextId_ = 2;
  int idsAtLastSelect_ = 2;  // nextId_ then: no child since means the dive ended
  long long nextKey_ = -1;
  int nodesDone_ = 0;
  int lpStatus_ = 0;
  int mipStatus_ = 0;
  int fractional_ = 0;
  int loaded_ = 0;
  double lpObj_ = 0.0;
  bool hasSol_ = false;
  double bestInt_ = -1e40;
  double droppedBound_ = -1e40;
  bool searched_ = false;
  std::vector<double> bestX_, leafX_;
  long long lpSolves_ = 0;
  int genericAdded_ = 0;     // general-purpose cuts added at the root
  int genericRounds_ = 0;
  bool genericTried_ = false;
  bool genericOn_ = false;
  double genericGap_ = 1;         // root bound minus cut-off when the rounds were tried
  double genericLastObj_ = 1e40;
  std::clock_t cpuStart_ = 0;
  std::chrono::steady_clock::time_point wallStart_;
};

}  // namespace xo

#endif
