// The cut manager: at each LP solve of a node, the point read and snapped,
// the primal heuristics run on it, the root's figures kept, and then the
// node's separation round (separation/cortes.h).
#include <cstdio>

#include "base/erro.h"
#include "base/perfil.h"
#include "base/relogio.h"
#include "search/busca.h"

namespace {

// A heuristic as a stage of the profile, counting the calls that improved
// the best set.
template <class Heuristica>
void mede(Resolucao& s, EtapaPerfil etapa, Heuristica&& heuristica) {
  MedeEtapa medida(s.perfil, etapa);
  const double antes = s.zstar;
  heuristica();
  if (s.zstar > antes) s.perfil.resultados[etapa]++;
}

// A reduced run also rounds the LP point into a start for the local search:
// every HEURISTICA_LP_RODADAS rounds at the root, whose separation may take
// minutes, and at the first round of nodes HEURISTICA_LP_NOS, twice that,
// four times that...
void heuristicaLP(Resolucao& s, XPRSprob prob, int no) {
  const int itersep = s.separacao.itersep;
  const bool vez = no == 0 ? itersep % HEURISTICA_LP_RODADAS == 0
                           : itersep == 0 && no % HEURISTICA_LP_NOS == 0 &&
                                 ((no / HEURISTICA_LP_NOS) & (no / HEURISTICA_LP_NOS - 1)) == 0;
  if (vez) mede(s, ETAPA_HEURISTICA_LP, [&] { heuristicaGuiadaPeloLP(s, prob, s.trabalho.x, no); });
}

}  // namespace

int Cortes(XPRSprob prob, void* dados) {
  Resolucao& s = *static_cast<Resolucao*>(dados);
  const AjustesDaBusca& a = s.ajustes;
  std::FILE* saida = s.saida;
  Separacao& sep = s.separacao;
  const clock_t t0 = agora();
  if (a.COMPLETE_PRINT) std::fprintf(saida, "Rotina cortes.\n");
  if (!a.BRANCH_AND_CUT && !a.HEURISTICA_PRIMAL) return 0;
  // Past the deadline the search is about to stop: no more work here.
  if (s.prazo.passou() || s.desistencia.desistiu) return 0;

  int statusLP = 0, nIntInf = 0;
  XPRSgetintattrib(prob, XPRS_LPSTATUS, &statusLP);
  XPRSgetintattrib(prob, XPRS_MIPINFEAS, &nIntInf);
  if (a.COMPLETE_PRINT) std::fprintf(saida, "nIntInf: %d\n", nIntInf);
  if (statusLP != 1) return 0;

  double* const x = s.trabalho.x;
  testaRetorno(prob, XPRSgetpresolvesol(prob, x, nullptr, nullptr, nullptr),
               "Main: Erro na chamada da rotina XPRSgetpresolvesol.\n", 89);
  arredondaPonto(x, s.grafo.nlin);

  int no = 0;
  XPRSgetintattrib(prob, XPRS_NODES, &no);
  if (a.COMPLETE_PRINT) std::fprintf(saida, "Laco de separacao: %d\n", sep.itersep);
  if (a.HEURISTICA_PRIMAL && nIntInf > 0) {
    mede(s, ETAPA_HEURISTICA, [&] { heuristicaPrimal(s, x, no); });
    if (a.REDUZIR && !(a.DESLIGADAS & DESLIGA_HEURISTICA_LP)) heuristicaLP(s, prob, no);
  }

  double objLP = 0.0;
  XPRSgetdblattrib(prob, XPRS_LPOBJVAL, &objLP);
  if (a.COMPLETE_PRINT) {
    std::fprintf(saida, ".Valor otimo do LP: %12.6f\n", objLP);
    std::fprintf(saida, ".Solucao otima do LP:\n");
    std::fprintf(saida, ".Rotina de separacao\n");
    std::fprintf(saida, "No %d iteracao %d\n", no, sep.itersep);
  }
  if (no == 0) {
    sep.objval_node1 = objLP;
    // The first relaxation is the root's first LP: a round after one that
    // found nothing (the optimizer's own cuts, -g, came between) starts at
    // an LP that is not.
    int resolucoes = 0;
    XPRSgetintattrib(prob, XPRS_NODELPSOLVES, &resolucoes);
    if (sep.itersep == 0 && resolucoes == 1) sep.objval_relax = objLP;
  }
  if (!a.BRANCH_AND_CUT) return 0;
  return separaNo(sep, prob, t0, no, nIntInf, objLP, s.zstar);
}
