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

// x0 + x1 = 0, = 1, = 2 in branches 0, 1, 2.
XPRSbranchobject threeWayObject(XPRSprob p) {
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
  return bo;
}

// A conflict graph whose x0 and x1 carry the larger weights, so that they matter.
xotest::Instance weighted(std::mt19937& g, int n, double density) {
  xotest::Instance I = xotest::conflictGraph(g, n, density);
  I.obj[0] = 3;
  I.obj[1] = 2;
  return I;
}

int threeWay(XPRSprob p, void* d, XPRSbranchobject, XPRSbranchobject* replacement) {
  auto* t = static_cast<Tracker*>(d);
  int depth;
  XPRSgetintattrib(p, XPRS_NODEDEPTH, &depth);
  if (depth != 1) return 0;  // the optimizer's own branching below the root
  XPRSbranchobject bo = threeWayObject(p);
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
    xotest::Instance I = weighted(g, 12, 0.3);
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

// The root's three-way branch tried on its LP before it is handed over.
struct Probed {
  bool probe = false;
  int status[3] = {-1, -1, -1};
  double objective[3] = {0, 0, 0};
  std::map<int, double> childObjective;  // identifier -> first LP value at depth 2
  std::vector<int> order;                // identifiers of the nodes, in the order solved
};

int probedThreeWay(XPRSprob p, void* d, XPRSbranchobject, XPRSbranchobject* replacement) {
  auto* t = static_cast<Probed*>(d);
  int depth;
  XPRSgetintattrib(p, XPRS_NODEDEPTH, &depth);
  if (depth != 1) return 0;
  XPRSbranchobject bo = threeWayObject(p);
  const int col = 1;
  const double one = 1.0;
  XPRS_bo_addbounds(bo, 2, 1, "L", &col, &one);  // implied by the row: a bound tried too
  if (t->probe) {
    EXPECT_EQ(XPRS_bo_strongbranch(bo, 0, t->objective, t->status), XPRS_ERR);
    EXPECT_EQ(XPRS_bo_strongbranch(bo, 100000, t->objective, t->status), 0);
  }
  *replacement = bo;
  return 0;
}

void probedNode(XPRSprob p, void* d, int*) {
  auto* t = static_cast<Probed*>(d);
  int depth, id;
  XPRSgetintattrib(p, XPRS_NODEDEPTH, &depth);
  XPRSgetintattrib(p, XPRS_CURRENTNODE, &id);
  t->order.push_back(id);
  double z;
  XPRSgetdblattrib(p, XPRS_LPOBJVAL, &z);
  if (depth == 2 && !t->childObjective.count(id)) t->childObjective[id] = z;
}

TEST(BranchObject, StrongBranchTriesEachChildAndLeavesTheNodeAsItWas) {
  std::mt19937 g(33);
  int tried = 0;
  for (int trial = 0; trial < 12; ++trial) {
    xotest::Instance I = weighted(g, 14, 0.25);
    const double opt = xotest::bruteForce(I);
    Probed runs[2];
    double best[2];
    for (int k = 0; k < 2; ++k) {
      runs[k].probe = k == 1;
      XPRSprob p = xotest::load(I);
      XPRSsetcboptnode(p, probedNode, &runs[k]);
      XPRSsetcbchgbranchobject(p, probedThreeWay, &runs[k]);
      ASSERT_EQ(XPRSmaxim(p, "g"), 0);
      XPRSgetdblattrib(p, XPRS_MIPOBJVAL, &best[k]);
      // Outside the callback there is no node to try it on.
      XPRSbranchobject bo;
      XPRS_bo_create(&bo, p, 0);
      XPRS_bo_addbranches(bo, 1);
      double o;
      int st;
      EXPECT_EQ(XPRS_bo_strongbranch(bo, 10, &o, &st), XPRS_ERR);
      XPRS_bo_destroy(bo);
      XPRSdestroyprob(p);
    }
    EXPECT_NEAR(best[1], opt, 1e-6) << trial;
    // The same tree, node for node: trying the branches changed nothing.
    EXPECT_EQ(runs[0].order, runs[1].order) << trial;
    EXPECT_EQ(runs[0].childObjective, runs[1].childObjective) << trial;
    if (runs[1].status[0] < 0) continue;  // no branching at the root
    ++tried;
    // Children 2, 3, 4 in branch order; the first solved (2) has the LP the
    // try had; later ones may have columns fixed by the cut-off meanwhile.
    for (int b = 0; b < 3; ++b) {
      const Probed& r = runs[1];
      ASSERT_NE(r.status[b], 1) << trial;
      auto it = r.childObjective.find(2 + b);
      if (r.status[b] == 2) {
        EXPECT_DOUBLE_EQ(r.objective[b], -1e40);
        if (b == 0) {
          EXPECT_TRUE(it == r.childObjective.end()) << trial;
        }
        continue;
      }
      EXPECT_EQ(r.status[b], 0) << trial;
      if (it == r.childObjective.end()) continue;  // cut off by then
      if (b == 0) {
        EXPECT_NEAR(it->second, r.objective[b], 1e-6) << trial;
      } else {
        EXPECT_LE(it->second, r.objective[b] + 1e-6) << trial;
      }
    }
  }
  EXPECT_GE(tried, 4);
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
