// Every bad handle, index, count or call out of place returns 32 with an
// error number, and the problem stays usable afterwards.
#include <gtest/gtest.h>

#include <cstdint>

#include "TestProblems.h"
#include "optimizer/xprs.h"

namespace {

int errorNumber(XPRSprob p) {
  int e = -1;
  XPRSgetintattrib(p, XPRS_ERRORCODE, &e);
  return e;
}


TEST(ErrorPaths, NullAndDeadHandles) {
  int iv;
  double dv;
  XPRScut cut = nullptr;
  XPRSbranchobject bo = nullptr;
  for (XPRSprob bad : {static_cast<XPRSprob>(nullptr), reinterpret_cast<XPRSprob>(std::uintptr_t{64})}) {
    EXPECT_EQ(XPRSdestroyprob(bad), XPRS_ERR);
    EXPECT_EQ(XPRSsetintcontrol(bad, XPRS_MAXTIME, 1), XPRS_ERR);
    EXPECT_EQ(XPRSsetdblcontrol(bad, XPRS_MIPABSCUTOFF, 1.0), XPRS_ERR);
    EXPECT_EQ(XPRSgetintattrib(bad, XPRS_COLS, &iv), XPRS_ERR);
    EXPECT_EQ(XPRSgetdblattrib(bad, XPRS_BESTBOUND, &dv), XPRS_ERR);
    EXPECT_EQ(XPRSmaxim(bad, "g"), XPRS_ERR);
    EXPECT_EQ(XPRSaddrows(bad, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), XPRS_ERR);
    EXPECT_EQ(XPRSgetpresolvesol(bad, nullptr, nullptr, nullptr, nullptr), XPRS_ERR);
    EXPECT_EQ(XPRSloadcuts(bad, 0, -1, 0, nullptr), XPRS_ERR);
    EXPECT_EQ(XPRSgetcutslack(bad, cut, &dv), XPRS_ERR);
    EXPECT_EQ(XPRS_bo_create(&bo, bad, 0), XPRS_ERR);
    EXPECT_EQ(XPRSsetcbcutmgr(bad, nullptr, nullptr), XPRS_ERR);
  }
  EXPECT_EQ(XPRScreateprob(nullptr), XPRS_ERR);
  EXPECT_EQ(XPRS_bo_destroy(nullptr), XPRS_ERR);
  EXPECT_EQ(XPRS_bo_addbranches(nullptr, 2), XPRS_ERR);
  EXPECT_EQ(XPRS_bo_setpriority(nullptr, 1), XPRS_ERR);

  XPRSprob p = xotest::load(xotest::tinyTree());
  ASSERT_EQ(XPRSdestroyprob(p), 0);
  EXPECT_EQ(XPRSmaxim(p, "g"), XPRS_ERR);  // dead now
  EXPECT_EQ(XPRSgetintattrib(p, XPRS_COLS, &iv), XPRS_ERR);

  // XPRSfree releases every problem still alive.
  XPRSprob q = xotest::load(xotest::tinyTree());
  EXPECT_EQ(XPRSfree(), 0);
  EXPECT_EQ(XPRSgetintattrib(q, XPRS_COLS, &iv), XPRS_ERR);
  EXPECT_EQ(XPRSinit(""), 0);
}

TEST(ErrorPaths, BadIndicesAndCounts) {
  XPRSprob p = nullptr;
  ASSERT_EQ(XPRScreateprob(&p), 0);
  EXPECT_EQ(XPRSmaxim(p, "g"), XPRS_ERR);
  EXPECT_EQ(errorNumber(p), XPRS_ERRNO_NOTLOADED);
  // A column naming row 5 of 1.
  const char qr[1] = {'L'};
  const double rhs[1] = {1.0}, obj[2] = {1, 1}, lb[2] = {0, 0}, ub[2] = {1, 1}, val[2] = {1, 1};
  const int start[3] = {0, 1, 2}, gcols[2] = {0, 1};
  const char gt[2] = {'B', 'B'};
  const int badRows[2] = {0, 5};
  EXPECT_EQ(XPRSloadglobal(p, "t", 2, 1, qr, rhs, nullptr, obj, start, nullptr, badRows, val, lb, ub,
                           2, 0, gt, gcols, nullptr, nullptr, nullptr, nullptr, nullptr),
            XPRS_ERR);
  EXPECT_EQ(errorNumber(p), XPRS_ERRNO_BADINDEX);
  EXPECT_EQ(XPRSloadglobal(p, "t", -1, 1, qr, rhs, nullptr, obj, start, nullptr, badRows, val, lb,
                           ub, 2, 0, gt, gcols, nullptr, nullptr, nullptr, nullptr, nullptr),
            XPRS_ERR);
  EXPECT_EQ(errorNumber(p), XPRS_ERRNO_BADCOUNT);
  const char badType[2] = {'B', 'S'};
  const int rows[2] = {0, 0};
  EXPECT_EQ(XPRSloadglobal(p, "t", 2, 1, qr, rhs, nullptr, obj, start, nullptr, rows, val, lb, ub, 2,
                           0, badType, gcols, nullptr, nullptr, nullptr, nullptr, nullptr),
            XPRS_ERR);
  EXPECT_EQ(errorNumber(p), XPRS_ERRNO_BADTYPE);
  ASSERT_EQ(XPRSloadglobal(p, "t", 2, 1, qr, rhs, nullptr, obj, start, nullptr, rows, val, lb, ub, 2,
                           0, gt, gcols, nullptr, nullptr, nullptr, nullptr, nullptr),
            0);

  // Rows: a column out of range, a column twice, a bad sense, bad counts.
  const int rstart[1] = {0};
  const int outOfRange[2] = {0, 2}, twice[2] = {1, 1}, fine[2] = {0, 1};
  EXPECT_EQ(XPRSaddrows(p, 1, 2, qr, rhs, nullptr, rstart, outOfRange, val), XPRS_ERR);
  EXPECT_EQ(errorNumber(p), XPRS_ERRNO_BADINDEX);
  EXPECT_EQ(XPRSaddrows(p, 1, 2, qr, rhs, nullptr, rstart, twice, val), XPRS_ERR);
  const char badSense[1] = {'X'};
  EXPECT_EQ(XPRSaddrows(p, 1, 2, badSense, rhs, nullptr, rstart, fine, val), XPRS_ERR);
  EXPECT_EQ(errorNumber(p), XPRS_ERRNO_BADTYPE);
  EXPECT_EQ(XPRSaddrows(p, -1, 0, qr, rhs, nullptr, rstart, fine, val), XPRS_ERR);
  EXPECT_EQ(XPRSaddrows(p, 1, 2, qr, rhs, nullptr, nullptr, fine, val), XPRS_ERR);
  EXPECT_EQ(errorNumber(p), XPRS_ERRNO_NULLARG);
  EXPECT_EQ(XPRSaddrows(p, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 0);

  // Controls and attributes.
  int iv;
  double dv;
  EXPECT_EQ(XPRSsetintcontrol(p, 1234567, 1), XPRS_ERR);
  EXPECT_EQ(errorNumber(p), XPRS_ERRNO_BADINDEX);
  EXPECT_EQ(XPRSsetdblcontrol(p, 8020, 1.0), XPRS_ERR);  // an integer control
  EXPECT_EQ(XPRSgetintattrib(p, 2004, &iv), XPRS_ERR);   // a double attribute
  EXPECT_EQ(XPRSgetdblattrib(p, XPRS_BESTBOUND, nullptr), XPRS_ERR);
  EXPECT_EQ(XPRSsetintcontrol(p, XPRS_CUTAGELIMIT, 0), XPRS_ERR);
  EXPECT_EQ(XPRSsetintcontrol(p, XPRS_ROOTSTEEPESTEDGE, 2), XPRS_ERR);
  for (int c : {8004, 8006, 8011, 8020, 8021, 8026, 8028, 8078, 8133, 8138, 8147, 8154})
    EXPECT_EQ(XPRSsetintcontrol(p, c, 0), 0) << c;
  for (int c : {7012, 7013, 7014}) EXPECT_EQ(XPRSsetdblcontrol(p, c, 0.0), 0) << c;
  XPRSsetdblcontrol(p, XPRS_MIPABSCUTOFF, -1e40);

  // Cut calls outside a search, and bad cut handles.
  XPRScut bogus = reinterpret_cast<XPRScut>(std::uintptr_t{999});
  EXPECT_EQ(XPRSloadcuts(p, 0, -1, 1, &bogus), XPRS_ERR);
  EXPECT_EQ(errorNumber(p), XPRS_ERRNO_STATE);
  EXPECT_EQ(XPRSgetcutslack(p, bogus, &dv), XPRS_ERR);
  EXPECT_EQ(errorNumber(p), XPRS_ERRNO_BADHANDLE);
  EXPECT_EQ(XPRSgetcpcutlist(p, 0, -1, 0.0, nullptr, 0, nullptr, nullptr), XPRS_ERR);
  EXPECT_EQ(XPRSgetcpcutlist(p, 0, -1, 0.0, &iv, -1, nullptr, nullptr), XPRS_ERR);
  EXPECT_EQ(XPRSgetpresolvesol(p, &dv, nullptr, nullptr, nullptr), XPRS_ERR);  // no LP yet
  int type = 1;
  char sense = 'L';
  double r = 1.0;
  const int cstart[2] = {0, 2};
  XPRScut h;
  EXPECT_EQ(XPRSstorecuts(p, 1, 1, &type, &sense, &r, cstart, &h, outOfRange, val), XPRS_ERR);
  EXPECT_EQ(XPRSstorecuts(p, -2, 1, &type, &sense, &r, cstart, &h, fine, val), XPRS_ERR);
  EXPECT_EQ(XPRSgetcpcuts(p, &bogus, 1, 10, nullptr, &sense, nullptr, nullptr, nullptr, &r), XPRS_ERR);

  // Branching objects.
  XPRSbranchobject bo;
  ASSERT_EQ(XPRS_bo_create(&bo, p, 0), 0);
  EXPECT_EQ(XPRS_bo_addbranches(bo, -1), XPRS_ERR);
  ASSERT_EQ(XPRS_bo_addbranches(bo, 2), 0);
  EXPECT_EQ(XPRS_bo_addrows(bo, 2, 1, 2, qr, rhs, rstart, fine, val), XPRS_ERR);
  EXPECT_EQ(errorNumber(p), XPRS_ERRNO_BADINDEX);
  EXPECT_EQ(XPRS_bo_addrows(bo, 0, 1, 2, qr, rhs, rstart, outOfRange, val), XPRS_ERR);
  const char bt[1] = {'Q'};
  const int bc[1] = {0};
  const double bv[1] = {1.0};
  EXPECT_EQ(XPRS_bo_addbounds(bo, 0, 1, bt, bc, bv), XPRS_ERR);
  EXPECT_EQ(XPRS_bo_addrows(bo, 1, 1, 2, qr, rhs, rstart, fine, val), 0);
  EXPECT_EQ(XPRS_bo_destroy(bo), 0);
  EXPECT_EQ(XPRS_bo_destroy(bo), XPRS_ERR);

  // Still usable: max x0 + x1 with x0 + x1 <= 1.
  ASSERT_EQ(XPRSmaxim(p, "g"), 0);
  XPRSgetdblattrib(p, XPRS_MIPOBJVAL, &dv);
  EXPECT_DOUBLE_EQ(dv, 1.0);
  XPRSdestroyprob(p);
}

TEST(ErrorPaths, CallsNotAllowedDuringTheSearch) {
  XPRSprob p = xotest::load(xotest::tinyTree());
  static int results[4];
  XPRSsetcboptnode(
      p,
      [](XPRSprob q, void*, int*) {
        const char qr[1] = {'L'};
        const double rhs[1] = {1.0};
        results[0] = XPRSmaxim(q, "g");
        results[1] = XPRSdestroyprob(q);
        results[2] = XPRSaddrows(q, 0, 0, qr, rhs, nullptr, nullptr, nullptr, nullptr);
        results[3] = XPRSfree();
      },
      nullptr);
  ASSERT_EQ(XPRSmaxim(p, "g"), 0);
  for (int r : results) EXPECT_EQ(r, XPRS_ERR);
  EXPECT_EQ(errorNumber(p), XPRS_ERRNO_STATE);
  XPRSdestroyprob(p);
}

}  // namespace
