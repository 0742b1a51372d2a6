// One branch-and-cut solve: the graph, a first set and the settings in, the
// result out, and, while it runs, the state everything it changes lives in
// (the store, the work arrays and the cut batch, the separation's counters
// and each separator's data, the incumbent, the optimizer's problem, the
// model's row counts, the hand-over and heuristic data).  The optimizer's
// callbacks reach it through their data pointer; nothing of a solve is
// process-wide, so solves may run at once on different threads.
#ifndef BCT_SEARCH_RESOLUCAO_H
#define BCT_SEARCH_RESOLUCAO_H

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "base/memoria.h"
#include "base/opcoes.h"
#include "base/perfil.h"
#include "base/relogio.h"
#include "graph/GrafoSimples.h"
#include "graph/grafo.h"
#include "localsearch/BuscaLocal.h"
#include "optimizer/xprs.h"
#include "search/resultado.h"
#include "separation/cortes.h"
#include "separation/lote.h"
#include "separation/trabalho.h"

// Solves g by branch-and-cut by the deadline `prazo`, with the settings
// `ajustes`.  `inicial`, when given, is a balanced set of g handed to the
// search as its first incumbent (at node 0).  The model's lines, the
// detailed printing and the mode lines go to `saida`.
ResultadoBusca resolveBranchAndCut(const GrafoSimples& g, const std::vector<char>* inicial,
                                   const Prazo& prazo, const AjustesDaBusca& ajustes,
                                   const Acompanhamento& acompanhamento = {},
                                   std::FILE* saida = stdout);

struct Resolucao {
  Resolucao(const GrafoSimples& g, const Prazo& prazo, const AjustesDaBusca& ajustes,
            const Acompanhamento& acompanhamento, std::FILE* saida);
  ~Resolucao();
  Resolucao(const Resolucao&) = delete;
  Resolucao& operator=(const Resolucao&) = delete;

  const GrafoSimples& grafoSimples;  // the graph solved, for the stages that take it whole
  const Prazo prazo;                 // every stage of the solve stops at it
  const AjustesDaBusca ajustes;
  const Acompanhamento& acompanhamento;
  std::FILE* saida;
  Perfil perfil;
  Armazem grafo;
  Trabalho trabalho;
  Lote lote;
  Separacao separacao;
  XPRSprob prob = nullptr;

  // The incumbent.
  double zstar = -1e20;              // best value, -1e20 while none
  Arranjo<double> xstar;             // best solution, 1.0 per chosen vertex
  int NODE_BEST_INTEGER_SOL = -1;    // node of the best solution, -1 while none

  // The model's rows.
  int nCliqueIndSetIF = 0;  // clique rows of the loaded model
  int nCycleIF = 0;         // cycle rows of the loaded model
  int nCliqueSigIF = 0;     // K1K2 rows added after the load

  // The automatic mode's hand-over (desistencia.cpp), armed when the
  // settings ask for it.
  struct Desistencia {
    bool armada = false;
    bool desistiu = false;
    double limiarDoGap = 0;
    Prazo fimDaRaiz;  // derived from the solve's deadline
  } desistencia;

  // A reduced run's tree held depth first (AjustesDaBusca::NOS_EM_PROFUNDIDADE)
  // and, since its first node, for how long.
  struct Profundidade {
    bool armada = false;
    double inicioDaArvore = -1;  // seconds of the deadline's clock, -1 before the first node
  } profundidade;

  // The LP-guided heuristic's local search over grafoSimples, made on first use.
  std::unique_ptr<buscaLocal::BuscaLocal> buscaDoLP;
};

#endif
