// A branching object: any number of branches, each a set of bound changes and
// rows that the child of that branch (and all its descendants) gets.
#ifndef BCT_OPTIMIZER_BRANCHOBJECT_H
#define BCT_OPTIMIZER_BRANCHOBJECT_H

#include <vector>

#include "optimizer/SparseRow.h"

namespace xo {

class BranchObject {
 public:
  struct Branch {
    std::vector<BoundChange> bounds;
    std::vector<SparseRow> rows;
  };

  explicit BranchObject(int numCols) : numCols_(numCols) {}
  int numCols() const { return numCols_; }
  int numBranches() const { return static_cast<int>(branches_.size()); }
  void addBranches(int n) { branches_.resize(branches_.size() + n); }
  Branch& branch(int b) { return branches_[b]; }
  const Branch& branch(int b) const { return branches_[b]; }
  int priority() const { return priority_; }
  void setPriority(int p) { priority_ = p; }

 private:
  int numCols_;
  int priority_ = 0;
  std::vector<Branch> branches_;
};

}  // namespace xo

#endif
