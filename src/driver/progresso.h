// Progress lines on standard error while a search runs: elapsed time,
// nodes, open nodes, best value, bound and gap, every few seconds and when
// the best value improves.  Standard output never sees them.  One per run,
// fed by the searches through their Acompanhamento.
#ifndef BCT_DRIVER_PROGRESSO_H
#define BCT_DRIVER_PROGRESSO_H

#include <mutex>

#include "base/relogio.h"

class Progresso {
 public:
  // The lines say the time since the start of `execucao`, the run's deadline.
  explicit Progresso(const Prazo& execucao) : execucao_(execucao) {}

  // The figures of the search (for a reduced run, those of the whole
  // instance while its pieces are searched); writes a line when one is due.
  // The nodes on a combinatorial search's path stand for the open ones.
  void relata(long long nos, long long abertos, double valor, double limitante);

 private:
  bool devido(double valor);
  void escreveLinha(long long nos, long long abertos, double valor, double limitante);

  const Prazo execucao_;
  std::mutex mutex_;
  double ultimaLinha_ = -1e9;  // elapsed seconds at the last line
  double ultimoValor_ = -1e40;
};

#endif
