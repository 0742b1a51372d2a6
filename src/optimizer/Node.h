// Node records of the search tree: an open node knows its parent's final LP
// (shared by the siblings) and what its own branch adds to it.
#ifndef BCT_OPTIMIZER_NODE_H
#define BCT_OPTIMIZER_NODE_H

#include <memory>
#include <vector>

#include "optimizer/SparseRow.h"

namespace xo {

// A row of the LP beyond the model rows: a pool cut (key >= 0, the cut's
// index, row null) or a branching row (key < 0, row held here).
struct DynRow {
  long long key;
  std::shared_ptr<const SparseRow> row;
  int age;  // consecutive LP solves with a basic slack (cuts only)
};

// Everything needed to rebuild a node's final LP and restart from its basis.
struct LpState {
  std::vector<double> lb, ub;
  std::vector<DynRow> rows;
  std::vector<unsigned char> status;  // columns, model rows, then rows above
};

struct Node {
  int id = 1;
  int depth = 1;
  double bound = 1e40;  // the parent's LP bound
  std::shared_ptr<const LpState> parent;  // null for the root
  std::vector<BoundChange> bounds;
  std::vector<std::shared_ptr<const SparseRow>> rows;
};

}  // namespace xo

#endif
