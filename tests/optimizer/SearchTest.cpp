// Branch-and-bound against brute force, with and without a lazy cut manager,
// plus the cut-off, the best bound and the time limit.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <ctime>
#include <vector>

#include "TestProblems.h"
#include "optimizer/xprs.h"

namespace {

using xotest::Instance;

struct Outcome {
  int status = 0;
  double bestInt = 0.0, bound = 0.0;
  int nodes = 0;
  std::vector<double> x;
};

Outcome solve(XPRSprob p, int n) {
  Outcome r;
  EXPECT_EQ(XPRSmaxim(p, "g"), 0);
  XPRSgetintattrib(p, XPRS_MIPSTATUS, &r.status);
  XPRSgetdblattrib(p, XPRS_MIPOBJVAL, &r.bestInt);
  XPRSgetdblattrib(p, XPRS_BESTBOUND, &r.bound);
  XPRSgetintattrib(p, XPRS_NODES, &r.nodes);
  r.x.assign(n, 0.0);
  if (r.status == 6) XPRSgetmipsol(p, r.x.data(), nullptr);
  return r;
}

// The hidden rows of an instance, separated only when the LP point violates
// them: the optimizer sees them as pool cuts.
struct LazyRows {
  const Instance* inst;
  int firstHidden;
  int loads = 0;
  int intsolCalls = 0;
  bool integralPointsFeasible = true;
};

int lazyCutManager(XPRSprob p, void* data) {
  auto* lazy = static_cast<LazyRows*>(data);
  const Instance& I = *lazy->inst;
  std::vector<double> x(I.n);
  EXPECT_EQ(XPRSgetpresolvesol(p, x.data(), nullptr, nullptr, nullptr), 0);
  std::vector<int> type, start{0}, cols;
  std::vector<char> sense;
  std::vector<double> rhs, vals;
  for (size_t i = lazy->firstHidden; i < I.rows.size(); ++i) {
    const xotest::Row& r = I.rows[i];
    if (r.satisfied(x)) continue;
    type.push_back(1 + static_cast<int>(i % 3));
    sense.push_back(r.sense);
    rhs.push_back(r.rhs);
    cols.insert(cols.end(), r.cols.begin(), r.cols.end());
    vals.insert(vals.end(), r.vals.begin(), r.vals.end());
    start.push_back(static_cast<int>(cols.size()));
  }
  const int k = static_cast<int>(type.size());
  if (k == 0) return 0;
  std::vector<XPRScut> h(k);
  EXPECT_EQ(XPRSstorecuts(p, k, 1, type.data(), sense.data(), rhs.data(), start.data(), h.data(),
                          cols.data(), vals.data()),
            0);
  EXPECT_EQ(XPRSloadcuts(p, 1234, -1, k, h.data()), 0);
  lazy->loads += k;
  return 1;
}

void lazyIntSol(XPRSprob p, void* data) {
  auto* lazy = static_cast<LazyRows*>(data);
  std::vector<double> x(lazy->inst->n);
  XPRSgetpresolvesol(p, x.data(), nullptr, nullptr, nullptr);
  ++lazy->intsolCalls;
  if (!xotest::feasible(*lazy->inst, x)) lazy->integralPointsFeasible = false;
}

TEST(Search, MatchesBruteForceOnSmallProblems) {
  std::mt19937 g(7);
  for (int trial = 0; trial < 30; ++trial) {
    Instance I;
    switch (trial % 3) {
      case 0: I = xotest::setPacking(g, 12, 10); break;
      case 1: I = xotest::knapsack(g, 12, 2); break;
      default: I = xotest::conflictGraph(g, 13, 0.3); break;
    }
    const double opt = xotest::bruteForce(I);
    // Depth first, and the largest bound first from the first node on.
    for (int selection : {5, 2}) {
      XPRSprob p = xotest::load(I);
      XPRSsetintcontrol(p, XPRS_NODESELECTION, selection);
      Outcome r = solve(p, I.n);
      EXPECT_EQ(r.status, 6) << trial << " " << selection;
      EXPECT_NEAR(r.bestInt, opt, 1e-6) << trial << " " << selection;
      EXPECT_TRUE(xotest::feasible(I, r.x)) << trial;
      EXPECT_GE(r.bound, opt - 1e-6) << trial;
      EXPECT_LE(r.bound, opt + 1e-5) << trial;
      EXPECT_GE(r.nodes, 1);
      XPRSdestroyprob(p);
    }
  }
}

// Stopped after the same number of nodes, a tree taken from the largest
// bound after each dive has a bound no larger than the depth-first one's,
// and lower on some; held depth first for all its nodes by
// XPRS_DEPTHFIRSTNODES, it is the depth-first tree.
TEST(Search, LargestBoundFirstLowersTheBoundOfAStoppedTree) {
  std::mt19937 g(12);
  int lower = 0;
  for (int trial = 0; trial < 6; ++trial) {
    Instance I = xotest::conflictGraph(g, 45, 0.12);
    auto stopped = [&](int selection, int depthFirst) {
      XPRSprob p = xotest::load(I);
      XPRSsetintcontrol(p, XPRS_NODESELECTION, selection);
      XPRSsetintcontrol(p, XPRS_DEPTHFIRSTNODES, depthFirst);
      static int questions;
      questions = 0;
      XPRSsetcbchecktime(p, [](XPRSprob, void*) { return ++questions >= 60 ? 1 : 0; }, nullptr);
      Outcome r = solve(p, I.n);
      XPRSdestroyprob(p);
      return r;
    };
    const Outcome depth = stopped(5, 0), best = stopped(2, 0), held = stopped(2, 1000);
    EXPECT_EQ(depth.status, 4) << trial;
    EXPECT_LE(best.bound, depth.bound) << trial;
    if (best.bound < depth.bound) ++lower;
    EXPECT_EQ(held.bound, depth.bound) << trial;
    EXPECT_EQ(held.bestInt, depth.bestInt) << trial;
    EXPECT_EQ(held.nodes, depth.nodes) << trial;
  }
  EXPECT_GE(lower, 2);
}

TEST(Search, LazyCutManagerReachesTheOptimum) {
  std::mt19937 g(11);
  for (int trial = 0; trial < 24; ++trial) {
    Instance I = trial % 2 ? xotest::conflictGraph(g, 14, 0.35) : xotest::setPacking(g, 13, 14);
    const double opt = xotest::bruteForce(I);
    // The root's re-solves priced as every node's, and by full steepest edge.
    for (int pricing : {0, 1}) {
      LazyRows lazy{&I, static_cast<int>(I.rows.size()) / 4};
      XPRSprob p = xotest::load(I, lazy.firstHidden);
      ASSERT_EQ(XPRSsetintcontrol(p, XPRS_ROOTSTEEPESTEDGE, pricing), 0);
      XPRSsetcbcutmgr(p, lazyCutManager, &lazy);
      XPRSsetcbintsol(p, lazyIntSol, &lazy);
      Outcome r = solve(p, I.n);
      EXPECT_EQ(r.status, 6);
      EXPECT_NEAR(r.bestInt, opt, 1e-6) << trial << " " << pricing;
      EXPECT_TRUE(lazy.integralPointsFeasible) << trial;
      EXPECT_GT(lazy.intsolCalls, 0);
      XPRSdestroyprob(p);
    }
  }
}

// The driver's pattern: its own incumbent callback raises the cut-off to
// z + 1 - 1e-6, while the optimizer's own solutions prune nothing.
struct Incumbent {
  double z = -1e20;
};

void incumbentCallback(XPRSprob p, void* data) {
  auto* inc = static_cast<Incumbent*>(data);
  double v;
  XPRSgetdblattrib(p, XPRS_LPOBJVAL, &v);
  if (v > inc->z - 1e-6) {
    inc->z = v;
    XPRSsetdblcontrol(p, XPRS_MIPABSCUTOFF, v + 1.0 - 1e-6);
  }
}

TEST(Search, CallerCutoffGivesTightBound) {
  std::mt19937 g(3);
  for (int trial = 0; trial < 10; ++trial) {
    Instance I = xotest::conflictGraph(g, 14, 0.3);
    const double opt = xotest::bruteForce(I);
    XPRSprob p = xotest::load(I);
    XPRSsetdblcontrol(p, XPRS_MIPRELCUTOFF, 0.0);
    XPRSsetdblcontrol(p, XPRS_MIPADDCUTOFF, -I.n);
    Incumbent inc;
    XPRSsetcbintsol(p, incumbentCallback, &inc);
    Outcome r = solve(p, I.n);
    EXPECT_NEAR(inc.z, opt, 1e-6);
    EXPECT_GE(r.bound, opt - 1e-6);
    EXPECT_LE(r.bound, opt + 1e-6);  // integral objective: bounds rounded down
    double cut;
    XPRSgetdblcontrol(p, XPRS_MIPABSCUTOFF, &cut);
    EXPECT_NEAR(cut, opt + 1 - 1e-6, 1e-9);  // the optimizer's rule never raised it
    XPRSdestroyprob(p);
  }
}

TEST(Search, CutoffAboveEverythingDropsTheRoot) {
  std::mt19937 g(5);
  Instance I = xotest::conflictGraph(g, 10, 0.3);
  const double opt = xotest::bruteForce(I);
  XPRSprob p = xotest::load(I);
  XPRSsetdblcontrol(p, XPRS_MIPABSCUTOFF, opt + 1 - 1e-6);
  std::vector<int> cutoffNodes;
  XPRSsetcbnodecutoff(
      p, [](XPRSprob, void* d, int node) { static_cast<std::vector<int>*>(d)->push_back(node); },
      &cutoffNodes);
  Outcome r = solve(p, I.n);
  EXPECT_EQ(r.status, 5);  // complete, nothing found
  EXPECT_FALSE(cutoffNodes.empty());
  EXPECT_GE(r.bound, opt - 1e-6);
  EXPECT_LE(r.bound, opt + 1 - 1e-6);
  XPRSdestroyprob(p);
}

TEST(Search, InfeasibleProblemCompletesWithoutSolution) {
  Instance I;
  I.n = 3;
  I.obj = {1, 1, 1};
  I.rows.push_back(xotest::Row{{0, 1, 2}, {1, 1, 1}, 'G', 1.5});
  I.rows.push_back(xotest::Row{{0, 1, 2}, {1, 1, 1}, 'L', 1.2});
  XPRSprob p = xotest::load(I);
  int infeasible = 0;
  XPRSsetcbinfnode(p, [](XPRSprob, void* d) { ++*static_cast<int*>(d); }, &infeasible);
  Outcome r = solve(p, I.n);
  EXPECT_EQ(r.status, 5);
  EXPECT_GT(infeasible, 0);
  EXPECT_LT(r.bound, -1e30);
  XPRSdestroyprob(p);
}

TEST(Search, TimeLimitStopsWithValidBound) {
  // A conflict graph too big to finish in the limit; the cut manager burns
  // time so that the limit is reached after a few nodes.
  std::mt19937 g(9);
  Instance I = xotest::conflictGraph(g, 60, 0.1);
  XPRSprob p = xotest::load(I);
  XPRSsetintcontrol(p, XPRS_MAXTIME, -1);
  XPRSsetintcontrol(p, XPRS_CPUTIME, 1);
  XPRSsetcbcutmgr(
      p,
      [](XPRSprob, void*) {
        const std::clock_t t0 = std::clock();
        while (std::clock() - t0 < CLOCKS_PER_SEC / 10) {
        }
        return 0;
      },
      nullptr);
  Outcome r = solve(p, I.n);
  EXPECT_TRUE(r.status == 3 || r.status == 4);
  EXPECT_GE(r.nodes, 3);
  EXPECT_LE(r.nodes, 40);
  double lp;
  XPRSmaxim(p, "");  // LP relaxation alone
  XPRSgetdblattrib(p, XPRS_LPOBJVAL, &lp);
  EXPECT_LE(r.bound, lp + 1e-6);
  EXPECT_GE(r.bound, r.status == 4 ? r.bestInt : 0.0);
  XPRSdestroyprob(p);
}

TEST(Search, CheckTimeCallbackStopsLikeTheTimeLimit) {
  // The callback says stop from its third question on: the root is solved,
  // the search ends with the root's children open and a bound no larger
  // than the root LP.  Told to stop at once, no LP is solved and the bound
  // is the objective over the column bounds.
  std::mt19937 g(4);
  Instance I = xotest::conflictGraph(g, 18, 0.3);
  for (int pergunta : {3, 1}) {
    XPRSprob p = xotest::load(I);
    static int perguntas;
    static int paraEm;
    perguntas = 0;
    paraEm = pergunta;
    XPRSsetcbchecktime(
        p, [](XPRSprob, void*) { return ++perguntas >= paraEm ? 1 : 0; }, nullptr);
    Outcome r = solve(p, I.n);
    EXPECT_TRUE(r.status == 3 || r.status == 4);
    EXPECT_EQ(perguntas, paraEm);
    if (pergunta == 1) {
      EXPECT_EQ(r.nodes, 0);
      EXPECT_DOUBLE_EQ(r.bound, I.n);
    } else {
      EXPECT_GE(r.bound, xotest::bruteForce(I) - 1e-6);
      EXPECT_LT(r.bound, I.n);
    }
    XPRSdestroyprob(p);
  }
}

// OpenBLAS, which the LP's dense factorizations reach through LAPACK, would
// keep a worker per processor spinning between its calls.
TEST(Search, InitLeavesTheBlasOneThread) {
  using Le = int (*)();
  using Define = void (*)(int);
  auto le = reinterpret_cast<Le>(dlsym(RTLD_DEFAULT, "openblas_get_num_threads"));
  auto define = reinterpret_cast<Define>(dlsym(RTLD_DEFAULT, "openblas_set_num_threads"));
  if (le == nullptr || define == nullptr) GTEST_SKIP() << "not OpenBLAS";
  define(2);
  ASSERT_EQ(XPRSinit(""), 0);
  EXPECT_EQ(le(), 1);
}

}  // namespace
