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
  // Does a cut type pass the filter (interp -1: all; 1: equal; 2: bit mask)?
  static bool typeMatches(int type, int itype, int interp);

 private:
  static std::size_t hashOf(const SparseRow& row);
  static bool sameRow(const SparseRow& a, const SparseRow& b);

  std::vector<Cut> cuts_;
  std::unordered_multimap<std::size_t, int> byHash_;
};

}  // namespace xo

#endif
