// The LP relaxation of the current node: one ClpSimplex for the whole search,
// changed incrementally (column bounds, appended and deleted rows) and always
// restarted from a known basis.  Model rows come first, in model order; the
// rows above them are pool cuts and branching rows.
#ifndef BCT_OPTIMIZER_LPRELAXATION_H
#define BCT_OPTIMIZER_LPRELAXATION_H

#include <ClpEventHandler.hpp>
#include <ClpSimplex.hpp>
#include <functional>
#include <memory>
#include <vector>

#include "optimizer/CutPool.h"
#include "optimizer/Model.h"
#include "optimizer/Node.h"

namespace xo {

class LpRelaxation {
 public:
  enum Status { kOptimal, kInfeasible, kCutOff, kUnbounded, kFailed, kStopped, kIterationLimit };

  LpRelaxation(const Model& model, const CutPool& pool);
  LpRelaxation(const LpRelaxation&) = delete;
  LpRelaxation& operator=(const LpRelaxation&) = delete;

  // Rebuilds the LP as a node's: its parent's final LP, the node's bound
  // changes and branching rows (given fresh negative keys from nextKey down).
  void restore(const LpState& s, const std::vector<BoundChange>& bounds,
               const std::vector<std::shared_ptr<const SparseRow>>& rows, long long& nextKey);
  // Appends the pool cuts not already in the LP; returns how many were added.
  int addCuts(const int* cuts, int n);
  bool hasCut(int cut) const { return cut < static_cast<int>(cutPos_.size()) && cutPos_[cut] >= 0; }
  // Drops cuts whose slack has been basic for at least limit solves in a row.
  int removeAgedCuts(int limit);
  // Primal simplex (root) or dual simplex from the current basis.  With a
  // cut-off, the dual simplex stops once the bound is sure to be below it.
  // Every few iterations `parar` (when set) is asked whether to give up:
  // then the answer is kStopped and the LP point means nothing.
  Status solve(bool primal, double cutoff);
  void setStopCheck(std::function<bool()> parar);
  // Dual re-solves of an LP of at least `minimo` columns (0: never) go
  // through a smaller LP first: the columns at their upper bound that no row
  // violated at the last point holds stay there, the rows left without a
  // free column go, and what remains, presolved, is solved from the last
  // basis as far as presolve carries it over; its basis, with those columns
  // back at their bound, is then taken to the optimum of the whole LP by the
  // primal simplex.  The same optimum (the point may be another of its
  // vertices), in less than half the time where the LP is tens of thousands
  // of rows and columns: presolve takes the smaller LP's rows held by fixed
  // columns down to a quarter.
  void setRestricted(int minimo) { restrita_ = minimo; }
  long long restrictedSolves() const { return restritas_; }
  // The dual simplex's pricing: full steepest edge, its weights computed
  // afresh at every solve, or CLP's own (partial, switching to full).
  void setFullPricing(bool full);
  // The LP of a child tried without making it: the bound changes and rows
  // on top of the LP as the last solve left it, at most maxIterations of the
  // dual simplex from its basis, then everything put back (the point, the
  // basis and the rows a solve or save() reads are untouched).  With
  // kIterationLimit the objective is where the dual simplex had got to.
  struct Probe {
    Status status;
    double objective;
  };
  Probe probe(const std::vector<BoundChange>& bounds, const std::vector<SparseRow>& rows,
              int maxIterations, double cutoff);
  std::shared_ptr<LpState> save() const;

  const ClpSimplex& simplex() const { return clp_; }
  const std::vector<double>& x() const { return x_; }
  const std::vector<double>& rowActivity() const { return act_; }
  const std::vector<double>& duals() const { return duals_; }
  const std::vector<double>& reducedCosts() const { return djs_; }
  double objective() const { return obj_; }
  const std::vector<DynRow>& dynRows() const { return dyn_; }
  int numRows() const { return m0_ + static_cast<int>(dyn_.size()); }
  long long iterations() const { return iterations_; }

 private:
  void appendRows(const std::vector<const SparseRow*>& rows);
  void deleteDynRows(const std::vector<int>& positions);
  Status runSimplex(bool primal, double limit);
  // The re-solve through the smaller LP; kFailed when it could not be used
  // (the caller then re-solves the whole LP from its basis).
  Status solveRestricted();
  void readSolution();

  // Asks the stop check every few simplex iterations.
  class Interrupcao : public ClpEventHandler {
   public:
    explicit Interrupcao(const std::function<bool()>& parar) : parar_(parar) {}
    ClpEventHandler* clone() const override { return new Interrupcao(*this); }
    int event(Event whichEvent) override;
    bool parou = false;

   private:
    const std::function<bool()>& parar_;
    int iteracoes_ = 0;
  };

  const Model& model_;
  const CutPool& pool_;
  ClpSimplex clp_;
  std::function<bool()> parar_;
  Interrupcao* interrupcao_ = nullptr;  // owned by clp_
  int n_ = 0, m0_ = 0;
  std::vector<DynRow> dyn_;
  std::vector<int> cutPos_;             // per pool cut: position in dyn_, or -1
  std::vector<unsigned char> basis_;    // columns then rows, aligned with the LP
  std::vector<double> lb_, ub_;         // the column bounds CLP holds
  std::vector<double> x_, act_, duals_, djs_;
  double obj_ = 0.0;
  long long iterations_ = 0;
  int restrita_ = 0;
  long long restritas_ = 0;  // re-solves that went through the smaller LP
  bool hasPoint_ = false;  // x_ holds the point of a finished solve
  // Reused buffers for row appends.
  std::vector<double> bufLo_, bufUp_, bufVal_;
  std::vector<int> bufStart_, bufCol_;
};

}  // namespace xo

#endif
