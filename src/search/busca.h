// Search control: the callbacks that follow or steer the optimizer's tree,
// the incumbent, the primal heuristics and the hand-over, each on the state
// of the solve under way (see Resolucao.h).
#ifndef BCT_SEARCH_BUSCA_H
#define BCT_SEARCH_BUSCA_H

#include <vector>

#include "optimizer/xprs.h"
#include "search/Resolucao.h"

// The callbacks, registered with the solve's Resolucao as their data.
int Cortes(XPRSprob prob, void* dados);
void salvaMelhorSol(XPRSprob prob, void* dados);
int cbChangeBranchObject(XPRSprob prob, void* dados, XPRSbranchobject proposed,
                         XPRSbranchobject* replacement);
void nodeOptimal(XPRSprob prob, void* dados, int* feasible);
void varSelection(XPRSprob prob, void* dados, int* column, int* up, double* estimate);
void nodeSelection(XPRSprob prob, void* dados, int* node);
void nodeInfeasible(XPRSprob prob, void* dados);
void nodeCutoff(XPRSprob prob, void* dados, int node);
// Check-time callback: stops the search once the run's deadline has passed
// (or the hand-over gave the piece up), and tells the run how it goes.
int verificaTempo(XPRSprob prob, void* dados);

void heuristicaPrimal(Resolucao& s, double* x, int node);
// A reduced run's: the LP point rounded and improved by local search (see
// heuristicaLP.cpp), at some rounds of the root and at nodes
// HEURISTICA_LP_NOS, twice that, four times that...  (so that it costs
// little in trees of many cheap nodes).
constexpr int HEURISTICA_LP_RODADAS = 10;
constexpr int HEURISTICA_LP_NOS = 16;
void heuristicaGuiadaPeloLP(Resolucao& s, XPRSprob prob, const double* x, int node);

// Whether the point p (1 for a chosen vertex) is balanced in the store; the
// sides are left in position.
int ehviavel(const Armazem& grafo, int* position, double* p);
// Steps of salvaMelhorSol after the balance test: a valid point x of value v,
// found at node k, not worse than the incumbent becomes the incumbent and
// moves the cut-off to v + 1 - 1e-6.
void aceitaSolucao(Resolucao& s, XPRSprob prob, double v, int k, int n, int valida);
// The set already in xstar, of value z found at `node`, becomes the
// incumbent with the cut-off it earns (z + 1 - 1e-6) and is recorded;
// `erro` and `codigo` name the caller should the optimizer refuse it.
void novoIncumbente(Resolucao& s, XPRSprob prob, double z, int node, const char* erro, int codigo);
// Appends a set to the file named by BCTOVSEL_INCUMBENTES, if set, as the
// list of its chosen vertices (a reduced run records only the whole set
// rebuilt at the end).
void registraConjunto(const std::vector<char>& escolhido);

// The automatic mode's hand-over (desistencia.cpp): armed before a search,
// the branch-and-cut gives its piece up when the root's bound is more than
// the settings' share of the best value above it, or when the root takes
// longer than they allow; the search then stops as at its deadline.
void armaDesistencia(Resolucao& s);
void avaliaRaiz(Resolucao& s, XPRSprob prob);    // at the root's branching
bool raizDemorada(Resolucao& s, XPRSprob prob);  // at the clock checks; true once given up

#endif
