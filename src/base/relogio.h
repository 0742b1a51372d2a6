// The run's clock: elapsed clock ticks for the reported times, and the
// deadline object handed to every stage (reading, reduction, local search,
// model building, each separation round, the heuristics, the searches of
// both engines), which also stops on a stop signal.
#ifndef BCT_BASE_RELOGIO_H
#define BCT_BASE_RELOGIO_H

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <limits>

#include "base/parada.h"
#include "base/pausa.h"

// Elapsed clock ticks, as times() counts them (sysconf(_SC_CLK_TCK) a second).
clock_t agora();

// A deadline, and the start it counts from.  A stage given a share of the
// run's time gets a deadline derived from the run's (daqui), with the same
// start, so elapsed times always count from the run's start.  A stage run
// beside another may also be given a flag that ends its deadline at once
// (cancelavel), when the other no longer needs it, or a hold (pausavel) at
// whose request it waits at its next look at the deadline.
class Prazo {
 public:
  using Relogio = std::chrono::steady_clock;

  // No deadline, counting from now.
  Prazo() : inicio_(Relogio::now()) {}
  // The deadline `fim` (none at time_point::max()), counting from now: a
  // time point stands for the deadline it is.
  Prazo(Relogio::time_point fim) : inicio_(Relogio::now()), fim_(fim) {}
  // `segundos` of wall-clock time after `inicio` (none when 0 or less).
  Prazo(Relogio::time_point inicio, int segundos)
      : inicio_(inicio),
        fim_(segundos > 0 ? inicio + std::chrono::seconds(segundos) : Relogio::time_point::max()) {}

  // The deadline has passed, or a signal asked the run to stop: one clock
  // read and one relaxed load, cheap enough for the hottest check.
  bool passou() const { return paradaPedida() || cancelado() || segura() || tempoPassou(); }
  // The same with the clock already read.
  bool passouEm(Relogio::time_point agora) const {
    return paradaPedida() || cancelado() || segura() ||
           (fim_ != Relogio::time_point::max() && agora >= fim_);
  }
  bool tempoPassou() const { return fim_ != Relogio::time_point::max() && Relogio::now() >= fim_; }
  bool cancelado() const {
    return cancelamento_ != nullptr && cancelamento_->load(std::memory_order_relaxed);
  }
  // Waits while held; whether the hold ended the stage.
  bool segura() const { return pausa_ != nullptr && pausa_->espera(); }

  Relogio::time_point inicio() const { return inicio_; }
  Relogio::time_point fim() const { return fim_; }
  // Until the deadline (negative once past it; infinite without one; none
  // once cancelled).
  double restantes() const {
    if (cancelado()) return 0;
    if (fim_ == Relogio::time_point::max()) return std::numeric_limits<double>::infinity();
    return std::chrono::duration<double>(fim_ - Relogio::now()).count();
  }
  // Since the start.
  double decorridos() const {
    return std::chrono::duration<double>(Relogio::now() - inicio_).count();
  }
  // The earlier of this deadline and `segundos` from now.
  Prazo daqui(double segundos) const {
    const auto t = Relogio::now() + std::chrono::duration_cast<Relogio::duration>(
                                        std::chrono::duration<double>(std::max(0.0, segundos)));
    return ate(t);
  }
  // The earlier of this deadline and `t`.
  Prazo ate(Relogio::time_point t) const {
    Prazo p = *this;
    p.fim_ = std::min(fim_, t);
    return p;
  }
  // This deadline, also ended when `flag` turns true (the flag must outlive
  // every copy).
  Prazo cancelavel(const std::atomic<bool>* flag) const {
    Prazo p = *this;
    p.cancelamento_ = flag;
    return p;
  }
  // This deadline, held or ended by `pausa` (which must outlive every copy).
  Prazo pausavel(const Pausa* pausa) const {
    Prazo p = *this;
    p.pausa_ = pausa;
    return p;
  }

 private:
  Relogio::time_point inicio_;
  Relogio::time_point fim_ = Relogio::time_point::max();
  const std::atomic<bool>* cancelamento_ = nullptr;
  const Pausa* pausa_ = nullptr;
};

#endif
