// The open nodes: the last pushed is the next one (depth first), unless the
// search raises another to the top (the best bound first).
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
  // Brings the node of the largest key(bound) to the top, of those tied the
  // one nearest the top (the deepest of the latest dive).
  template <class Key>
  void raiseBest(Key key) {
    if (nodes_.size() < 2) return;
    size_t best = nodes_.size() - 1;
    double kb = key(nodes_[best].bound);
    for (size_t i = best; i-- > 0;) {
      const double k = key(nodes_[i].bound);
      if (k > kb) {
        best = i;
        kb = k;
      }
    }
    if (best + 1 != nodes_.size()) raise(nodes_[best].id);
  }
  // Largest inherited bound over the open nodes (-1e40 when empty).
  double maxBound() const;
  void clear() { nodes_.clear(); }

 private:
  std::vector<Node> nodes_;
};

}  // namespace xo

#endif
