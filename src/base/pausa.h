// A hold on a stage that runs on a thread of its own: another thread asks
// for it, and the stage waits at its next look at its deadline until let go
// or ended.  The automatic mode holds its probe of the combinatorial engine
// this way while the branch-and-cut's root runs, so that nothing the probe
// searched is searched again when the root hands the piece over.
#ifndef BCT_BASE_PAUSA_H
#define BCT_BASE_PAUSA_H

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

class Pausa {
 public:
  // The stage stops at its next look at its deadline (within milliseconds).
  void pede() {
    std::lock_guard<std::mutex> trava(mutex_);
    if (estado_.load() == LIVRE) estado_.store(PEDIDA);
    inicio_ = std::chrono::steady_clock::now();
  }
  // It goes on; or, with `encerra`, its deadline has passed from now on.
  void solta(bool encerra = false) {
    {
      std::lock_guard<std::mutex> trava(mutex_);
      if (estado_.load() == PEDIDA)
        segundos_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio_).count();
      estado_.store(encerra ? ENCERRADA : LIVRE);
    }
    acorda_.notify_all();
  }
  // At the stage's look at its deadline: waits while held; whether the
  // stage is to end.  One relaxed load when nobody asks.
  bool espera() const {
    const int e = estado_.load(std::memory_order_relaxed);
    if (e == LIVRE) return false;
    std::unique_lock<std::mutex> trava(mutex_);
    acorda_.wait(trava, [this] { return estado_.load() != PEDIDA; });
    return estado_.load() == ENCERRADA;
  }
  // The time the stage was held, what its own clock must not count.
  double segundosParada() const {
    std::lock_guard<std::mutex> trava(mutex_);
    return segundos_;
  }

 private:
  enum { LIVRE, PEDIDA, ENCERRADA };
  std::atomic<int> estado_{LIVRE};
  mutable std::mutex mutex_;
  mutable std::condition_variable acorda_;
  std::chrono::steady_clock::time_point inicio_;
  double segundos_ = 0;
};

#endif
