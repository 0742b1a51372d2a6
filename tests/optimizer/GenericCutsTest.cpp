// General-purpose cuts against brute force: on random 0/1 programs of every
// density (packing, covering and equality rows, as the driver's models and
// their cuts are), no cut derived at the root LP may cut off an integral
// feasible point, and each cut kept is violated by the LP point.
#include <gtest/gtest.h>

#include <ClpSimplex.hpp>
#include <CoinPackedMatrix.hpp>
#include <CoinPackedVector.hpp>
#include <cmath>
#include <random>
#include <vector>

#include "optimizer/GenericCuts.h"
#include "optimizer/Model.h"

namespace {

using xo::GenericCuts;
using xo::Model;
using xo::SparseRow;

bool satisfaz(const SparseRow& r, const std::vector<double>& x, double tol) {
  const double a = r.activity(x.data());
  if (r.sense == 'L') return a <= r.rhs + tol;
  if (r.sense == 'G') return a >= r.rhs - tol;
  return std::fabs(a - r.rhs) <= tol;
}

// A random 0/1 program of the given density, loaded into `model` and into
// `lp` (solved); false when it has no rows or no LP optimum.
bool programaAleatorio(std::mt19937& rng, double densidade, Model& model, ClpSimplex& lp) {
  const int n = 4 + static_cast<int>(rng() % 9);
  const int m = 2 + static_cast<int>(rng() % 10);
  model = Model();
  model.obj.assign(n, 0);
  model.lb.assign(n, 0);
  model.ub.assign(n, 1);
  model.binary.assign(n, 1);
  for (int j = 0; j < n; j++) model.obj[j] = 1 + static_cast<int>(rng() % 3);
  CoinPackedMatrix matriz(false, 0, 0);
  std::vector<double> rowLb, rowUb;
  for (int i = 0; i < m; i++) {
    SparseRow r;
    for (int j = 0; j < n; j++)
      if (std::uniform_real_distribution<double>(0, 1)(rng) < densidade) {
        r.cols.push_back(j);
        r.vals.push_back(rng() % 4 == 0 ? -1.0 : 1.0 + static_cast<int>(rng() % 2));
      }
    if (r.cols.empty()) continue;
    const int tipo = static_cast<int>(rng() % 5);
    r.sense = tipo == 0 ? 'G' : 'L';
    r.rhs = tipo == 0 ? 1 : 1 + static_cast<int>(rng() % 2);
    CoinPackedVector v(static_cast<int>(r.cols.size()), r.cols.data(), r.vals.data());
    matriz.appendRow(v);
    rowLb.push_back(r.sense == 'G' ? r.rhs : -COIN_DBL_MAX);
    rowUb.push_back(r.sense == 'L' ? r.rhs : COIN_DBL_MAX);
    model.rows.push_back(r);
  }
  if (model.rows.empty()) return false;
  matriz.setDimensions(matriz.getNumRows(), n);
  // Maximisation as the search solves it: minimise the negated objective.
  std::vector<double> custo(n);
  for (int j = 0; j < n; j++) custo[j] = -model.obj[j];
  lp.setLogLevel(0);
  lp.loadProblem(matriz, model.lb.data(), model.ub.data(), custo.data(), rowLb.data(), rowUb.data());
  lp.dual();
  return lp.status() == 0;
}

// The integral points that satisfy every row of the model.
std::vector<std::vector<double>> pontosViaveis(const Model& model) {
  const int n = model.numCols();
  std::vector<std::vector<double>> pontos;
  for (int mask = 0; mask < (1 << n); mask++) {
    std::vector<double> p(n);
    for (int j = 0; j < n; j++) p[j] = (mask >> j) & 1;
    bool viavel = true;
    for (const SparseRow& r : model.rows) viavel = viavel && satisfaz(r, p, 1e-9);
    if (viavel) pontos.push_back(p);
  }
  return pontos;
}

TEST(GenericCuts, NuncaCortamUmPontoInteiroViavel) {
  std::mt19937 rng(12);
  int comCortes = 0;
  for (int caso = 0; caso < 60; caso++) {
    Model model;
    ClpSimplex lp;
    if (!programaAleatorio(rng, 0.2 + 0.15 * (caso % 5), model, lp)) continue;
    const int n = model.numCols();
    const std::vector<double> x(lp.primalColumnSolution(), lp.primalColumnSolution() + n);

    const std::vector<SparseRow> cortes = GenericCuts(model).separate(lp, x, 0);
    if (!cortes.empty()) comCortes++;
    for (const SparseRow& c : cortes) {
      EXPECT_FALSE(satisfaz(c, x, 0)) << "caso " << caso << ": corte nao violado";
      EXPECT_LE(static_cast<int>(c.cols.size()), GenericCuts::kMaxTerms);
    }
    for (const std::vector<double>& p : pontosViaveis(model))
      for (const SparseRow& c : cortes) ASSERT_TRUE(satisfaz(c, p, 1e-6)) << "caso " << caso;
  }
  EXPECT_GT(comCortes, 10);  // the test sees cuts at all
}

// Rounds tried on a copy: the LP given is left as it was, the bound they
// report is not above its value nor below the integral optimum, the rows
// returned cut off no integral feasible point, and an LP they make
// infeasible has no integral point at all.
TEST(GenericCuts, RodadasNumaCopiaValidasEAcimaDoOtimo) {
  std::mt19937 rng(34);
  int moveram = 0;
  for (int caso = 0; caso < 60; caso++) {
    Model model;
    ClpSimplex lp;
    if (!programaAleatorio(rng, 0.2 + 0.15 * (caso % 5), model, lp)) continue;
    const int n = model.numCols();
    const int linhas = lp.numberRows();
    const double valor = -lp.objectiveValue();
    const std::vector<double> x(lp.primalColumnSolution(), lp.primalColumnSolution() + n);

    const GenericCuts::Trial t = GenericCuts(model).tryRounds(lp, 8, 0.0);
    EXPECT_EQ(lp.numberRows(), linhas) << "caso " << caso;
    EXPECT_EQ(-lp.objectiveValue(), valor) << "caso " << caso;
    EXPECT_EQ(std::vector<double>(lp.primalColumnSolution(), lp.primalColumnSolution() + n), x);
    EXPECT_LE(t.rounds, 8);

    const std::vector<std::vector<double>> pontos = pontosViaveis(model);
    if (t.infeasible) {
      EXPECT_TRUE(pontos.empty()) << "caso " << caso;
      continue;
    }
    EXPECT_LE(t.objective, valor + 1e-6) << "caso " << caso;
    if (t.objective < valor - 1e-6) moveram++;
    for (const std::vector<double>& p : pontos) {
      double z = 0;
      for (int j = 0; j < n; j++) z += model.obj[j] * p[j];
      EXPECT_LE(z, t.objective + 1e-6) << "caso " << caso;
      for (const SparseRow& c : t.rows) ASSERT_TRUE(satisfaz(c, p, 1e-6)) << "caso " << caso;
    }
  }
  EXPECT_GT(moveram, 5);  // the rounds do move bounds here
}

}  // namespace
