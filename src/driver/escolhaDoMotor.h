// The automatic mode's choice of engine for a piece, measured, not guessed:
// the size and density rule, the probe of the combinatorial engine, the
// branch-and-cut's hand-over of a piece whose root leaves a wide gap, and
// the merge of what both engines proved.  Also the solve of a piece by the
// engine -c or the branch-and-cut alone give it.
#ifndef BCT_DRIVER_ESCOLHADOMOTOR_H
#define BCT_DRIVER_ESCOLHADOMOTOR_H

#include <cstdio>
#include <vector>

#include "base/opcoes.h"
#include "base/relogio.h"
#include "graph/GrafoSimples.h"
#include "search/resultado.h"

// The engine of a piece: the combinatorial one for tiny pieces and for
// dense ones (at least half of all pairs joined, at most 5000 vertices); for
// sparse pieces of at most 300 vertices a probe of the combinatorial engine
// and then the branch-and-cut's root, which gives the piece back to the
// combinatorial engine when it leaves a wide gap (and has it beside its
// tree when that runs long); the branch-and-cut
// alone for the rest, where the clique-cover bound is far above the
// optimum.  A piece whose combinatorial search would not fit in memory
// stays with the branch-and-cut.
enum class MotorAutomatico { combinatorio, branchAndCut, raizDecide };
MotorAutomatico motorAutomatico(const GrafoSimples& g);

// The hand-over's terms: the root's bound more than a tenth above the best
// value, or a root longer than a second and a hundredth of the time left.
constexpr double GAP_DE_DESISTENCIA = 0.1;
inline double segundosDaRaizAutomatica(double restante) {
  return 1.0 + (restante > 0 ? 0.01 * restante : 0.0);
}

// A piece the branch-and-cut has not proved this long after the probe was
// held gets the probe back, beside it: a root gap under a tenth does not
// make a tree short (a 250-vertex breadth-first sample of Wikipedia
// elections, 229 vertices and 3,043 edges left by the rules: root 185.6
// against 173, 11,236 nodes in 120 s ending at 177, where the combinatorial
// engine proves 173 in 0.3 s), and the trees the branch-and-cut keeps end
// sooner (netlib_sc205's piece: 0.25 s).  A root longer than that (its
// budget is a second and a hundredth of the time left) has the probe beside
// it too.  Until then the branch-and-cut has every processor; after, the two
// share them.
constexpr double SEGUNDOS_ATE_A_CORRIDA = 2;
// So does a piece the branch-and-cut has from the start, up to this size and
// from this density: on breadth-first samples of 400 vertices of Wikipedia
// elections (pieces of 353 to 375 vertices, density 0.08 to 0.1) the
// combinatorial engine proves in 0.4 to 4.4 s what the branch-and-cut
// leaves open after 30 s, and on one of 600 vertices (551, 0.061) in 19 s;
// on sparser pieces its clique-cover bound is weak (real_wiki1000's, 633
// vertices at 0.031: not proved in a minute, where the branch-and-cut takes
// 9 s, and would take 16 s beside it).  Whether a piece gets it under these
// settings (-a, and its search fits in memory).
constexpr int MAXIMO_DA_CORRIDA = 1000;
constexpr double DENSIDADE_DA_CORRIDA = 0.05;
bool querCombinatorioAoLado(const GrafoSimples& g, const AjustesDaBusca& ajustes);

// The probe of a piece the root decides: the combinatorial engine's search
// (SondaCombinatoria), the piece proved when it ends in time (most small
// sparse pieces); otherwise it is held while the branch-and-cut's root
// measures the piece, and goes on from where it stood if the root hands the
// piece over.  A sparse piece gets SEGUNDOS_DA_SONDA; one with at least
// 15% of its pairs joined, where the branch-and-cut has never kept a piece
// of the benchmark sets (the densest it keeps has 8.5%), gets as long as
// the root would, so that the pieces the combinatorial engine proves in
// that time never pay for a root.  BCTOVSEL_SONDA=S gives every probe S
// seconds, and 0 switches the probe off, for measuring.
constexpr double SEGUNDOS_DA_SONDA = 0.05;
double segundosDaSonda(const GrafoSimples& g, double restante);

// The branch-and-cut of a large sparse piece that runs this long gets the
// semidefinite bound beside it (-a; see LimitanteSemidefinido): the pieces it
// proves in seconds keep every processor.
constexpr double ESPERA_SEMIDEFINIDA = 20.0;
// Whether the branch-and-cut of piece g gets that bound under these settings.
bool querLimitanteSemidefinido(const GrafoSimples& g, const AjustesDaBusca& ajustes);
// A piece this large starts it at once, beside the local search of its
// first set, since its search never ends within the wait: the root of a
// 10,702-vertex piece of a Slashdot sample still falls after 80 s, and
// Slashdot's own piece of 38,591 vertices takes 37 s for its first set and
// 65 s for its first LP, a processor idle meanwhile.
constexpr int VERTICES_DO_LIMITANTE_CEDO = 10000;

class LimitanteSemidefinido;

// Solves the piece g from its first set `inicial` by `motor` by the deadline
// `prazo`, with the settings of the piece's search; the engines' lines go to
// `saida`.  `iniciado`, when given, is the piece's bound already started
// (and is ended with the search).
ResultadoBusca resolvePeca(const GrafoSimples& g, const std::vector<char>& inicial,
                           MotorAutomatico motor, const Prazo& prazo, const AjustesDaBusca& ajustes,
                           const Acompanhamento& acompanhamento, std::FILE* saida,
                           LimitanteSemidefinido* iniciado = nullptr);

// Two searches of one piece as one: the better set, the lower bound (each
// holds), and what both spent and added (nodes, separation time, cuts, rows,
// profile).
void juntaBusca(ResultadoBusca& a, const ResultadoBusca& b);

#endif
