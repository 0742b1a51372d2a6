// Replacement branching objects: a three-way branch on rows of senses 'L',
// 'E' and 'G' whose rows hold in every descendant, and ownership.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "TestProblems.h"
#include "optimizer/xprs.h"

namespace {

struct Tracker {
  int n = 0;
  std::map<int, double> depth2Sum;  // identifier -> x0 + x1 at depth 2
  bool sumsIntegralBelow = true;     // x0 + x1 integral at every depth >= 2
  XPRSbranchobject handedOver = nullptr;
  int replaced = 0;
};

void optnode(XPRSprob p, void* d, int*) {
  auto* t = static_cast<Tracker*>(d);
  int depth, id;
  XPRSgetintattrib(p, XPRS_NODEDEPTH, &depth);
  XPRSgetintattrib(p, XPRS_CURRENTNODE, &id);
  std::vector<double> x(t->n);
  XPRSgetpresolvesol(p, x.data(), nullptr, nullptr, nullptr);
  const double s = x[0] + x[1];
  if (depth == 2) t->depth2Sum[id] = s;
  if (depth >= 2 && std::fabs(s - std::round(s)) > 1e-6) t->sumsIntegralBelow = false;
}

int threeWay(XPRSprob p, void* d, XPRSbranchobject, XPRSbranchobject* replacement) {
  auto* t = static_cast<Tracker*>(d);
  int depth;
  XPRSgetintattrib(p, XPRS_NODEDEPTH, &depth);
  if (depth != 1) return 0;  // the optimizer's own branching below the root
  XPRSbranchobject bo;
  EXPECT_EQ(XPRS_bo_create(&bo, p, 0), 0);
  EXPECT_EQ(XPRS_bo_addbranches(bo, 3), 0);
  const int start[1] = {0};
  const int cols[2] = {0, 1};
  const double vals[2] = {1.0, 1.0};
  const char senses[3] = {'L', 'E', 'G'};
  const double rhs[3] = {0.0, 1.0, 2.0};
  for (int b = 0; b < 3; ++b)
    EXPECT_EQ(XPRS_bo_addrows(bo, b, 1, 2, &senses[b], &rhs[b], start, cols, vals), 0);
  EXPECT_EQ(XPRS_bo_setpriority(bo, 100), 0);
  *replacement = bo;
  t->handedOver = bo;
  ++t->replaced;
  return 0;
}

TEST(BranchObject, ThreeWayRowBranchesCoverTheSpace) {
  std::mt19937 g(21);
  int branchedAtRoot = 0;
  for (int trial = 0; trial < 10; ++trial) {
    xotest::Instance I = xotest::conflictGraph(g, 12, 0.3);
    // Make x0 and x1 matter: they carry the larger weights.
    I.obj[0] = 3;
    I.obj[1] = 2;
    const double opt = xotest::bruteForce(I);
    XPRSprob p = xotest::load(I);
    Tracker t;
    t.n = I.n;
    XPRSsetcboptnode(p, optnode, &t);
    XPRSsetcbchgbranchobject(p, threeWay, &t);
    ASSERT_EQ(XPRSmaxim(p, "g"), 0);
    double best;
    XPRSgetdblattrib(p, XPRS_MIPOBJVAL, &best);
    EXPECT_NEAR(best, opt, 1e-6) << trial;
    if (t.replaced == 0) {  // the root LP was integral
      XPRSdestroyprob(p);
      continue;
    }
    ++branchedAtRoot;
    // Children 2, 3, 4 in branch order, each inside its own row.
    for (const auto& [id, s] : t.depth2Sum) {
      ASSERT_GE(id, 2);
      ASSERT_LE(id, 4);
      EXPECT_NEAR(s, id - 2, 1e-6) << trial;
    }
    EXPECT_TRUE(t.sumsIntegralBelow) << trial;
    // The optimizer has freed the object it was handed.
    EXPECT_EQ(XPRS_bo_destroy(t.handedOver), XPRS_ERR);
    XPRSdestroyprob(p);
  }
  EXPECT_GE(branchedAtRoot, 3);
}

TEST(BranchObject, EmptyReplacementIsIgnored) {
  xotest::Instance I = xotest::tinyTree();
  XPRSprob p = xotest::load(I);
  XPRSsetcbchgbranchobject(
      p,
      [](XPRSprob q, void*, XPRSbranchobject, XPRSbranchobject* r) {
        XPRS_bo_create(r, q, 0);  // no branches: unusable
        return 0;
      },
      nullptr);
  ASSERT_EQ(XPRSmaxim(p, "g"), 0);
  double best;
  XPRSgetdblattrib(p, XPRS_MIPOBJVAL, &best);
  EXPECT_DOUBLE_EQ(best, 3.0);
  XPRSdestroyprob(p);
}

}  // namespace
