// The pool's contiguous copy of its rows against the rows themselves: the
// violation read from it is the row's own, bit for bit, also after
// duplicates were turned away and across senses, one at a time or in
// batches.
#include <gtest/gtest.h>

#include <random>

#include "optimizer/CutPool.h"

namespace {

TEST(CutPoolFlat, ViolationMatchesTheRowsOwn) {
  std::mt19937 rng(41);
  std::uniform_real_distribution<double> U(0, 1);
  xo::CutPool pool;
  const int n = 30;
  std::vector<xo::SparseRow> kept;
  for (int k = 0; k < 400; ++k) {
    xo::SparseRow r;
    if (k % 7 == 3 && !kept.empty()) {
      r = kept[rng() % kept.size()];  // a duplicate: turned away with nodupl 1
    } else {
      r.sense = "LGE"[rng() % 3];
      r.rhs = static_cast<int>(rng() % 5) + (rng() % 2 ? 0.0 : U(rng));
      const int len = static_cast<int>(rng() % 9);
      for (int t = 0; t < len; ++t) {
        r.cols.push_back(static_cast<int>(rng() % n));
        r.vals.push_back(rng() % 3 ? 1.0 : U(rng) * 4 - 2);
      }
      kept.push_back(r);
    }
    pool.store(1, r, 1);
  }
  ASSERT_LE(pool.size(), static_cast<int>(kept.size()));
  ASSERT_GT(pool.size(), 300);
  for (int trial = 0; trial < 20; ++trial) {
    std::vector<double> x(n);
    for (double& v : x) v = rng() % 3 == 0 ? U(rng) : static_cast<double>(rng() % 2);
    for (int c = 0; c < pool.size(); ++c) {
      ASSERT_EQ(pool.violation(c, x.data()), pool.cut(c).row.violation(x.data())) << c;
      ASSERT_EQ(pool.type(c), pool.cut(c).type);
    }
    // A batch of any length over any subset, rows of unequal lengths side
    // by side.
    std::vector<int> which;
    for (int c = 0; c < pool.size(); ++c)
      if (rng() % 4 != 0) which.push_back(c);
    which.resize(which.size() - trial % 4);
    std::vector<double> out(which.size(), -1.0);
    pool.violations(which.data(), static_cast<int>(which.size()), x.data(), out.data());
    for (size_t i = 0; i < which.size(); ++i)
      ASSERT_EQ(out[i], pool.cut(which[i]).row.violation(x.data())) << which[i];
  }
}

}  // namespace
