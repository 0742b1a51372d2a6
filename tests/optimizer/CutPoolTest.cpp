// Cut pool semantics: store and dedupe, violated lists, loading into the
// node LP, active lists, slacks, rows read back, and cut aging.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "TestProblems.h"
#include "optimizer/xprs.h"

namespace {

XPRScut store(XPRSprob p, int type, std::vector<int> cols, double rhs, int nodupl = 1,
              char sense = 'L') {
  std::vector<double> vals(cols.size(), 1.0);
  int start[2] = {0, static_cast<int>(cols.size())};
  XPRScut h = nullptr;
  EXPECT_EQ(XPRSstorecuts(p, 1, nodupl, &type, &sense, &rhs, start, &h, cols.data(), vals.data()), 0);
  return h;
}

xotest::Instance free3() {
  xotest::Instance I;
  I.n = 3;
  I.obj = {1, 1, 1};
  I.rows.push_back(xotest::Row{{0, 1, 2}, {1, 1, 1}, 'L', 3.0});
  return I;
}

TEST(CutPool, StoreDedupesByTypeSenseRhsAndTerms) {
  XPRSprob p = xotest::load(free3());
  XPRScut a = store(p, 1, {0, 1}, 1.0);
  EXPECT_EQ(store(p, 1, {1, 0}, 1.0), a);            // same terms in another order
  EXPECT_NE(store(p, 2, {0, 1}, 1.0), a);            // other type
  EXPECT_NE(store(p, 1, {0, 1}, 2.0), a);            // other rhs
  EXPECT_NE(store(p, 1, {0, 1}, 1.0, 1, 'G'), a);    // other sense
  EXPECT_NE(store(p, 1, {0, 1, 2}, 1.0), a);         // other terms
  EXPECT_NE(store(p, 1, {0, 1}, 1.0, 0), a);         // no duplicate check
  EXPECT_EQ(store(p, 3, {0, 1}, 1.0, 2), a);         // across types
  XPRSdestroyprob(p);
}

// Runs the search with a cut manager given as a lambda.
struct Manager {
  std::function<int(XPRSprob, int)> f;
  int calls = 0;
};

int manager(XPRSprob p, void* d) {
  auto* m = static_cast<Manager*>(d);
  return m->f(p, m->calls++);
}

TEST(CutPool, ViolatedListLoadActiveListSlackAndRows) {
  XPRSprob p = xotest::load(free3());
  XPRScut c1 = store(p, 1, {0, 1}, 1.0);
  XPRScut c2 = store(p, 2, {0, 1, 2}, 2.0);
  XPRScut c3 = store(p, 1, {2}, 1.0);
  XPRScut c4 = store(p, 3, {2, 0, 1}, 1.5);
  Manager m;
  m.f = [&](XPRSprob q, int call) {
    int n = -1;
    XPRScut h[4];
    double viol[4];
    if (call == 0) {  // LP point (1, 1, 1)
      EXPECT_EQ(XPRSgetcpcutlist(q, 1234, -1, 1e-5, &n, 2, h, viol), 0);
      EXPECT_EQ(n, 3);  // full count beyond the room given
      EXPECT_EQ(h[0], c4);
      EXPECT_DOUBLE_EQ(viol[0], 1.5);
      EXPECT_EQ(h[1], c1);  // pool order among equal violations
      EXPECT_EQ(XPRSgetcpcutlist(q, 1, 1, 1e-5, &n, 4, h, nullptr), 0);
      EXPECT_EQ(n, 1);
      EXPECT_EQ(h[0], c1);
      XPRScut load[3] = {c1, c1, c4};
      EXPECT_EQ(XPRSloadcuts(q, 1234, -1, 3, load), 0);
      EXPECT_EQ(XPRSgetcutlist(q, 1234, -1, &n, 4, h), 0);
      EXPECT_EQ(n, 2);  // never twice in one LP
      EXPECT_EQ(XPRSgetcutlist(q, 1, 1, &n, 4, h), 0);
      EXPECT_EQ(n, 1);
      EXPECT_EQ(h[0], c1);
      return 1;
    }
    if (call == 1) {  // re-solved with x0 + x1 <= 1 and the sum <= 1.5
      double s;
      EXPECT_EQ(XPRSgetcutslack(q, c1, &s), 0);
      EXPECT_GE(s, -1e-9);
      EXPECT_EQ(XPRSgetcutslack(q, c3, &s), 0);
      EXPECT_GE(s, -1e-9);
      double obj;
      XPRSgetdblattrib(q, XPRS_LPOBJVAL, &obj);
      EXPECT_NEAR(obj, 1.5, 1e-9);
      EXPECT_EQ(XPRSgetcpcutlist(q, 1234, -1, 1e-5, &n, 4, h, nullptr), 0);
      EXPECT_EQ(n, 0);
      XPRScut rows[2] = {c4, c2};
      int type[2], start[3], cols[6];
      char sense[2];
      double vals[6], rhs[2];
      EXPECT_EQ(XPRSgetcpcuts(q, rows, 2, 4, type, sense, start, cols, vals, rhs), XPRS_ERR);
      EXPECT_EQ(XPRSgetcpcuts(q, rows, 2, 6, type, sense, start, cols, vals, rhs), 0);
      EXPECT_EQ(type[0], 3);
      EXPECT_EQ(type[1], 2);
      EXPECT_EQ(start[1], 3);
      EXPECT_EQ(start[2], 6);
      EXPECT_EQ(cols[0], 2);  // the terms keep the order they were stored in
      EXPECT_EQ(cols[1], 0);
      EXPECT_DOUBLE_EQ(rhs[0], 1.5);
      EXPECT_EQ(XPRSgetcpcuts(q, rows, 2, 6, nullptr, sense, start, cols, vals, rhs), 0);
    }
    return 0;
  };
  XPRSsetcbcutmgr(p, manager, &m);
  ASSERT_EQ(XPRSmaxim(p, "g"), 0);
  double best;
  XPRSgetdblattrib(p, XPRS_MIPOBJVAL, &best);
  EXPECT_DOUBLE_EQ(best, 1.0);  // the loaded cuts hold in every descendant
  XPRSdestroyprob(p);
}

TEST(CutPool, SlackCutsAgeOutOfTheNodeLp) {
  xotest::Instance I = free3();
  XPRSprob p = xotest::load(I);
  XPRSsetintcontrol(p, XPRS_CUTAGELIMIT, 2);
  XPRScut tight1 = store(p, 1, {0, 1}, 1.0);
  XPRScut loose = store(p, 1, {0, 1, 2}, 10.0);
  XPRScut tight2 = store(p, 1, {1, 2}, 1.0);
  XPRScut tight3 = store(p, 1, {0, 2}, 1.0);
  std::vector<int> active;
  Manager m;
  m.f = [&](XPRSprob q, int call) {
    int n;
    XPRScut h[4];
    XPRSgetcutlist(q, 1234, -1, &n, 4, h);
    active.push_back(n);
    XPRScut load[2] = {tight1, loose};
    if (call == 0) return XPRSloadcuts(q, 0, -1, 2, load), 1;
    if (call == 1) return XPRSloadcuts(q, 0, -1, 1, &tight2), 1;
    if (call == 2) return XPRSloadcuts(q, 0, -1, 1, &tight3), 1;
    return 0;
  };
  XPRSsetcbcutmgr(p, manager, &m);
  ASSERT_EQ(XPRSmaxim(p, "g"), 0);
  // The loose cut is slack after solves 2 and 3, so it is gone before the
  // fourth; the pool still has it.
  ASSERT_GE(active.size(), 4u);
  EXPECT_EQ(active[0], 0);
  EXPECT_EQ(active[1], 2);
  EXPECT_EQ(active[2], 3);
  EXPECT_EQ(active[3], 3);
  int t;
  char s;
  int st[2], cols[3];
  double v[3], r;
  EXPECT_EQ(XPRSgetcpcuts(p, &loose, 1, 3, &t, &s, st, cols, v, &r), 0);
  XPRSdestroyprob(p);
}

}  // namespace
