// A linear row (sense, right-hand side, terms) and a bound change: the pieces
// the model, the cut pool and branching objects are made of.
#ifndef BCT_OPTIMIZER_SPARSEROW_H
#define BCT_OPTIMIZER_SPARSEROW_H

#include <cstddef>
#include <vector>

namespace xo {

struct SparseRow {
  char sense = 'L';  // 'L', 'G' or 'E'
  double rhs = 0.0;
  std::vector<int> cols;
  std::vector<double> vals;

  double activity(const double* x) const {
    double a = 0.0;
    for (std::size_t k = 0; k < cols.size(); ++k) a += vals[k] * x[cols[k]];
    return a;
  }
  // How far x is from satisfying the row (0 when satisfied).
  double violation(const double* x) const {
    const double a = activity(x);
    if (sense == 'L') return a > rhs ? a - rhs : 0.0;
    if (sense == 'G') return a < rhs ? rhs - a : 0.0;
    return a > rhs ? a - rhs : rhs - a;
  }
};

struct BoundChange {
  int col;
  char type;  // 'L' lower, 'U' upper, 'B' both
  double value;
};

}  // namespace xo

#endif
