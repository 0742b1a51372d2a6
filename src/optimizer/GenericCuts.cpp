// The generators run on an Osi view of the LP the search holds (no copy, no
// ownership); each cut is turned into a sparse row and kept only when it is
// violated, not too dense and not badly scaled.
#include "optimizer/GenericCuts.h"

#include <CglClique.hpp>
#include <CglGomory.hpp>
#include <CglOddHole.hpp>
#include <CglTwomir.hpp>
#include <CglZeroHalf.hpp>
#include <OsiClpSolverInterface.hpp>
#include <OsiCuts.hpp>
#include <algorithm>
#include <cmath>

namespace xo {

namespace {

// A row cut lb <= a x <= ub as one or two sparse rows, when it passes.
void aceita(const OsiRowCut& c, const std::vector<double>& x, std::vector<SparseRow>& out) {
  const CoinPackedVector& v = c.row();
  const int k = v.getNumElements();
  if (k == 0 || k > GenericCuts::kMaxTerms) return;
  double maior = 0, menor = 1e300, atividade = 0;
  for (int i = 0; i < k; ++i) {
    const double a = std::fabs(v.getElements()[i]);
    if (a < 1e-12) continue;
    maior = std::max(maior, a);
    menor = std::min(menor, a);
    atividade += v.getElements()[i] * x[v.getIndices()[i]];
  }
  if (maior == 0 || maior / menor > GenericCuts::kMaxDynamism) return;
  const auto junta = [&](char sense, double rhs) {
    SparseRow r;
    r.sense = sense;
    r.rhs = rhs;
    for (int i = 0; i < k; ++i)
      if (std::fabs(v.getElements()[i]) >= 1e-12) {
        r.cols.push_back(v.getIndices()[i]);
        r.vals.push_back(v.getElements()[i]);
      }
    out.push_back(std::move(r));
  };
  if (c.ub() < 1e20 && atividade - c.ub() > GenericCuts::kMinViolation * (1 + std::fabs(c.ub())))
    junta('L', c.ub());
  if (c.lb() > -1e20 && c.lb() - atividade > GenericCuts::kMinViolation * (1 + std::fabs(c.lb())))
    junta('G', c.lb());
}

}  // namespace

std::vector<SparseRow> GenericCuts::separate(const ClpSimplex& lp, const std::vector<double>& x,
                                             int pass) const {
  // The generators work on a copy: what they do to a basis or a
  // factorization never reaches the LP the search goes on with.
  ClpSimplex copia(lp);
  OsiClpSolverInterface osi(&copia, false);
  osi.messageHandler()->setLogLevel(0);
  for (int j = 0; j < std::min(model_.numCols(), osi.getNumCols()); ++j)
    if (model_.binary[j]) osi.setInteger(j);
  // A re-solve from the copied basis (no iterations when it is optimal) sets
  // up what the generators read: the basis and the factorization.
  osi.resolve();
  CglTreeInfo info;
  info.level = 0;
  info.pass = pass;
  info.inTree = false;

  OsiCuts cortes;
  CglGomory gomory;
  gomory.setLimit(100);
  gomory.generateCuts(osi, cortes, info);
  CglZeroHalf zeroHalf;
  zeroHalf.generateCuts(osi, cortes, info);
  CglTwomir twomir;
  twomir.generateCuts(osi, cortes, info);
  CglClique clique;
  clique.setStarCliqueReport(false);
  clique.setRowCliqueReport(false);
  clique.generateCuts(osi, cortes, info);
  CglOddHole oddHole;
  oddHole.generateCuts(osi, cortes, info);

  std::vector<SparseRow> out;
  for (int i = 0; i < cortes.sizeRowCuts(); ++i) aceita(cortes.rowCut(i), x, out);
  osi.releaseClp();
  return out;
}

GenericCuts::Trial GenericCuts::tryRounds(const ClpSimplex& lp, int maxRounds, double minGain) const {
  Trial t;
  ClpSimplex copia(lp);
  copia.setLogLevel(0);
  const int n = copia.numberColumns();
  const int linhas0 = copia.numberRows();
  t.objective = -copia.objectiveValue();
  std::vector<SparseRow> todas;
  while (t.rounds < maxRounds) {
    const std::vector<double> x(copia.primalColumnSolution(), copia.primalColumnSolution() + n);
    std::vector<SparseRow> novas = separate(copia, x, t.rounds++);
    if (novas.empty()) break;
    for (const SparseRow& r : novas) {
      const double lo = r.sense == 'L' ? -COIN_DBL_MAX : r.rhs;
      const double up = r.sense == 'G' ? COIN_DBL_MAX : r.rhs;
      copia.addRow(static_cast<int>(r.cols.size()), r.cols.data(), r.vals.data(), lo, up);
      todas.push_back(std::move(r));
    }
    copia.dual();
    if (copia.status() == 1) {
      // No LP point is left, so no integral one either: every cut counts.
      t.infeasible = true;
      t.rows = std::move(todas);
      return t;
    }
    if (copia.status() != 0) {
      // Numerical trouble: the trial proves nothing.
      t.objective = -lp.objectiveValue();
      return t;
    }
    const double antes = t.objective;
    t.objective = -copia.objectiveValue();
    if (antes - t.objective < minGain) break;
  }
  // A cut whose slack is basic at the end adds nothing at this point: the
  // LP of the search is spared its row.
  for (size_t i = 0; i < todas.size(); ++i)
    if (copia.getRowStatus(linhas0 + static_cast<int>(i)) != ClpSimplex::basic)
      t.rows.push_back(std::move(todas[i]));
  return t;
}

}  // namespace xo
