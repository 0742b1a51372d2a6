// One solve by the combinatorial engine, with what the report needs in the
// same form as a branch-and-cut solve gives it.
#ifndef BCT_DRIVER_RESOLUCAOCOMBINATORIA_H
#define BCT_DRIVER_RESOLUCAOCOMBINATORIA_H

#include <chrono>
#include <vector>

#include "base/relogio.h"
#include "driver/resolucao.h"
#include "graph/GrafoSimples.h"

// Solves g by `fim` (the run's deadline unless given).  `inicial`, when given, is a balanced
// set of g, the first incumbent; otherwise the local search finds one when
// the strategy asks for the primal heuristic.  The two root values are the
// engine's: the plain clique-cover bound and the root's refined bound; there
// are no cuts nor model rows.
ResultadoBusca resolveCombinatorio(const GrafoSimples& g, const std::vector<char>* inicial,
                                   std::chrono::steady_clock::time_point fim = prazo());

// The automatic mode's engine for a piece: the combinatorial one for tiny
// pieces and for dense ones (at least half of all pairs joined, at most 5000
// vertices); for sparse pieces of at most 300 vertices the branch-and-cut
// first (after a short probe of the combinatorial engine), giving the piece up to the combinatorial engine when its root
// leaves a wide gap (see armaDesistencia); the branch-and-cut alone for the
// rest, where the clique-cover bound is far above the optimum.  A piece whose
// combinatorial search would not fit in memory stays with the branch-and-cut.
enum class MotorAutomatico { combinatorio, branchAndCut, raizDecide };
MotorAutomatico motorAutomatico(const GrafoSimples& g);
// The hand-over's terms: the root's bound more than a tenth above the best
// value, or a root longer than a second and a hundredth of the time left.
constexpr double GAP_DE_DESISTENCIA = 0.1;
inline double segundosDaRaizAutomatica(double restante) {
  return 1.0 + (restante > 0 ? 0.01 * restante : 0.0);
}

// The probe of a piece the root decides: the combinatorial engine's search
// for this long, the piece proved when it ends in time (most small sparse
// pieces), its best set handed to the branch-and-cut otherwise.  Zero, from
// BCTOVSEL_SONDA, switches it off (see segundosDaSonda).
constexpr double SEGUNDOS_DA_SONDA = 0.05;
double segundosDaSonda();

// Ends the run through the memory failure path, before any file is written,
// when the search over g's largest component cannot fit.
void exigeMemoriaCombinatoria(const GrafoSimples& g);

#endif
