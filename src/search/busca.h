// Search control: the incumbent, the primal heuristic and the callbacks that
// follow or steer the optimizer's tree.
#ifndef BCT_SEARCH_BUSCA_H
#define BCT_SEARCH_BUSCA_H

#include <vector>

#include "optimizer/xprs.h"

extern double zstar;               // best value, -1e20 while none
extern double* xstar;              // best solution, 1.0 per chosen vertex (nlin)
extern int NODE_BEST_INTEGER_SOL;  // node of the best solution, -1 while none

void heuristicaPrimal(double* x, int node);
// A reduced run's: the LP point rounded and improved by local search (see
// heuristicaLP.cpp), at some rounds of the root and at nodes
// HEURISTICA_LP_NOS, twice that, four times that...  (so that it costs
// little in trees of many cheap nodes).  esqueceHeuristicaGuiadaPeloLP drops
// what it kept of the last solve's graph.
constexpr int HEURISTICA_LP_RODADAS = 10;
constexpr int HEURISTICA_LP_NOS = 16;
void heuristicaGuiadaPeloLP(XPRSprob prob, const double* x, int node);
class GrafoSimples;
void heuristicaGuiadaPeloLPSobre(const GrafoSimples* g);
void esqueceHeuristicaGuiadaPeloLP();
void salvaMelhorSol(XPRSprob prob, void* object);
int ehviavel(double* p);
// Steps of salvaMelhorSol after the balance test: a valid point x of value v,
// found at node k, not worse than the incumbent becomes the incumbent and
// moves the cut-off to v + 1 - 1e-6.
void aceitaSolucao(XPRSprob prob, double v, int k, int n, int valida);
// Appends the incumbent to the file named by BCTOVSEL_INCUMBENTES, if set
// (in a reduced run, only the whole set rebuilt at the end is recorded).
void registraIncumbente();
// The set already in xstar, of value z found at `node`, becomes the
// incumbent with the cut-off it earns (z + 1 - 1e-6) and is recorded;
// `erro` and `codigo` name the caller should the optimizer refuse it.
void novoIncumbente(XPRSprob prob, double z, int node, const char* erro, int codigo);
void registraConjunto(const std::vector<char>& escolhido);
int cbChangeBranchObject(XPRSprob prob, void* object, XPRSbranchobject proposed,
                         XPRSbranchobject* replacement);
void nodeOptimal(XPRSprob prob, void* object, int* feasible);
void varSelection(XPRSprob prob, void* object, int* column, int* up,
                  double* estimate);
void nodeSelection(XPRSprob prob, void* object, int* node);
void nodeInfeasible(XPRSprob prob, void* object);
void nodeCutoff(XPRSprob prob, void* object, int node);
// The automatic mode's hand-over (desistencia.cpp): armed before a search,
// the branch-and-cut gives its piece up when the root's bound is more than
// limiarGap (relative to the best value) above the best value, or when the
// root takes more than segundosDaRaiz; the search then stops as at its
// deadline and buscaDesistida() says so until desarmaDesistencia().
void armaDesistencia(double limiarGap, double segundosDaRaiz);
void desarmaDesistencia();
bool buscaDesistida();
void avaliaRaiz(XPRSprob prob);   // at the root's branching
bool raizDemorada(XPRSprob prob); // at the clock checks; true once given up
// Check-time callback: stops the search once the run's deadline has passed,
// and writes the progress lines when they are on.
int verificaTempo(XPRSprob prob, void* object);
// Called at each clock check when set: the driver's look at the incumbent,
// to keep the solution file on disk up to date while the search runs.
extern void (*ganchoDeMelhora)();

#endif
