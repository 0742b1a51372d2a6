// The cut pool: every stored cut with its type, found again by a hash of its
// type-free canonical form so that duplicates get the handle already given.
#ifndef BCT_OPTIMIZER_CUTPOOL_H
#define BCT_OPTIMIZER_CUTPOOL_H

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "optimizer/SparseRow.h"

namespace xo {

struct Cut {
  int type;
  SparseRow row;
  std::size_t hash;
};

class CutPool {
 public:
  // Stores a cut and returns its index.  nodupl 1: a stored cut of the same
  // type, sense, rhs and terms (in any order) is returned instead; nodupl 2:
  // the same but of any type.
  int store(int type, SparseRow row, int nodupl);
  int size() const { return static_cast<int>(cuts_.size()); }
  bool valid(int index) const { return index >= 0 && index < size(); }
  const Cut& cut(int index) const { return cuts_[index]; }
  int type(int index) const { return cuts_[index].type; }
  // SparseRow::violation of a cut, term for term in the same order, read
  // from one contiguous copy of the pool's rows (a pool scan then streams
  // through memory instead of visiting every cut's own arrays).
  double violation(int index, const double* x) const {
    return violationOf(index, activityFrom(flatStart_[index], flatStart_[index + 1], x));
  }
  // violation(which[i], x) into out[i] for n cuts; four rows are summed side
  // by side (each in its own term order) so that their additions overlap.
  void violations(const int* which, int n, const double* x, double* out) const;  // Does a cut type pass the filter (interp -1: all; 1: equal; 2: bit mask)?
  static bool typeMatches(int type, int itype, int interp);

 private:
  static std::size_t hashOf(const SparseRow& row);
  static bool sameRow(const SparseRow& a, const SparseRow& b);

  double activityFrom(int b, int e, const double* x) const {
    double a = 0.0;
    for (int k = b; k < e; ++k) a += flatVal_[k] * x[flatCol_[k]];
    return a;
  }
  double violationOf(int index, double a) const {
    const double rhs = cuts_[index].row.rhs;
    const char sense = cuts_[index].row.sense;
    if (sense == 'L') return a > rhs ? a - rhs : 0.0;
    if (sense == 'G') return a < rhs ? rhs - a : 0.0;
    return a > rhs ? a - rhs : rhs - a;
  }

  std::vector<Cut> cuts_;
  std::vector<int> flatStart_{0};  // cut c's terms: flatStart_[c] .. flatStart_[c+1]-1
  std::vector<int> flatCol_;
  std::vector<double> flatVal_;
  std::unordered_multimap<std::size_t, int> byHash_;
};

}  // namespace xo

#endif
