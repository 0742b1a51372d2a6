// General-purpose cuts from the COIN-OR Cut Generation Library, derived from
// the root LP only (so they hold in the whole tree): Gomory mixed-integer,
// zero-half, two-step MIR, clique and odd-hole cuts, filtered for numerical
// safety.
#ifndef BCT_OPTIMIZER_GENERICCUTS_H
#define BCT_OPTIMIZER_GENERICCUTS_H

#include <ClpSimplex.hpp>
#include <vector>

#include "optimizer/Model.h"
#include "optimizer/SparseRow.h"

namespace xo {

// The pool type of these cuts: a bit of its own, so that no filter on the
// system's types picks them up.
constexpr int kGenericCutType = 1 << 20;

class GenericCuts {
 public:
  // Limits of a cut kept: terms, ratio of its largest to its smallest
  // coefficient, and violation at the LP point (relative to 1 + |rhs|).
  static constexpr int kMaxTerms = 1000;
  static constexpr double kMaxDynamism = 1e6;
  static constexpr double kMinViolation = 1e-4;

  explicit GenericCuts(const Model& model) : model_(model) {}

  // What rounds of these cuts alone do to an LP, tried on a copy of it.
  struct Trial {
    std::vector<SparseRow> rows;  // the cuts tight at the last LP point
    double objective = 0;         // its value (maximisation); meaningless when infeasible
    bool infeasible = false;      // the cuts leave no LP point at all
    int rounds = 0;
  };
  // Up to maxRounds rounds on a copy of `lp` (solved to optimality), each
  // cut appended and the copy re-solved; rounds end early when one moves
  // the objective by less than minGain.  `lp` itself is left as it was.
  Trial tryRounds(const ClpSimplex& lp, int maxRounds, double minGain) const;

  // Cuts violated by the current optimal solution of `lp` (whose columns
  // are the model's, rows the model's and any valid cuts), after the
  // filters; `pass` counts the rounds at this node from 0.
  std::vector<SparseRow> separate(const ClpSimplex& lp, const std::vector<double>& x, int pass) const;

 private:
  const Model& model_;
};

}  // namespace xo

#endif
