// The open nodes, explored depth first: the last pushed is the next one.
#ifndef BCT_OPTIMIZER_NODESTACK_H
#define BCT_OPTIMIZER_NODESTACK_H

#include <vector>

#include "optimizer/Node.h"

namespace xo {

class NodeStack {
 public:
  bool empty() const { return nodes_.empty(); }
  int size() const { return static_cast<int>(nodes_.size()); }
  void push(Node n) { nodes_.push_back(std::move(n)); }
  Node& top() { return nodes_.back(); }
  Node pop();
  // Brings the open node with this id to the top; false if there is none.
  bool raise(int id);
  // Largest inherited bound over the open nodes (-1e40 when empty).
  double maxBound() const;
  void clear() { nodes_.clear(); }

 private:
  std::vector<Node> nodes_;
};

}  // namespace xo

#endif
