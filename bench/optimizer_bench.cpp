// Optimizer throughput on generated 0/1 problems: nodes per second, simplex
// iterations and LP solves per node, for plain branch-and-bound and for a
// search whose rows arrive lazily as pool cuts; and the root's re-solves
// after rounds of cuts, of the whole LP or through the smaller one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "optimizer/CutPool.h"
#include "optimizer/LpRelaxation.h"
#include "optimizer/Model.h"
#include "optimizer/xprs.h"

namespace {

struct Problem {
  int n = 0;
  std::vector<double> obj;
  std::vector<std::vector<int>> rows;  // set-packing rows: sum <= 1
};

// Random graph, weighted independent set by edge rows, plus a few triangles
// and larger cliques merged in as rows of their own.
Problem independentSet(int n, double density, unsigned seed) {
  std::mt19937 g(seed);
  std::bernoulli_distribution edge(density);
  std::uniform_int_distribution<int> w(1, 3);
  Problem P;
  P.n = n;
  for (int j = 0; j < n; ++j) P.obj.push_back(w(g));
  for (int a = 0; a < n; ++a)
    for (int b = a + 1; b < n; ++b)
      if (edge(g)) P.rows.push_back({a, b});
  return P;
}

XPRSprob load(const Problem& P, int loadedRows) {
  static const bool initialised = XPRSinit("") == 0;  // as the solver starts it
  (void)initialised;
  std::vector<std::vector<int>> byCol(P.n);
  for (int i = 0; i < loadedRows; ++i)
    for (int c : P.rows[i]) byCol[c].push_back(i);
  std::vector<int> start{0}, rind, gcols;
  std::vector<double> val, lb(P.n, 0.0), ub(P.n, 1.0), rhs(loadedRows, 1.0);
  for (int j = 0; j < P.n; ++j) {
    for (int i : byCol[j]) {
      rind.push_back(i);
      val.push_back(1.0);
    }
    start.push_back(static_cast<int>(rind.size()));
    gcols.push_back(j);
  }
  std::vector<char> qr(loadedRows, 'L'), gt(P.n, 'B');
  XPRSprob p;
  XPRScreateprob(&p);
  XPRSloadglobal(p, "bench", P.n, loadedRows, qr.data(), rhs.data(), nullptr, P.obj.data(),
                 start.data(), nullptr, rind.data(), val.data(), lb.data(), ub.data(), P.n, 0,
                 gt.data(), gcols.data(), nullptr, nullptr, nullptr, nullptr, nullptr);
  return p;
}

struct Lazy {
  const Problem* P;
  int first;
  std::vector<double> x;
};

// Separates the hidden rows by enumeration, stores them with duplicate
// checking and loads them, as the solver's cut manager does.
int lazyRows(XPRSprob p, void* d) {
  auto* L = static_cast<Lazy*>(d);
  XPRSgetpresolvesol(p, L->x.data(), nullptr, nullptr, nullptr);
  std::vector<int> type, start{0}, cols;
  std::vector<char> sense;
  std::vector<double> rhs, vals;
  for (size_t i = L->first; i < L->P->rows.size() && type.size() < 200; ++i) {
    double a = 0.0;
    for (int c : L->P->rows[i]) a += L->x[c];
    if (a <= 1.0 + 1e-6) continue;
    type.push_back(1);
    sense.push_back('L');
    rhs.push_back(1.0);
    for (int c : L->P->rows[i]) {
      cols.push_back(c);
      vals.push_back(1.0);
    }
    start.push_back(static_cast<int>(cols.size()));
  }
  const int k = static_cast<int>(type.size());
  if (k == 0) return 0;
  std::vector<XPRScut> h(k);
  XPRSstorecuts(p, k, 1, type.data(), sense.data(), rhs.data(), start.data(), h.data(), cols.data(),
                vals.data());
  XPRSloadcuts(p, 1234, -1, k, h.data());
  return 1;
}

void report(benchmark::State& state, long nodes, long iters, long solves) {
  state.counters["nodes"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kAvgIterations);
  state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
  state.counters["iter/node"] = nodes ? static_cast<double>(iters) / nodes : 0.0;
  state.counters["LPs/node"] = nodes ? static_cast<double>(solves) / nodes : 0.0;
}

void run(benchmark::State& state, const Problem& P, bool lazy) {
  long nodes = 0, iters = 0, solves = 0;
  for (auto _ : state) {
    const int loaded = lazy ? static_cast<int>(P.rows.size()) / 5 : static_cast<int>(P.rows.size());
    XPRSprob p = load(P, loaded);
    Lazy L{&P, loaded, std::vector<double>(P.n)};
    if (lazy) XPRSsetcbcutmgr(p, lazyRows, &L);
    XPRSmaxim(p, "g");
    int k, it, lps;
    XPRSgetintattrib(p, XPRS_NODES, &k);
    XPRSgetintattrib(p, XPRS_SIMPLEXITER, &it);
    XPRSgetintattrib(p, XPRS_NODELPSOLVES, &lps);
    nodes += k;
    iters += it;
    solves += lps;
    XPRSdestroyprob(p);
  }
  report(state, nodes, iters, solves);
}

void BM_IndependentSet(benchmark::State& state) {
  const Problem P = independentSet(static_cast<int>(state.range(0)), 0.1, 1);
  run(state, P, false);
}
BENCHMARK(BM_IndependentSet)->Arg(60)->Arg(80)->Unit(benchmark::kMillisecond);

void BM_IndependentSetLazyRows(benchmark::State& state) {
  const Problem P = independentSet(static_cast<int>(state.range(0)), 0.1, 1);
  run(state, P, true);
}
BENCHMARK(BM_IndependentSetLazyRows)->Arg(60)->Arg(80)->Unit(benchmark::kMillisecond);

void BM_DenseIndependentSet(benchmark::State& state) {
  const Problem P = independentSet(static_cast<int>(state.range(0)), 0.3, 2);
  run(state, P, false);
}
BENCHMARK(BM_DenseIndependentSet)->Arg(40)->Unit(benchmark::kMillisecond);

// A large piece's root: n columns and 3n/20 rows of 3 to 7 of them with
// right-hand side one less (as an odd cycle's), two in three over a core of
// a tenth of the columns and the rest anywhere, so that most columns sit at
// 1 away from every cut; then six rounds of 200 rows over the core, each
// with right-hand side two less, violated by the whole LP's point of the
// round.
struct Raiz {
  xo::Model model;
  std::vector<std::vector<xo::SparseRow>> rodadas;
};

xo::SparseRow linha(std::mt19937& g, int de, int ate, int k, int folga) {
  std::uniform_int_distribution<int> v(de, ate - 1);
  xo::SparseRow r{'L', static_cast<double>(k - folga), {}, {}};
  while (static_cast<int>(r.cols.size()) < k) {
    const int j = v(g);
    if (std::find(r.cols.begin(), r.cols.end(), j) == r.cols.end()) {
      r.cols.push_back(j);
      r.vals.push_back(1.0);
    }
  }
  return r;
}

const Raiz& raiz(int n) {
  static std::vector<std::pair<int, Raiz>> feitas;
  for (const auto& f : feitas)
    if (f.first == n) return f.second;
  std::mt19937 g(3);
  Raiz R;
  xo::Model& m = R.model;
  for (int j = 0; j < n; ++j) {
    m.obj.push_back(1.0);
    m.lb.push_back(0.0);
    m.ub.push_back(1.0);
    m.binary.push_back(1);
  }
  const int nucleo = n / 10;
  std::uniform_int_distribution<int> tam(3, 7);
  for (int i = 0; i < n / 20 * 3; ++i) {
    xo::SparseRow l = linha(g, 0, i % 3 ? nucleo : n, tam(g), 1);
    const double rhs = l.rhs;
    m.addRow(std::move(l), -1e30, rhs);
  }
  m.loaded = true;
  xo::CutPool pool;
  xo::LpRelaxation lp(m, pool);
  lp.solve(true, -1e40);
  for (int r = 0; r < 6; ++r) {
    std::vector<xo::SparseRow> novas;
    std::vector<int> chaves;
    for (int t = 0; t < 200000 && novas.size() < 200; ++t) {
      xo::SparseRow l = linha(g, 0, nucleo, tam(g), 2);
      if (l.violation(lp.x().data()) > 1e-6) {
        chaves.push_back(pool.store(0, l, 1));
        novas.push_back(std::move(l));
      }
    }
    lp.addCuts(chaves.data(), static_cast<int>(chaves.size()));
    lp.solve(false, -1e40);
    R.rodadas.push_back(std::move(novas));
  }
  feitas.emplace_back(n, std::move(R));
  return feitas.back().second;
}

// Arg 0: columns; arg 1: 1 through the smaller LP, 0 the whole LP.
void BM_RootReSolves(benchmark::State& state) {
  const Raiz& R = raiz(static_cast<int>(state.range(0)));
  long long iteracoes = 0, menores = 0;
  double objetivo = 0;
  for (auto _ : state) {
    state.PauseTiming();
    xo::CutPool pool;
    xo::LpRelaxation lp(R.model, pool);
    lp.setFullPricing(true);
    if (state.range(1)) lp.setRestricted(1);
    lp.solve(true, -1e40);
    const long long antes = lp.iterations();
    state.ResumeTiming();
    for (const std::vector<xo::SparseRow>& rodada : R.rodadas) {
      std::vector<int> chaves;
      for (const xo::SparseRow& l : rodada) chaves.push_back(pool.store(0, l, 1));
      lp.addCuts(chaves.data(), static_cast<int>(chaves.size()));
      lp.solve(false, -1e40);
    }
    iteracoes += lp.iterations() - antes;
    menores += lp.restrictedSolves();
    objetivo = lp.objective();
  }
  state.counters["iter"] = benchmark::Counter(static_cast<double>(iteracoes), benchmark::Counter::kAvgIterations);
  state.counters["smaller"] = benchmark::Counter(static_cast<double>(menores), benchmark::Counter::kAvgIterations);
  state.counters["obj"] = objetivo;
}
BENCHMARK(BM_RootReSolves)
    ->Args({20000, 0})
    ->Args({20000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
