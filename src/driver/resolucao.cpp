// One branch-and-cut solve of the graph store: model arrays, optimizer
// start, controls and load, the initial clique rows, the cut buffers and work
// arrays, the callbacks, the search, and the figures the report needs.
#include "driver/resolucao.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "base/erro.h"
#include "base/memoria.h"
#include "base/opcoes.h"
#include "base/perfil.h"
#include "base/relogio.h"
#include "graph/grafo.h"
#include "model/modelo.h"
#include "search/busca.h"
#include "separation/cortes.h"
#include "separation/lote.h"
#include "separation/trabalho.h"

// Rounds of general-purpose cuts at the root with -g (they stop earlier when
// a round moves the bound by less than a thousandth).
static const int RODADAS_CORTES_GERAIS = 20;

namespace {

template <typename T>
void libera(T*& p) {
  if (p != nullptr) std::free(p);
  p = nullptr;
}

}  // namespace

ResultadoBusca resolveArmazem(const GrafoSimples& g, const std::vector<char>* inicial) {
  ResultadoBusca r;
  // A solve starts from the statistics of none.
  totcuts = itersep = totsep = ncortesIter = 0;
  totDesCicloCMenosOdd = totDesClique = totDesCicloCIndSet = 0;
  cut_time = 0;
  objval_relax = objval_node1 = 0.0;
  zstar = -1e20;
  NODE_BEST_INTEGER_SOL = -1;

  const size_t n = static_cast<size_t>(nlin);
  heuristicaGuiadaPeloLPSobre(&g);
  std::optional<MedeEtapa> medidaModelo(ETAPA_MODELO);
  int linhasContadas = 0, elementosContados = 0;
  contaModelo(&linhasContadas, &elementosContados);
  const size_t linhasModelo = static_cast<size_t>(linhasContadas);
  const size_t elementosModelo = static_cast<size_t>(elementosContados);
  char* qgtype = static_cast<char*>(aloca(n, sizeof(char), 63));
  double* obj = static_cast<double*>(aloca(n, sizeof(double), 65));
  double* dlb = static_cast<double*>(aloca(n, sizeof(double), 67));
  double* dub = static_cast<double*>(aloca(n, sizeof(double), 69));
  int* mgcols = static_cast<int*>(aloca(n, sizeof(int), 71));
  qrtype = static_cast<char*>(aloca(linhasModelo, sizeof(char), 79));
  double* rhs = static_cast<double*>(aloca(linhasModelo, sizeof(double), 81));
  mstart = static_cast<int*>(aloca(n + 1, sizeof(int), 83));
  int* mrwind = static_cast<int*>(aloca(elementosModelo, sizeof(int), 85));
  dmatval = static_cast<double*>(aloca(elementosModelo, sizeof(double), 87));

  const int nlinhas =
      cargaDosVetores(qgtype, obj, dlb, dub, mgcols, qrtype, rhs, mstart, mrwind, dmatval);

  testaRetorno(XPRSinit(""), "Main: Erro de inicializacao do XPRESS.\n", 94);
  testaRetorno(XPRScreateprob(&prob), "Main: Erro na initializacao do problema", 98);

  testaRetorno(XPRSsetdblcontrol(prob, XPRS_MIPRELCUTOFF, 0.0), "Main: XPRSsetdblcontrol.\n", 107);
  testaRetorno(XPRSsetdblcontrol(prob, XPRS_MIPADDCUTOFF, -static_cast<double>(nlin)),
               "Main: XPRSsetdblcontrol.\n", 112);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_CPUTIME, 1),
               "Main: Erro ao tentar setar o XPRS_CPUTIME.\n", 117);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_MAXTIME, -TEMPO_MAX),
               "Main: Erro ao tentar setar o XPRS_MAXTIME.\n", 121);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_EXTRAROWS, 40000),
               "Main: Erro ao tentar setar o XPRS_EXTRAROWS.\n", 127);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_EXTRAELEMS, 40000000),
               "Main: Erro ao tentar setar o XPRS_EXTRAELEMS.", 134);

  testaRetorno(XPRSloadglobal(prob, "tovsel", nlin, nlinhas, qrtype, rhs, nullptr, obj, mstart,
                              nullptr, mrwind, dmatval, dlb, dub, nlin, 0, qgtype, mgcols, nullptr,
                              nullptr, nullptr, nullptr, nullptr),
               "Main: Erro na carga do modelo.", 139);

  libera(qrtype);
  libera(rhs);
  libera(obj);
  libera(mstart);
  libera(mrwind);
  libera(dmatval);
  libera(dlb);
  libera(dub);
  libera(qgtype);
  libera(mgcols);

  gerarDesigualdadesClique();
  medidaModelo.reset();

  testaRetorno(XPRSsetintcontrol(prob, XPRS_PRESOLVE, 0), "Main: Erro ao desabilitar o presolve.",
               169);

  if (HEURISTICA_PRIMAL && RELATA_MODELO) std::printf("*** Heuristica Primal sera usada\n");

  MAX_CORTES = REDUZIR && !(DESLIGADAS & DESLIGA_LOTE) ? MAX_CORTES_REDUZIDA : 200;
  if (BRANCH_AND_CUT) {
    if (RELATA_MODELO) std::printf("*** Algoritmo de branch-and-cut.\n");
    qrtype = static_cast<char*>(aloca(MAX_CORTES, sizeof(char), 188));
    mtype = static_cast<int*>(aloca(MAX_CORTES, sizeof(int), 190));
    drhs = static_cast<double*>(aloca(MAX_CORTES, sizeof(double), 192));
    mstart = static_cast<int*>(aloca(MAX_CORTES + 1, sizeof(int), 194));
    // Room for one cut of every vertex; poeTermo grows it when a batch needs more.
    mcols = static_cast<int*>(aloca(n, sizeof(int), 197));
    dmatval = static_cast<double*>(aloca(n, sizeof(double), 199));
    termosNoLote = static_cast<int>(n);
    mcutind = static_cast<XPRScut*>(aloca(MAX_CORTES, sizeof(XPRScut), 201));
    position = static_cast<int*>(aloca(n, sizeof(int), 205));
    ciclo = static_cast<int*>(aloca(2 * n, sizeof(int), 207));
    vecAlfa = static_cast<double*>(aloca(n, sizeof(double), 209));
    indAlfa = static_cast<int*>(aloca(n, sizeof(int), 211));
    clique = static_cast<int*>(aloca(n, sizeof(int), 213));
    testaRetorno(XPRSsetcbcutmgr(prob, Cortes, nullptr),
                 "Main: Erro na chamada da rotina XPRSsetcbcutmgr.\n", 219);
  } else {
    if (RELATA_MODELO) std::printf("*** Algoritmo de branch-and-bound puro.\n");
    qrtype = nullptr;
    mtype = nullptr;
    drhs = nullptr;
    mstart = nullptr;
    mcols = nullptr;
    dmatval = nullptr;
    termosNoLote = 0;
    position = static_cast<int*>(aloca(n, sizeof(int), 205));
    if (HEURISTICA_PRIMAL)
      testaRetorno(XPRSsetcbcutmgr(prob, Cortes, nullptr), "Main: rotina XPRSsetcbcutmgr.\n", 236);
  }

  testaRetorno(XPRSsetintcontrol(prob, XPRS_CUTSTRATEGY, 1),
               "Main: Erro ao tentar setar o XPRS_CUTSTRATEGY.\n", 243);
  testaRetorno(XPRSsetintcontrol(prob, 8028, 0), "Main: Erro ao tentar setar o XPRS_CUTSTRATEGY.\n",
               248);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_MIPPRESOLVE, 0),
               "Main: Erro ao tentar setar o XPRS_MIPPRESOLVE.\n", 254);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_HEURSTRATEGY, 0),
               "Main: Erro ao tentar setar o XPRS_HEURSTRATEGY.\n", 259);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_MAXMIPSOL, 0),
               "Main: Erro ao tentar setar o XPRS_MAXMIPSOL.\n", 265);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_NODESELECTION, 5),
               "Main: Erro ao tentar setar o XPRS_NODESELECTION.\n", 270);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_SBBEST, 0),
               "Main: Erro ao tentar setar o XPRS_SBBEST.\n", 275);
  // -g: the optimizer's general-purpose cuts at the root, in rounds after
  // the system's own separation; -a alone asks for them on small pieces.
  if (CORTES_GERAIS == 1 || (CORTES_GERAIS == 2 && nlin <= MAXIMO_CORTES_GERAIS_AUTOMATICO))
    testaRetorno(XPRSsetintcontrol(prob, XPRS_GENERICCUTS, RODADAS_CORTES_GERAIS),
                 "Main: Erro ao tentar setar o XPRS_GENERICCUTS.\n", 276);

  testaRetorno(XPRSsetcbintsol(prob, salvaMelhorSol, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcbintsol.\n", 286);
  testaRetorno(XPRSsetcboptnode(prob, nodeOptimal, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcboptnode.\n", 297);
  testaRetorno(XPRSsetcbchgbranch(prob, varSelection, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcbchgbranch.\n", 302);
  testaRetorno(XPRSsetcbchgbranchobject(prob, cbChangeBranchObject, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcbchgbranchobject.\n", 307);
  testaRetorno(XPRSsetcbchgnode(prob, nodeSelection, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcbchgnode.\n", 312);
  testaRetorno(XPRSsetcbinfnode(prob, nodeInfeasible, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcbinfnode.\n", 317);
  testaRetorno(XPRSsetcbnodecutoff(prob, nodeCutoff, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcbnodeCutoff.\n", 322);
  // The run's deadline holds in the search too, in wall-clock time.
  testaRetorno(XPRSsetcbchecktime(prob, verificaTempo, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcbchecktime.\n", 323);

  x = static_cast<double*>(aloca(n, sizeof(double), 336));
  xstar = static_cast<double*>(aloca(n, sizeof(double), 338));
  xh = static_cast<RegAux*>(aloca(n, sizeof(RegAux), 340));
  pertence = static_cast<int*>(aloca(n, sizeof(int), 342));
  pred = static_cast<int*>(aloca(2 * n, sizeof(int), 344));

  if (inicial != nullptr) {
    // A set found before the search: the incumbent from the start, with the
    // cut-off it earns, as the heuristic would have stored it at the root.
    double z = 0;
    for (int v = 0; v < nlin; v++) {
      xstar[v] = (*inicial)[v] ? 1.0 : 0.0;
      z += xstar[v];
    }
    novoIncumbente(prob, z, 0, "Main: XPRSsetdblcontrol.\n", 330);
  }

  std::fflush(stdout);  // the model's lines, before a search that may be killed
  // The optimizer's own share: the whole search less what its callbacks took.
  const auto inicioBusca = std::chrono::steady_clock::now();
  double nosCallbacks = 0;
  for (int e = ETAPA_BUSCAS_CICLO; e <= ETAPA_RAMIFICACAO; e++) nosCallbacks -= perfil.segundos[e];
  const clock_t inicio = agora();
  testaRetorno(XPRSmaxim(prob, "g"), "Main: Erro na chamada da rotina XPRSmaxim.\n", 352);
  const clock_t fim = agora();
  esqueceHeuristicaGuiadaPeloLP();
  if (PERFIL) {
    for (int e = ETAPA_BUSCAS_CICLO; e <= ETAPA_RAMIFICACAO; e++) nosCallbacks += perfil.segundos[e];
    int solucoes = 0;
    XPRSgetintattrib(prob, XPRS_NODELPSOLVES, &solucoes);
    perfil.segundos[ETAPA_LP] +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicioBusca).count() -
        nosCallbacks;
    perfil.chamadas[ETAPA_LP] += solucoes;
    int iteracoes = 0, linhas = 0;
    XPRSgetintattrib(prob, XPRS_SIMPLEXITER, &iteracoes);
    XPRSgetintattrib(prob, XPRS_ROWS, &linhas);
    perfil.resultados[ETAPA_LP] += iteracoes;
    perfil.linhasModelo += linhas;
  }
  r.tiques = static_cast<unsigned long>(fim - inicio);

  int xpress_status = 0;
  testaRetorno(XPRSgetintattrib(prob, XPRS_MIPSTATUS, &xpress_status),
               "Main: Erro na chamada da rotina XPRSgetintatrib.\n", 362);
  testaRetorno(XPRSgetintattrib(prob, XPRS_NODES, &r.nos),
               "Main: Erro na chamada da rotina XPRSgetintatrib.\n", 401);
  testaRetorno(XPRSgetdblattrib(prob, XPRS_BESTBOUND, &r.limitante),
               "Main: Erro na chamada de XPRSgetdblattrib.\n", 410);
  int solucoesLP = 0;
  XPRSgetintattrib(prob, XPRS_NODELPSOLVES, &solucoesLP);
  r.raizResolvida = solucoesLP > 0;

  r.zstar = zstar;
  r.noMelhor = NODE_BEST_INTEGER_SOL;
  r.escolhido.assign(n, 0);
  if (zstar > -1e20)
    for (size_t v = 0; v < n; v++) r.escolhido[v] = xstar[v] > 1e-6;
  r.tiquesSeparacao = cut_time;
  r.relaxacao = objval_relax;
  r.raiz = objval_node1;
  r.cortes = totcuts;
  r.cortesCiclo = totDesCicloCMenosOdd;
  r.cortesClique = totDesClique;
  r.cortesIndSet = totDesCicloCIndSet;
  XPRSgetintattrib(prob, XPRS_GENERICCUTSADDED, &r.cortesGerais);
  r.linhasClique = nCliqueIndSetIF;
  r.linhasCiclo = nCycleIF;
  r.linhasK1K2 = nCliqueSigIF;

  libera(qrtype);
  libera(mtype);
  libera(drhs);
  libera(mstart);
  libera(mcols);
  libera(dmatval);
  termosNoLote = 0;
  libera(x);
  libera(xstar);
  libera(mcutind);
  libera(pertence);
  libera(position);
  libera(ciclo);
  libera(pred);
  libera(vecAlfa);
  libera(indAlfa);
  libera(xh);
  libera(clique);
  return r;

}
