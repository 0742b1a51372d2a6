// The automatic mode's probe of a piece: the combinatorial engine's search
// on a thread of its own, held while the branch-and-cut's root measures the
// piece and let go again when the root hands the piece over, so that the
// search goes on where it stood instead of starting again; or, where the
// branch-and-cut kept the piece and its tree runs long, let go beside it
// (the first of the two to end ends the other).
#ifndef BCT_DRIVER_SONDACOMBINATORIA_H
#define BCT_DRIVER_SONDACOMBINATORIA_H

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

#include "base/opcoes.h"
#include "base/pausa.h"
#include "base/relogio.h"
#include "graph/GrafoSimples.h"
#include "search/resultado.h"

class SondaCombinatoria {
 public:
  // Starts the search of g from `inicial` by `prazo`, with the piece's
  // settings and sinks; its lines go to `saida`.  With `espera`, the search
  // starts that many seconds later, held until then as by segura (and ended
  // before it starts, it gives a result with no set and no bound).
  SondaCombinatoria(const GrafoSimples& g, const std::vector<char>& inicial, const Prazo& prazo,
                    const AjustesDaBusca& ajustes, const Acompanhamento& acomp, std::FILE* saida,
                    double espera = 0);
  ~SondaCombinatoria();
  SondaCombinatoria(const SondaCombinatoria&) = delete;
  SondaCombinatoria& operator=(const SondaCombinatoria&) = delete;

  // Waits up to `segundos` for the search to end (proved, or stopped by the
  // deadline); whether it has.
  bool terminaEm(double segundos);
  // Holds the search at its next look at the clock, for `segundos` at most
  // (then it goes on by itself).
  void segura(double segundos = std::numeric_limits<double>::infinity());
  // Turns true once the search has ended: the other engine's deadline can
  // be made to end with it (Prazo::cancelavel).
  const std::atomic<bool>* terminou() const { return &terminouFlag_; }
  // The best set the search has reported (empty before any better than its
  // first), and its size.
  std::vector<char> melhor(int* tamanho) const;
  // Lets the search go on to its end, or ends it now (`encerra`), and
  // returns its result, the time it was held not counted in its profile.
  ResultadoBusca resultado(bool encerra);

 private:
  Pausa pausa_;
  std::vector<char> inicial_;
  Acompanhamento acomp_;
  ResultadoBusca resultado_;
  mutable std::mutex mutex_;
  std::condition_variable terminou_;
  bool pronta_ = false;
  std::atomic<bool> terminouFlag_{false};
  double paradaAntes_ = 0;  // held before the search started
  // The best set seen at the search's clock checks, and whether the run's
  // own sink wanted it too.
  std::vector<char> melhor_;
  int tamanhoMelhor_ = 0;
  bool querFora_ = false;
  std::thread fio_;
};

#endif
