// The order of callbacks on a small tree whose LP points are unique, with
// the node numbers, identifiers and depths each callback sees.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestProblems.h"
#include "optimizer/xprs.h"

namespace {

std::vector<std::string>* events;

std::string where(XPRSprob p) {
  int k, id, depth;
  XPRSgetintattrib(p, XPRS_NODES, &k);
  XPRSgetintattrib(p, XPRS_CURRENTNODE, &id);
  XPRSgetintattrib(p, XPRS_NODEDEPTH, &depth);
  return std::to_string(k) + "/" + std::to_string(id) + "/" + std::to_string(depth);
}

void optnode(XPRSprob p, void*, int*) { events->push_back("opt " + where(p)); }
int cutmgr(XPRSprob p, void*) {
  events->push_back("cut " + where(p));
  return 0;
}
void intsol(XPRSprob p, void*) {
  double z, lp;
  XPRSgetdblattrib(p, XPRS_MIPOBJVAL, &z);
  XPRSgetdblattrib(p, XPRS_LPOBJVAL, &lp);
  events->push_back("int " + where(p) + " " + std::to_string(static_cast<int>(z)));
}
void chgbranch(XPRSprob p, void*, int* col, int* up, double*) {
  events->push_back("var " + where(p) + " x" + std::to_string(*col) + (*up ? " up" : " down"));
}
int chgbo(XPRSprob p, void*, XPRSbranchobject, XPRSbranchobject*) {
  events->push_back("obj " + where(p));
  return 0;
}
void chgnode(XPRSprob, void*, int* node) { events->push_back("next " + std::to_string(*node)); }
void infnode(XPRSprob p, void*) { events->push_back("inf " + where(p)); }
void cutoff(XPRSprob, void*, int node) { events->push_back("cutoff " + std::to_string(node)); }

TEST(CallbackOrder, SmallTree) {
  xotest::Instance I = xotest::tinyTree();
  XPRSprob p = xotest::load(I);
  std::vector<std::string> got;
  events = &got;
  XPRSsetcboptnode(p, optnode, nullptr);
  XPRSsetcbcutmgr(p, cutmgr, nullptr);
  XPRSsetcbintsol(p, intsol, nullptr);
  XPRSsetcbchgbranch(p, chgbranch, nullptr);
  XPRSsetcbchgbranchobject(p, chgbo, nullptr);
  XPRSsetcbchgnode(p, chgnode, nullptr);
  XPRSsetcbinfnode(p, infnode, nullptr);
  XPRSsetcbnodecutoff(p, cutoff, nullptr);
  ASSERT_EQ(XPRSmaxim(p, "g"), 0);
  // Events read "k/id/depth": k nodes finished before, identifier, depth.
  const std::vector<std::string> want = {
      "opt 0/1/1", "cut 0/1/1", "var 0/1/1 x1 up", "obj 0/1/1", "next 2",
      "opt 1/2/2", "cut 1/2/2", "var 1/2/2 x0 up", "obj 1/2/2", "next 4",
      "inf 2/4/3", "next 5",
      "opt 3/5/3", "cut 3/5/3", "var 3/5/3 x2 up", "obj 3/5/3", "next 6",
      "inf 4/6/4", "next 7",
      "opt 5/7/4", "cut 5/7/4", "int 5/7/4 2", "next 3",
      "opt 6/3/2", "cut 6/3/2", "var 6/3/2 x2 up", "obj 6/3/2", "next 8",
      // Node 3 (bound 3.5) fixes x0 at 1 by its reduced cost 2: x0 = 0
      // would leave 1.5, under the cut-off 2 + 1e-5 of the first leaf.
      "inf 7/8/3", "next 9",
      "opt 8/9/3", "cut 8/9/3", "int 8/9/3 3"};
  EXPECT_EQ(got, want);
  int status, nodes;
  double best, bound;
  XPRSgetintattrib(p, XPRS_MIPSTATUS, &status);
  XPRSgetintattrib(p, XPRS_NODES, &nodes);
  XPRSgetdblattrib(p, XPRS_MIPOBJVAL, &best);
  XPRSgetdblattrib(p, XPRS_BESTBOUND, &bound);
  EXPECT_EQ(status, 6);
  EXPECT_EQ(nodes, 9);
  EXPECT_DOUBLE_EQ(best, 3.0);
  EXPECT_DOUBLE_EQ(bound, 3.0);
  XPRSdestroyprob(p);
}

TEST(CallbackOrder, CutoffRaisedByCallbackDropsOpenNodes) {
  // Same tree; the first solution's callback raises the cut-off above the
  // other subtree's bound (3.5 -> nothing beyond 3 exists), so node 3 is
  // dropped unsolved and its identifier goes to the cut-off callback.
  xotest::Instance I = xotest::tinyTree();
  XPRSprob p = xotest::load(I);
  std::vector<std::string> got;
  events = &got;
  XPRSsetcbintsol(p, [](XPRSprob q, void*) { XPRSsetdblcontrol(q, XPRS_MIPABSCUTOFF, 4.0); },
                  nullptr);
  XPRSsetcbnodecutoff(p, cutoff, nullptr);
  ASSERT_EQ(XPRSmaxim(p, "g"), 0);
  EXPECT_EQ(got, std::vector<std::string>{"cutoff 3"});
  double bound;
  XPRSgetdblattrib(p, XPRS_BESTBOUND, &bound);
  EXPECT_DOUBLE_EQ(bound, 3.0);  // floor(3.5): the dropped subtree holds nothing above 3
  XPRSdestroyprob(p);
}

}  // namespace
