// The semidefinite bound of a piece (src/semidefinite), computed on a thread
// of its own beside the piece's branch-and-cut: where the odd-cycle LP stalls
// far above the best set (the real networks' large pieces, sparse random
// graphs), it proves a lower bound in a fraction of the time, and once it
// meets the best value the search ends.  It starts only after the search has
// run a while, so that the pieces the branch-and-cut proves fast keep every
// processor.
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

class LimitanteSemidefinido {
 public:
  // Whether a piece is worth it: large and sparse enough, and its primal
  // within the memory at hand.
  static bool convem(const GrafoSimples& g);

  // After `espera` seconds (unless termina comes first), the bound of g,
  // from the balanced set `inicial`, by `prazo`; the time goes to a profile
  // of its own when `perfil` is on.
  LimitanteSemidefinido(const GrafoSimples& g, const std::vector<char>& inicial, const Prazo& prazo,
                        double espera, bool perfil);
  ~LimitanteSemidefinido();
  LimitanteSemidefinido(const LimitanteSemidefinido&) = delete;
  LimitanteSemidefinido& operator=(const LimitanteSemidefinido&) = delete;

  // The best bound certified so far, a whole number (the optimum is one);
  // 1e40 before the first.
  const std::atomic<double>& limitante() const { return limitante_; }
  // While the bound runs, the one thread it takes from the search beside it.
  const std::atomic<int>& linhasCedidas() const { return cedidas_; }
  // Stops the bound (a certificate under way is finished first) and returns
  // the best one.
  double termina();
  const Perfil& perfil() const { return perfil_; }

 private:
  void executa(double espera);

  const GrafoSimples& g_;
  std::vector<signed char> lados_;
  Prazo prazo_;
  Perfil perfil_;
  std::atomic<double> limitante_{1e40};
  std::atomic<bool> cancelado_{false};
  std::atomic<int> cedidas_{0};
  std::mutex mutex_;
  std::condition_variable acorda_;
  std::thread fio_;
};

#endif
