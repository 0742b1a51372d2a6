// The automatic mode's probe of a piece: the combinatorial engine's search
// on a thread of its own, held while the branch-and-cut's root measures the
// piece and let go again when the root hands the piece over, so that the
// search goes on where it stood instead of starting again.  Only one of the
// two runs at a time.
#ifndef BCT_DRIVER_SONDACOMBINATORIA_H
#define BCT_DRIVER_SONDACOMBINATORIA_H

#include <condition_variable>
#include <cstdio>
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
  // settings and sinks; its lines go to `saida`.
  SondaCombinatoria(const GrafoSimples& g, const std::vector<char>& inicial, const Prazo& prazo,
                    const AjustesDaBusca& ajustes, const Acompanhamento& acomp, std::FILE* saida);
  ~SondaCombinatoria();
  SondaCombinatoria(const SondaCombinatoria&) = delete;
  SondaCombinatoria& operator=(const SondaCombinatoria&) = delete;

  // Waits up to `segundos` for the search to end (proved, or stopped by the
  // deadline); whether it has.
  bool terminaEm(double segundos);
  // Holds the search at its next look at the clock.
  void segura();
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
  // The best set seen at the search's clock checks, and whether the run's
  // own sink wanted it too.
  std::vector<char> melhor_;
  int tamanhoMelhor_ = 0;
  bool querFora_ = false;
  std::thread fio_;
};

#endif
