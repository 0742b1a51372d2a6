// A hold on a stage that runs on a thread of its own: another thread asks
// for it, and the stage waits at its next look at its deadline until let go,
// ended, or the hold's own end has come.  The automatic mode holds its probe
// of the combinatorial engine this way while the branch-and-cut's root runs,
// so that nothing the probe searched is searched again when the root hands
// the piece over, and lets it go on by itself beside a tree that runs long.
#ifndef BCT_BASE_PAUSA_H
#define BCT_BASE_PAUSA_H

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

class Pausa {
 public:
  using Relogio = std::chrono::steady_clock;

  // The stage stops at its next look at its deadline (within milliseconds),
  // and goes on by itself at `ate` unless let go or ended before.
  void pede(Relogio::time_point ate = Relogio::time_point::max()) {
    std::lock_guard<std::mutex> trava(mutex_);
    if (estado_.load() == LIVRE) estado_.store(PEDIDA);
    inicio_ = Relogio::now();
    ate_ = ate;
  }
  // It goes on; or, with `encerra`, its deadline has passed from now on.
  void solta(bool encerra = false) {
    {
      std::lock_guard<std::mutex> trava(mutex_);
      if (estado_.load() == PEDIDA)
        segundos_ += std::chrono::duration<double>(Relogio::now() - inicio_).count();
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
    const auto soltou = [this] { return estado_.load() != PEDIDA; };
    if (ate_ == Relogio::time_point::max()) {
      acorda_.wait(trava, soltou);
    } else if (!acorda_.wait_until(trava, ate_, soltou)) {
      // The first of the stage's threads to see the hold's end ends it.
      segundos_ += std::chrono::duration<double>(ate_ - inicio_).count();
      estado_.store(LIVRE);
      acorda_.notify_all();
    }
    return estado_.load() == ENCERRADA;
  }
  // The time the stage was held, what its own clock must not count.
  double segundosParada() const {
    std::lock_guard<std::mutex> trava(mutex_);
    return segundos_;
  }

 private:
  enum { LIVRE, PEDIDA, ENCERRADA };
  // The hold ending by itself is the stage's own doing, at its look.
  mutable std::atomic<int> estado_{LIVRE};
  mutable std::mutex mutex_;
  mutable std::condition_variable acorda_;
  Relogio::time_point inicio_, ate_ = Relogio::time_point::max();
  mutable double segundos_ = 0;
};

#endif
