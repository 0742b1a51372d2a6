// The loaded model.
#include "optimizer/Model.h"

#include <cmath>
#include <utility>

namespace xo {

void Model::clear() {
  loaded = false;
  obj.clear();
  lb.clear();
  ub.clear();
  binary.clear();
  rows.clear();
  rowLower.clear();
  rowUpper.clear();
}

void Model::addRow(SparseRow row, double lower, double upper) {
  rows.push_back(std::move(row));
  rowLower.push_back(lower);
  rowUpper.push_back(upper);
}

bool Model::integralObjective() const {
  for (int j = 0; j < numCols(); ++j) {
    if (obj[j] == 0.0) continue;
    if (!binary[j] || obj[j] != std::floor(obj[j])) return false;
  }
  return true;
}

double Model::objectiveBound() const {
  double b = 0.0;
  for (int j = 0; j < numCols(); ++j) {
    const double v = obj[j] >= 0 ? ub[j] : lb[j];
    if (obj[j] != 0 && std::fabs(v) >= 1e30) return 1e40;
    b += obj[j] * v;
  }
  return b;
}

}  // namespace xo
