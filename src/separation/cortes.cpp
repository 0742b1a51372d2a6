// The cut manager: one separation iteration per call, reloading violated
// pool cuts or running the separators into the shared batch.
#include "separation/cortes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/erro.h"
#include "base/opcoes.h"
#include "base/perfil.h"
#include "base/relogio.h"
#include "graph/grafo.h"
#include "search/busca.h"
#include "separation/lote.h"
#include "separation/separadores.h"
#include "separation/trabalho.h"

int ncortesIter = 0, itersep = 0, totsep = 0, totcuts = 0;
int totDesCicloCMenosOdd = 0, totDesClique = 0, totDesCicloCIndSet = 0;
int cut_time = 0;
double objval_relax = 0.0, objval_node1 = 0.0;

void arredondaPonto(double* x, int n) {
  for (int i = 0; i < n; i++) {
    if (x[i] < 1e-6) x[i] = 0.0;
    else if (x[i] > 0.999999) x[i] = 1.0;
  }
}

int cortesDoPool(int nViolados, int totcuts, int totsep) {
  const int media = totcuts / (totsep + 1);
  if (nViolados <= media) return 0;
  return nViolados > MAX_CORTES ? MAX_CORTES : nViolados;
}

namespace {

// The profile's count of the system's cuts in the node LP as its loop ends,
// and of those without slack (the ones holding the bound up).
void contaCortesJustos(XPRSprob prob) {
  int n = 0;
  if (XPRSgetcutlist(prob, 0, -1, &n, 0, nullptr) != 0 || n == 0) return;
  std::vector<XPRScut> lista(static_cast<size_t>(n));
  if (XPRSgetcutlist(prob, 0, -1, &n, n, lista.data()) != 0) return;
  for (XPRScut c : lista) {
    double folga = 0;
    if (XPRSgetcutslack(prob, c, &folga) != 0) continue;
    perfil.cortesNoLp++;
    if (folga < 1e-6) perfil.cortesJustos++;
  }
}

// A heuristic as a stage of the profile, counting the calls that improved
// the best set.
template <class Heuristica>
void mede(EtapaPerfil etapa, Heuristica&& heuristica) {
  MedeEtapa medida(etapa);
  const double antes = zstar;
  heuristica();
  if (zstar > antes) perfil.resultados[etapa]++;
}

// A reduced run also rounds the LP point into a start for the local search:
// every HEURISTICA_LP_RODADAS rounds at the root, whose separation may take
// minutes, and at the first round of nodes HEURISTICA_LP_NOS, twice that,
// four times that...
void heuristicaLP(XPRSprob prob, int no) {
  const bool vez = no == 0 ? itersep % HEURISTICA_LP_RODADAS == 0
                           : itersep == 0 && no % HEURISTICA_LP_NOS == 0 &&
                                 ((no / HEURISTICA_LP_NOS) & (no / HEURISTICA_LP_NOS - 1)) == 0;
  if (vez) mede(ETAPA_HEURISTICA_LP, [&] { heuristicaGuiadaPeloLP(prob, x, no); });
}

}  // namespace

bool paraSeparacao(int itersep, int nIntInf, int cortesCiclo, int rodadas) {
  return itersep >= rodadas && (nIntInf != 0 || cortesCiclo <= 0);
}

