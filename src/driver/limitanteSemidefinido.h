// The semidefinite bound of a piece (src/semidefinite), computed on a thread
// of its own beside the piece's branch-and-cut: where the odd-cycle LP stalls
// far above the best set (the real networks' large pieces, sparse random
// graphs), it proves a lower bound in a fraction of the time, and once it
// meets the best value the search ends.  It starts only after the search has
// run a while, so that the pieces the branch-and-cut proves fast keep every
// processor.  Unless switched off, a first-order bound of the odd-cycle LP
// runs first on the same thread (src/lagrangian): on the largest pieces it
// is below the LP long before the simplex, and its rows and multipliers
// start the semidefinite bound from its value; its rows go to the search's
// LP as well.
#ifndef BCT_DRIVER_LIMITANTESEMIDEFINIDO_H
#define BCT_DRIVER_LIMITANTESEMIDEFINIDO_H

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "base/perfil.h"
#include "base/relogio.h"
#include "graph/GrafoSimples.h"
#include "graph/linhaValida.h"
#include "semidefinite/Semidefinida.h"

class LimitanteSemidefinido {
 public:
  // Whether a piece is worth it: large and sparse enough, and its primal
  // within the memory at hand.
  static bool convem(const GrafoSimples& g);

  // After `espera` seconds (unless termina comes first), the bound of g,
  // from the balanced set `inicial`, by `prazo` (the first-order bound
  // first when `primeiraOrdem`); the time goes to a profile of its own when
  // `perfil` is on.  With `provisorio`, `inicial` only steers the
  // first-order bound, and the semidefinite bound waits for the piece's
  // first set (conjuntoInicial).
  LimitanteSemidefinido(const GrafoSimples& g, const std::vector<char>& inicial, const Prazo& prazo,
                        double espera, bool perfil, bool primeiraOrdem = true,
                        bool provisorio = false);
  ~LimitanteSemidefinido();
  LimitanteSemidefinido(const LimitanteSemidefinido&) = delete;
  LimitanteSemidefinido& operator=(const LimitanteSemidefinido&) = delete;

  // The best bound certified so far, a whole number (the optimum is one);
  // 1e40 before the first.
  const std::atomic<double>& limitante() const { return limitante_; }
  // While the bound runs, the one thread it takes from the search beside it.
  const std::atomic<int>& linhasCedidas() const { return cedidas_; }
  // The piece's first set, for a bound started before it was known.
  void conjuntoInicial(const std::vector<char>& inicial);
  // The bound of the search beside it, as it goes: the first-order bound
  // gives the thread up to the semidefinite one once the search's LP is
  // below it.
  void limitanteDaBusca(double limitante);
  // The first-order bound's rows with a positive multiplier, once it is
  // done (each handed over once; empty before, and when the search's LP
  // was below it).
  std::vector<LinhaValida> linhasParaBusca();
  // Stops the bound (a certificate under way is finished first) and returns
  // the best one.
  double termina();
  const Perfil& perfil() const { return perfil_; }

 private:
  void executa(double espera);
  // The first-order bound's rows with a positive multiplier, for the
  // semidefinite bound to start from.
  std::vector<semidefinida::Linha> primeiraOrdem();
  void publica(double limitante);

  const GrafoSimples& g_;
  std::vector<signed char> lados_;  // under mutex_ until temConjunto_
  bool temConjunto_;
  std::atomic<int> alvo_{0};  // the first set's size, the first-order bound's target
  bool primeiraOrdem_;
  Prazo prazo_;
  Perfil perfil_;
  std::atomic<double> limitante_{1e40};
  std::atomic<double> daBusca_{1e40};
  std::atomic<bool> cancelado_{false};
  std::atomic<int> cedidas_{0};
  std::vector<LinhaValida> paraBusca_;  // under mutex_
  std::mutex mutex_;
  std::condition_variable acorda_;
  std::thread fio_;
};

#endif
