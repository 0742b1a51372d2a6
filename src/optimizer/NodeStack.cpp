// The stack of open nodes.
#include "optimizer/NodeStack.h"

#include <algorithm>
#include <utility>

namespace xo {

Node NodeStack::pop() {
  Node n = std::move(nodes_.back());
  nodes_.pop_back();
  return n;
}

bool NodeStack::raise(int id) {
  for (size_t i = 0; i < nodes_.size(); ++i) {
    if (nodes_[i].id != id) continue;
    if (i + 1 != nodes_.size()) {
      Node n = std::move(nodes_[i]);
      nodes_.erase(nodes_.begin() + static_cast<long>(i));
      nodes_.push_back(std::move(n));
    }
    return true;
  }
  return false;
}

double NodeStack::maxBound() const {
  double b = -1e40;
  for (const Node& n : nodes_) b = std::max(b, n.bound);
  return b;
}

}  // namespace xo