int Cortes(XPRSprob prob, void*) {
  const clock_t t0 = agora();
  if (COMPLETE_PRINT) std::printf("Rotina cortes.\n");
  if (!BRANCH_AND_CUT && !HEURISTICA_PRIMAL) return 0;
  // Past the deadline the search is about to stop: no more work here.
  if (tempoEsgotado() || buscaDesistida()) return 0;

  int statusLP = 0, nIntInf = 0;
  XPRSgetintattrib(prob, XPRS_LPSTATUS, &statusLP);
  XPRSgetintattrib(prob, XPRS_MIPINFEAS, &nIntInf);
  if (COMPLETE_PRINT) std::printf("nIntInf: %d\n", nIntInf);
  if (statusLP != 1) return 0;

  testaRetorno(XPRSgetpresolvesol(prob, x, nullptr, nullptr, nullptr),
               "Main: Erro na chamada da rotina XPRSgetpresolvesol.\n", 89);
  arredondaPonto(x, nlin);

  int no = 0;
  XPRSgetintattrib(prob, XPRS_NODES, &no);
  if (COMPLETE_PRINT) std::printf("Laco de separacao: %d\n", itersep);
  if (HEURISTICA_PRIMAL && nIntInf > 0) {
    mede(ETAPA_HEURISTICA, [&] { heuristicaPrimal(x, no); });
    if (REDUZIR && !(DESLIGADAS & DESLIGA_HEURISTICA_LP)) heuristicaLP(prob, no);
  }

  double objLP = 0.0;
  XPRSgetdblattrib(prob, XPRS_LPOBJVAL, &objLP);
  if (COMPLETE_PRINT) {
    std::printf(".Valor otimo do LP: %12.6f\n", objLP);
    std::printf(".Solucao otima do LP:\n");
    std::printf(".Rotina de separacao\n");
    std::printf("No %d iteracao %d\n", no, itersep);
  }
  if (no == 0) {
    objval_node1 = objLP;
    // The first relaxation is the root's first LP: a round after one that
    // found nothing (the optimizer's own cuts, -g, came between) starts at
    // an LP that is not.
    int resolucoes = 0;
    XPRSgetintattrib(prob, XPRS_NODELPSOLVES, &resolucoes);
    if (itersep == 0 && resolucoes == 1) objval_relax = objLP;
  }
  if (!BRANCH_AND_CUT) return 0;

  int profundidade = 0;
  testaRetorno(XPRSgetintattrib(prob, XPRS_NODEDEPTH, &profundidade),
               "Cortes: erro na chamada da rotina XPRSgetintattrib.\n", 142);
  if (profundidade > MAX_NODE_DEPTH_FOR_SEP) return 0;

  ncortesIter = 0;
  int doPool = 0;
  if (no > 0) {
    MedeEtapa medida(ETAPA_POOL);
    double* violacoes = static_cast<double*>(std::malloc(sizeof(double) * MAX_CORTES));
    if (violacoes == nullptr) errormsg("Main: memory allocation error.\n", 159, -1);
    int nViolados = 0;
    testaRetorno(XPRSgetcpcutlist(prob, 1234, -1, 1e-5, &nViolados, MAX_CORTES, mcutind, violacoes),
                 "Main: Erro na chamada da rotina XPRSgetcpcutlist.\n", 170);
    const int carregar = cortesDoPool(nViolados, totcuts, totsep);
    if (carregar > 0) {
      testaRetorno(XPRSloadcuts(prob, 1234, -1, carregar, mcutind),
                   "Cortes: erro na chamada da rotina XPRSloadcuts.\n", 181);
      doPool = carregar;
    }
    std::free(violacoes);
    ncortesIter += doPool;
    perfil.resultados[ETAPA_POOL] += doPool;
  }
  if (COMPLETE_PRINT) std::printf("Total de cortes cutPoolSep: %d\n", doPool);

  // Below the root a reduced run stops separating once a round has moved
  // the bound by less than CAUDA_DA_SEPARACAO of its distance to the best
  // value: the node's rounds after that cost a sweep of searches each and
  // rarely decide whether it is pruned (wiki1000 65 s to 12 s, r_n75_d0.1
  // 14.6 s to 5.6 s, with a few more nodes).
  static double objAnterior = 0;
  if (REDUZIR && !(DESLIGADAS & DESLIGA_CAUDA) && no > 0 && nIntInf > 0 && doPool == 0 && itersep > 0 &&
      objAnterior - objLP < CAUDA_DA_SEPARACAO * std::max(0.0, objLP - zstar)) {
    if (PERFIL) contaCortesJustos(prob);
    itersep = 0;
    cut_time += static_cast<int>(agora() - t0);
    return 0;
  }
  objAnterior = objLP;
  if (doPool == 0) {
    int ultimoCorte = -1, ultimoCoef = -1;
    const int cortesCiclo = separacaoExataCMenosOdd(x, &ultimoCorte, &ultimoCoef);
    totDesCicloCMenosOdd += cortesCiclo;
    ncortesIter += cortesCiclo;

    // A reduced run's root goes on longer: on the real networks its bound
    // still falls after ten rounds, and that bound decides their proofs.
    const int rodadas = REDUZIR && no == 0 ? RODADAS_RAIZ_REDUZIDA : RODADAS_POR_NO;
    if (paraSeparacao(itersep, nIntInf, cortesCiclo, rodadas)) {
      // The cycle cuts just found are dropped: the loop has run long enough.
      if (PERFIL) contaCortesJustos(prob);
      itersep = 0;
      cut_time += static_cast<int>(agora() - t0);
      return 0;
    }

    int cortesClique = 0, cortesIndSet = 0;
    if (ncortesIter <= MAX_CORTES - 1) {
      {
        MedeEtapa medida(ETAPA_CLIQUE);
        cortesClique =
            separacaoHeuristicaDesigualdadesClique(x, &ultimoCorte, &ultimoCoef, ncortesIter);
        perfil.resultados[ETAPA_CLIQUE] += cortesClique;
      }
      totDesClique += cortesClique;
      ncortesIter += cortesClique;
      if (ncortesIter <= MAX_CORTES - 1 && nduplo > 20) {
        MedeEtapa medida(ETAPA_IND_SET);
        cortesIndSet = separacaoExataCicloIndSet(x, &ultimoCorte, &ultimoCoef, ncortesIter);
        perfil.resultados[ETAPA_IND_SET] += cortesIndSet;
        totDesCicloCIndSet += cortesIndSet;
        ncortesIter += cortesIndSet;
      }
    }
    mstart[ultimoCorte + 1] = ultimoCoef + 1;

    if (ncortesIter == 0) {
      if (COMPLETE_PRINT) std::printf("..corte nao encontrado.\n");
    } else {
      totcuts += ncortesIter;
      perfil.termos += mstart[ultimoCorte + 1];
      if (COMPLETE_PRINT) {
        std::printf("Total de cortes ciclo-negativo: %d\n", cortesCiclo);
        std::printf("Total de cortes cycle ind set: %d\n", cortesIndSet);
        std::printf("Total de cortes clique: %d\n", cortesClique);
      }
      testaRetorno(
          XPRSstorecuts(prob, ncortesIter, 1, mtype, qrtype, drhs, mstart, mcutind, mcols, dmatval),
          "Cortes: erro na chamada da rotina XPRSaddcuts.\n", 272);
      testaRetorno(XPRSloadcuts(prob, 1234, -1, ncortesIter, mcutind),
                   "Cortes: erro na chamada da rotina XPRSloadcuts.\n", 276);
    }
  }

  int resultado = 0;
  if (ncortesIter > 0) {
    itersep++;
    totsep++;
    resultado = 1;
    perfil.rodadas++;
  } else {
    if (PERFIL) contaCortesJustos(prob);
    itersep = 0;
  }
  cut_time += static_cast<int>(agora() - t0);
  return resultado;
}
