// A row sum_{v in vertices} x_v <= rhs that every balanced set of a graph
// satisfies (an odd negative cycle, |C| - 1; a double edge, 1): what a bound
// computed beside a search hands to the search's LP.
#ifndef BCT_GRAPH_LINHAVALIDA_H
#define BCT_GRAPH_LINHAVALIDA_H

#include <vector>

struct LinhaValida {
  std::vector<int> vertices;
  double rhs = 0;
};

#endif
