// The loaded model: columns (bounds, objective, binary flag) and rows, kept
// row-wise so that rows appended later simply follow the loaded ones.
#ifndef BCT_OPTIMIZER_MODEL_H
#define BCT_OPTIMIZER_MODEL_H

#include <vector>

#include "optimizer/SparseRow.h"

namespace xo {

class Model {
 public:
  bool loaded = false;
  std::vector<double> obj, lb, ub;
  std::vector<char> binary;
  std::vector<SparseRow> rows;
  // Row bounds for 'R' and 'N' rows, which SparseRow cannot express.
  std::vector<double> rowLower, rowUpper;

  int numCols() const { return static_cast<int>(obj.size()); }
  int numRows() const { return static_cast<int>(rows.size()); }
  void clear();
  void addRow(SparseRow row, double lower, double upper);
  // True when every solution with integral binaries has an integral value:
  // then a node bound can be rounded down.
  bool integralObjective() const;
  // The objective's largest value over the column bounds alone (rows
  // ignored), 1e40 when some column can grow it without limit: a bound
  // before any LP is solved.
  double objectiveBound() const;
};

}  // namespace xo

#endif
