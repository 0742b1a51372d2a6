// What an engine's solve of a graph gives back (the branch-and-cut's and the
// combinatorial engine's alike), and what it tells the run while it goes on.
#ifndef BCT_SEARCH_RESULTADO_H
#define BCT_SEARCH_RESULTADO_H

#include <atomic>
#include <functional>
#include <vector>

#include "base/perfil.h"
#include "graph/linhaValida.h"

struct ResultadoBusca {
  double zstar = -1e20;         // best value, -1e20 while none
  std::vector<char> escolhido;  // the best set, per vertex of the graph solved
  int noMelhor = -1;            // node of the best solution
  unsigned long tiques = 0;     // clock ticks of the search
  long tiquesSeparacao = 0;     // of which in separation
  double limitante = 0;         // the optimizer's best bound (not yet adjusted)
  double relaxacao = 0, raiz = 0;  // first LP relaxation, last root LP
  bool raizResolvida = false;      // the root LP was solved (the two above are its)
  int cortes = 0, cortesCiclo = 0, cortesClique = 0, cortesIndSet = 0;
  int cortesGerais = 0;  // general-purpose cuts of the optimizer (-g)
  int linhasClique = 0, linhasCiclo = 0, linhasK1K2 = 0;  // initial model rows
  int nos = 0;
  bool desistiu = false;  // the branch-and-cut gave the graph up at its root (see AjustesDaBusca)
  Perfil perfil;          // where the solve's time went (-v)
};

// The run's view of a search under way (progress lines, the solution file
// kept on disk) and what it learns meanwhile (a bound proved beside it).
// Each may be empty.
struct Acompanhamento {
  // At the search's clock checks: its nodes, open nodes, best value (-1e20
  // while none) and bound.
  std::function<void(long long nos, long long abertos, double valor, double limitante)> progresso;
  // Whether a set of this value is wanted now, and then the set itself with
  // a bound on the search's optimum.
  std::function<bool(double valor)> quer;
  std::function<void(const std::vector<char>& escolhido, double limitante)> recebe;
  // A bound on the graph's optimum proved elsewhere while the search runs
  // (a whole number; the search's own counts as well): once it meets the
  // best value the search ends, that value proved optimal.
  const std::atomic<double>* limitanteDeFora = nullptr;
  // Rows found elsewhere while the search runs, each handed over once (empty
  // while there are none): the root's separation rounds load those its LP
  // point violates.
  std::function<std::vector<LinhaValida>()> linhasDeFora;
};

#endif
