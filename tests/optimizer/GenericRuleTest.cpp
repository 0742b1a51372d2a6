// When the optimizer keeps its general-purpose cuts: rounds that take the
// rounded root bound down are kept and prove what they can at the root;
// rounds that do not are dropped without a trace, so the tree, the cuts and
// the solution are those of a run without them.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "TestProblems.h"
#include "optimizer/xprs.h"

namespace {

using xotest::Instance;

struct Outcome {
  int status = 0, nodes = 0, generic = 0;
  double bestInt = 0, bound = 0;
  int lpSolves = 0, iterations = 0;
  std::vector<double> x;
};

Outcome solve(const Instance& I, int rounds) {
  XPRSprob p = xotest::load(I);
  EXPECT_EQ(XPRSsetintcontrol(p, XPRS_GENERICCUTS, rounds), 0);
  Outcome r;
  EXPECT_EQ(XPRSmaxim(p, "g"), 0);
  XPRSgetintattrib(p, XPRS_MIPSTATUS, &r.status);
  XPRSgetintattrib(p, XPRS_NODES, &r.nodes);
  XPRSgetintattrib(p, XPRS_GENERICCUTSADDED, &r.generic);
  XPRSgetintattrib(p, XPRS_NODELPSOLVES, &r.lpSolves);
  XPRSgetintattrib(p, XPRS_SIMPLEXITER, &r.iterations);
  XPRSgetdblattrib(p, XPRS_MIPOBJVAL, &r.bestInt);
  XPRSgetdblattrib(p, XPRS_BESTBOUND, &r.bound);
  r.x.assign(I.n, 0.0);
  if (r.status == 6) XPRSgetmipsol(p, r.x.data(), nullptr);
  XPRSdestroyprob(p);
  return r;
}

// Independent sets of `cycles` disjoint 5-cycles: the LP puts 1/2 on every
// vertex (5/2 a cycle), the optimum takes 2 a cycle, and an odd-hole or
// zero-half cut per cycle closes the whole gap.
Instance fiveCycles(int cycles) {
  Instance I;
  I.n = 5 * cycles;
  I.obj.assign(I.n, 1.0);
  for (int c = 0; c < cycles; ++c)
    for (int k = 0; k < 5; ++k) I.rows.push_back(xotest::Row{{5 * c + k, 5 * c + (k + 1) % 5}, {1, 1}, 'L', 1});
  return I;
}

TEST(GenericCutsRule, KeptWhenTheyLowerTheRoundedBound) {
  // Two cycles: LP 5, optimum 4; the cuts take the bound to 4.
  const Instance I = fiveCycles(2);
  const Outcome without = solve(I, 0);
  const Outcome with = solve(I, 20);
  EXPECT_NEAR(without.bestInt, 4, 1e-9);
  EXPECT_NEAR(with.bestInt, 4, 1e-9);
  EXPECT_GT(with.generic, 0);
  EXPECT_EQ(with.nodes, 1);
  EXPECT_GT(without.nodes, 1);  // what the cuts save
}

TEST(GenericCutsRule, DroppedWhenTheRoundedBoundStays) {
  // One cycle: LP 5/2 already rounds to the optimum 2, so the cut that
  // takes the LP to 2 gains nothing a node could be pruned by.
  const Instance I = fiveCycles(1);
  const Outcome without = solve(I, 0);
  const Outcome with = solve(I, 20);
  EXPECT_EQ(with.generic, 0);
  EXPECT_EQ(with.nodes, without.nodes);
  EXPECT_EQ(with.lpSolves, without.lpSolves);
  EXPECT_EQ(with.iterations, without.iterations);
  EXPECT_EQ(with.x, without.x);
}

TEST(GenericCutsRule, ExactWhetherKeptOrDropped) {
  // Kept or dropped, the optimum is found; dropped, the search is the one
  // without them, LP solve for LP solve.
  std::mt19937 g(2024);
  int kept = 0, dropped = 0;
  for (int trial = 0; trial < 45; ++trial) {
    Instance I;
    switch (trial % 3) {
      case 0: I = xotest::setPacking(g, 14, 12); break;
      case 1: I = xotest::knapsack(g, 12, 2); break;
      default: I = xotest::conflictGraph(g, 15, 0.25); break;
    }
    const double opt = xotest::bruteForce(I);
    const Outcome without = solve(I, 0);
    const Outcome with = solve(I, 20);
    SCOPED_TRACE(trial);
    ASSERT_EQ(with.status, 6);
    EXPECT_NEAR(with.bestInt, opt, 1e-6);
    EXPECT_TRUE(xotest::feasible(I, with.x));
    EXPECT_GE(with.bound, opt - 1e-6);
    if (with.generic > 0) {
      ++kept;
    } else {
      if (without.nodes > 1) ++dropped;
      EXPECT_EQ(with.nodes, without.nodes);
      EXPECT_EQ(with.lpSolves, without.lpSolves);
      EXPECT_EQ(with.iterations, without.iterations);
      EXPECT_EQ(with.x, without.x);
    }
  }
  // Both outcomes are exercised.
  EXPECT_GT(kept, 0);
  EXPECT_GT(dropped, 0);
}

}  // namespace
