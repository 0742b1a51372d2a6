// Small 0/1 problems for the optimizer tests: generators, loading through
// the C interface, and a brute force that gives their true optimum.
#ifndef BCT_TESTS_OPTIMIZER_TESTPROBLEMS_H
#define BCT_TESTS_OPTIMIZER_TESTPROBLEMS_H

#include <cmath>
#include <random>
#include <vector>

#include "optimizer/xprs.h"

namespace xotest {

struct Row {
  std::vector<int> cols;
  std::vector<double> vals;
  char sense = 'L';
  double rhs = 0.0;

  double activity(const std::vector<double>& x) const {
    double a = 0.0;
    for (size_t k = 0; k < cols.size(); ++k) a += vals[k] * x[cols[k]];
    return a;
  }
  bool satisfied(const std::vector<double>& x, double tol = 1e-6) const {
    const double a = activity(x);
    if (sense == 'L') return a <= rhs + tol;
    if (sense == 'G') return a >= rhs - tol;
    return std::fabs(a - rhs) <= tol;
  }
};

struct Instance {
  int n = 0;
  std::vector<double> obj;
  std::vector<Row> rows;
};

inline bool feasible(const Instance& I, const std::vector<double>& x) {
  for (const Row& r : I.rows)
    if (!r.satisfied(x)) return false;
  return true;
}

// True optimum by enumeration (n <= 20); -1e40 when infeasible.
inline double bruteForce(const Instance& I) {
  double best = -1e40;
  std::vector<double> x(I.n);
  for (long mask = 0; mask < (1L << I.n); ++mask) {
    double z = 0.0;
    for (int j = 0; j < I.n; ++j) {
      x[j] = (mask >> j) & 1;
      z += I.obj[j] * x[j];
    }
    if (z > best && feasible(I, x)) best = z;
  }
  return best;
}

// Loads the first `loaded` rows of I column-wise (all of them when -1).
inline XPRSprob load(const Instance& I, int loaded = -1) {
  if (loaded < 0) loaded = static_cast<int>(I.rows.size());
  std::vector<int> start(I.n + 1, 0), rind;
  std::vector<double> val;
  std::vector<std::vector<std::pair<int, double>>> byCol(I.n);
  for (int i = 0; i < loaded; ++i)
    for (size_t k = 0; k < I.rows[i].cols.size(); ++k)
      byCol[I.rows[i].cols[k]].push_back({i, I.rows[i].vals[k]});
  for (int j = 0; j < I.n; ++j) {
    for (auto& e : byCol[j]) {
      rind.push_back(e.first);
      val.push_back(e.second);
    }
    start[j + 1] = static_cast<int>(rind.size());
  }
  std::vector<char> qrtype(loaded), qgtype(I.n, 'B');
  std::vector<double> rhs(loaded), lb(I.n, 0.0), ub(I.n, 1.0);
  std::vector<int> gcols(I.n);
  for (int i = 0; i < loaded; ++i) {
    qrtype[i] = I.rows[i].sense;
    rhs[i] = I.rows[i].rhs;
  }
  for (int j = 0; j < I.n; ++j) gcols[j] = j;
  XPRSprob p = nullptr;
  XPRScreateprob(&p);
  XPRSloadglobal(p, "test", I.n, loaded, qrtype.data(), rhs.data(), nullptr, I.obj.data(),
                 start.data(), nullptr, rind.data(), val.data(), lb.data(), ub.data(), I.n, 0,
                 qgtype.data(), gcols.data(), nullptr, nullptr, nullptr, nullptr, nullptr);
  return p;
}

inline Instance setPacking(std::mt19937& g, int n, int m) {
  Instance I;
  I.n = n;
  std::uniform_int_distribution<int> w(1, 9), pick(0, n - 1), size(2, 4);
  for (int j = 0; j < n; ++j) I.obj.push_back(w(g));
  for (int i = 0; i < m; ++i) {
    Row r;
    const int s = size(g);
    while (static_cast<int>(r.cols.size()) < s) {
      const int c = pick(g);
      bool dup = false;
      for (int e : r.cols) dup |= e == c;
      if (!dup) {
        r.cols.push_back(c);
        r.vals.push_back(1.0);
      }
    }
    r.rhs = 1.0;
    I.rows.push_back(r);
  }
  return I;
}

inline Instance knapsack(std::mt19937& g, int n, int m) {
  Instance I;
  I.n = n;
  std::uniform_real_distribution<double> w(1.0, 10.0);
  for (int j = 0; j < n; ++j) I.obj.push_back(std::round(w(g) * 10) / 10);
  for (int i = 0; i < m; ++i) {
    Row r;
    double total = 0.0;
    for (int j = 0; j < n; ++j) {
      r.cols.push_back(j);
      r.vals.push_back(std::round(w(g)));
      total += r.vals.back();
    }
    r.rhs = std::floor(total / 2.5);
    I.rows.push_back(r);
  }
  return I;
}

// Unit weights on a random graph: maximum independent set by edge rows.
inline Instance conflictGraph(std::mt19937& g, int n, double density) {
  Instance I;
  I.n = n;
  I.obj.assign(n, 1.0);
  std::bernoulli_distribution edge(density);
  for (int a = 0; a < n; ++a)
    for (int b = a + 1; b < n; ++b)
      if (edge(g)) I.rows.push_back(Row{{a, b}, {1.0, 1.0}, 'L', 1.0});
  return I;
}

// max 3x0 + 2x1 + x2 with x0 + x1 + x2 <= 1.5: a three-level tree in which
// every LP point is unique, so callback sequences are fixed.
inline Instance tinyTree() {
  Instance I;
  I.n = 3;
  I.obj = {3, 2, 1};
  I.rows.push_back(Row{{0, 1, 2}, {1, 1, 1}, 'L', 1.5});
  return I;
}

}  // namespace xotest

#endif
