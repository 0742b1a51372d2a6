// The node LP's re-solve through the smaller LP of the columns new cuts
// touch reaches the optimum of the whole LP, round after round of cuts.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "optimizer/CutPool.h"
#include "optimizer/LpRelaxation.h"
#include "optimizer/Model.h"

namespace {

// A sparse conflict graph's edge rows (most vertices end at 1, as on the
// real networks' pieces), then rounds of random triples and quadruples with
// right-hand side 1 or 2, loaded when the plain LP's point violates them.
struct Caso {
  int n;
  double densidade;
  int rodadas;
};

xo::Model modelo(std::mt19937& g, int n, double densidade) {
  xo::Model m;
  std::uniform_int_distribution<int> peso(1, 3);
  std::bernoulli_distribution aresta(densidade);
  for (int j = 0; j < n; ++j) {
    m.obj.push_back(peso(g));
    m.lb.push_back(0.0);
    m.ub.push_back(1.0);
    m.binary.push_back(1);
  }
  for (int a = 0; a < n; ++a)
    for (int b = a + 1; b < n; ++b)
      if (aresta(g)) m.addRow(xo::SparseRow{'L', 1.0, {a, b}, {1.0, 1.0}}, -1e30, 1.0);
  m.loaded = true;
  return m;
}

TEST(LpRelaxation, RestrictedReSolvesReachTheWholeLpsOptimum) {
  const Caso casos[] = {{1000, 0.001, 10}, {2000, 0.0005, 10}, {1500, 0.0008, 8}};
  std::mt19937 g(7);
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.n);
    const xo::Model m = modelo(g, c.n, c.densidade);
    xo::CutPool pool;
    xo::LpRelaxation plana(m, pool), restrita(m, pool);
    restrita.setRestricted(1);
    ASSERT_EQ(plana.solve(true, -1e40), xo::LpRelaxation::kOptimal);
    ASSERT_EQ(restrita.solve(true, -1e40), xo::LpRelaxation::kOptimal);
    EXPECT_NEAR(plana.objective(), restrita.objective(), 1e-7);
    std::uniform_int_distribution<int> pick(0, c.n - 1), tam(3, 4);
    for (int r = 0; r < c.rodadas; ++r) {
      std::vector<int> novos;
      for (int tries = 0; tries < 4000 && novos.size() < 15; ++tries) {
        xo::SparseRow row{'L', 0.0, {}, {}};
        const int k = tam(g);
        while (static_cast<int>(row.cols.size()) < k) {
          const int v = pick(g);
          if (std::find(row.cols.begin(), row.cols.end(), v) == row.cols.end()) {
            row.cols.push_back(v);
            row.vals.push_back(1.0);
          }
        }
        row.rhs = k - 2;
        if (row.violation(plana.x().data()) > 1e-6) novos.push_back(pool.store(0, row, 1));
      }
      if (novos.empty()) break;
      plana.addCuts(novos.data(), static_cast<int>(novos.size()));
      restrita.addCuts(novos.data(), static_cast<int>(novos.size()));
      ASSERT_EQ(plana.solve(false, -1e40), xo::LpRelaxation::kOptimal);
      ASSERT_EQ(restrita.solve(false, -1e40), xo::LpRelaxation::kOptimal);
      EXPECT_NEAR(plana.objective(), restrita.objective(), 1e-6) << "round " << r;
      // Its point is one of the whole LP's: within every row and bound.
      const std::vector<double>& x = restrita.x();
      for (int j = 0; j < c.n; ++j) {
        EXPECT_GE(x[j], -1e-7);
        EXPECT_LE(x[j], 1 + 1e-7);
      }
      for (const xo::SparseRow& row : m.rows) EXPECT_LE(row.violation(x.data()), 1e-6);
      for (int k = 0; k < pool.size(); ++k)
        if (restrita.hasCut(k)) {
          EXPECT_LE(pool.cut(k).row.violation(x.data()), 1e-6);
        }
    }
    EXPECT_GT(restrita.restrictedSolves(), 0);
  }
}

}  // namespace
