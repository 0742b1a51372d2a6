// One branch-and-cut solve: model arrays, optimizer start, controls and
// load, the initial clique rows, the cut buffers and work arrays, the
// callbacks, the search, and the figures the report needs.
#include "search/Resolucao.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "base/erro.h"
#include "base/relogio.h"
#include "model/modelo.h"
#include "search/busca.h"

// Rounds of general-purpose cuts at the root with -g (they stop earlier when
// a round moves the bound by less than a thousandth).
static const int RODADAS_CORTES_GERAIS = 20;
// XPRS_NODESELECTION: the open node of the largest bound first.
static const int NO_DE_MAIOR_LIMITANTE = 2;

Resolucao::Resolucao(const GrafoSimples& g, const Prazo& p, const AjustesDaBusca& a,
                     const Acompanhamento& acomp, std::FILE* s)
    : grafoSimples(g),
      prazo(p),
      ajustes(a),
      acompanhamento(acomp),
      saida(s),
      grafo(g),
      separacao(grafo, trabalho, lote, ajustes, prazo, perfil, saida) {
  perfil.ligado = ajustes.PERFIL != 0;
  separacao.linhasDeFora = acomp.linhasDeFora;
}

Resolucao::~Resolucao() {
  if (prob != nullptr) XPRSdestroyprob(prob);
}

namespace {

// The model loaded into a new problem: its arrays, sized by the rows counted
// first, are released once the optimizer holds the rows.
void carregaModelo(Resolucao& s) {
  const size_t n = static_cast<size_t>(s.grafo.nlin);
  ModeloInicial modelo(s.grafo, s.prazo, s.saida, s.ajustes.RELATA_MODELO != 0);
  int linhasContadas = 0, elementosContados = 0;
  modelo.contaModelo(&linhasContadas, &elementosContados);
  const size_t linhasModelo = static_cast<size_t>(linhasContadas);
  const size_t elementosModelo = static_cast<size_t>(elementosContados);
  Arranjo<char> qgtype, qrtype;
  Arranjo<double> obj, dlb, dub, rhs, dmatval;
  Arranjo<int> mgcols, mstart, mrwind;
  qgtype.aloca(n, 63);
  obj.aloca(n, 65);
  dlb.aloca(n, 67);
  dub.aloca(n, 69);
  mgcols.aloca(n, 71);
  qrtype.aloca(linhasModelo, 79);
  rhs.aloca(linhasModelo, 81);
  mstart.aloca(n + 1, 83);
  mrwind.aloca(elementosModelo, 85);
  dmatval.aloca(elementosModelo, 87);

  const int nlinhas =
      modelo.cargaDosVetores(qgtype, obj, dlb, dub, mgcols, qrtype, rhs, mstart, mrwind, dmatval);
  s.nCliqueIndSetIF = modelo.nCliqueIndSetIF;
  s.nCycleIF = modelo.nCycleIF;

  XPRSprob& prob = s.prob;
  testaRetorno(prob, XPRSinit(""), "Main: Erro de inicializacao do XPRESS.\n", 94);
  testaRetorno(prob, XPRScreateprob(&prob), "Main: Erro na initializacao do problema", 98);

  const int nlin = s.grafo.nlin;
  testaRetorno(prob, XPRSsetdblcontrol(prob, XPRS_MIPRELCUTOFF, 0.0), "Main: XPRSsetdblcontrol.\n", 107);
  testaRetorno(prob, XPRSsetdblcontrol(prob, XPRS_MIPADDCUTOFF, -static_cast<double>(nlin)),
               "Main: XPRSsetdblcontrol.\n", 112);
  testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_CPUTIME, 1),
               "Main: Erro ao tentar setar o XPRS_CPUTIME.\n", 117);
  testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_MAXTIME, -s.ajustes.TEMPO_MAX),
               "Main: Erro ao tentar setar o XPRS_MAXTIME.\n", 121);
  testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_EXTRAROWS, 40000),
               "Main: Erro ao tentar setar o XPRS_EXTRAROWS.\n", 127);
  testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_EXTRAELEMS, 40000000),
               "Main: Erro ao tentar setar o XPRS_EXTRAELEMS.", 134);

  testaRetorno(prob,
               XPRSloadglobal(prob, "tovsel", nlin, nlinhas, qrtype, rhs, nullptr, obj, mstart,
                              nullptr, mrwind, dmatval, dlb, dub, nlin, 0, qgtype, mgcols, nullptr,
                              nullptr, nullptr, nullptr, nullptr),
               "Main: Erro na carga do modelo.", 139);
}

// The mode, the cut buffers of a branch-and-cut, the cut manager.
void preparaModo(Resolucao& s) {
  const AjustesDaBusca& a = s.ajustes;
  XPRSprob prob = s.prob;
  const size_t n = static_cast<size_t>(s.grafo.nlin);
  Lote& lote = s.lote;
  Trabalho& t = s.trabalho;
  if (a.HEURISTICA_PRIMAL && a.RELATA_MODELO) std::fprintf(s.saida, "*** Heuristica Primal sera usada\n");

  lote.MAX_CORTES = a.REDUZIR && !(a.DESLIGADAS & DESLIGA_LOTE) ? MAX_CORTES_REDUZIDA : 200;
  const int MAX_CORTES = lote.MAX_CORTES;
  if (a.BRANCH_AND_CUT) {
    if (a.RELATA_MODELO) std::fprintf(s.saida, "*** Algoritmo de branch-and-cut.\n");
    lote.qrtype.aloca(MAX_CORTES, 188);
    lote.mtype.aloca(MAX_CORTES, 190);
    lote.drhs.aloca(MAX_CORTES, 192);
    lote.mstart.aloca(MAX_CORTES + 1, 194);
    // Room for one cut of every vertex; poeTermo grows it when a batch needs more.
    lote.mcols.aloca(n, 197);
    lote.dmatval.aloca(n, 199);
    lote.termosNoLote = static_cast<int>(n);
    lote.mcutind.aloca(MAX_CORTES, 201);
    t.position.aloca(n, 205);
    t.ciclo.aloca(2 * n, 207);
    t.vecAlfa.aloca(n, 209);
    t.indAlfa.aloca(n, 211);
    t.clique.aloca(n, 213);
    testaRetorno(prob, XPRSsetcbcutmgr(prob, Cortes, &s),
                 "Main: Erro na chamada da rotina XPRSsetcbcutmgr.\n", 219);
  } else {
    if (a.RELATA_MODELO) std::fprintf(s.saida, "*** Algoritmo de branch-and-bound puro.\n");
    t.position.aloca(n, 205);
    if (a.HEURISTICA_PRIMAL)
      testaRetorno(prob, XPRSsetcbcutmgr(prob, Cortes, &s), "Main: rotina XPRSsetcbcutmgr.\n", 236);
  }
}

// The search's controls and the callbacks, each with the solve as its data.
void preparaBusca(Resolucao& s) {
  XPRSprob prob = s.prob;
  testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_CUTSTRATEGY, 1),
               "Main: Erro ao tentar setar o XPRS_CUTSTRATEGY.\n", 243);
  testaRetorno(prob, XPRSsetintcontrol(prob, 8028, 0),
               "Main: Erro ao tentar setar o XPRS_CUTSTRATEGY.\n", 248);
  testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_MIPPRESOLVE, 0),
               "Main: Erro ao tentar setar o XPRS_MIPPRESOLVE.\n", 254);
  testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_HEURSTRATEGY, 0),
               "Main: Erro ao tentar setar o XPRS_HEURSTRATEGY.\n", 259);
  testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_MAXMIPSOL, 0),
               "Main: Erro ao tentar setar o XPRS_MAXMIPSOL.\n", 265);
  testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_NODESELECTION, 5),
               "Main: Erro ao tentar setar o XPRS_NODESELECTION.\n", 270);
  // A piece of a reduced run whose tree runs long takes, after a dive, the
  // open node of the largest bound: depth first, the bound of a tree that
  // does not end in time stays near the root's (r_n150_d0.1, 60 s: 99
  // against 93).  The first nodes go depth first all the same: a tree of a
  // few hundred nodes ends sooner so (wiki1000: 220 nodes, 337 best first),
  // for NOS_EM_PROFUNDIDADE nodes or SEGUNDOS_EM_PROFUNDIDADE (eventos.cpp).
  if (s.ajustes.REDUZIR && !(s.ajustes.DESLIGADAS & DESLIGA_MELHOR_PRIMEIRO)) {
    testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_NODESELECTION, NO_DE_MAIOR_LIMITANTE),
                 "Main: Erro ao tentar setar o XPRS_NODESELECTION.\n", 270);
    testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_DEPTHFIRSTNODES, s.ajustes.NOS_EM_PROFUNDIDADE),
                 "Main: Erro ao tentar setar o XPRS_DEPTHFIRSTNODES.\n", 270);
    s.profundidade.armada = s.ajustes.NOS_EM_PROFUNDIDADE > 0;
  }
  // The root of a large piece re-solves its LP after rounds of hundreds of
  // cuts, thousands of dual simplex iterations each: priced by full steepest
  // edge, it takes fewer (bitcoinotc 12.8 s to 9.2-9.4 s; a Wikipedia elections
  // sample's root bound at 120 s 1,692 to 1,658).
  if (s.ajustes.REDUZIR && s.grafo.nlin >= s.ajustes.MINIMO_CONTRACAO &&
      !(s.ajustes.DESLIGADAS & DESLIGA_ARESTA_INGREME))
    testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_ROOTSTEEPESTEDGE, 1),
                 "Main: Erro ao tentar setar o XPRS_ROOTSTEEPESTEDGE.\n", 270);
  if (s.ajustes.REDUZIR && s.grafo.nlin >= s.ajustes.MINIMO_RESTRITA &&
      !(s.ajustes.DESLIGADAS & DESLIGA_RESTRITA))
    testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_ROOTRESTRICTED, s.ajustes.MINIMO_RESTRITA),
                 "Main: Erro ao tentar setar o XPRS_ROOTRESTRICTED.\n", 270);
  testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_SBBEST, 0),
               "Main: Erro ao tentar setar o XPRS_SBBEST.\n", 275);
  // -g: the optimizer's general-purpose cuts at the root, in rounds after
  // the system's own separation; -a alone asks for them on small pieces.
  const int gerais = s.ajustes.CORTES_GERAIS;
  if (gerais == 1 || (gerais == 2 && s.grafo.nlin <= MAXIMO_CORTES_GERAIS_AUTOMATICO))
    testaRetorno(prob, XPRSsetintcontrol(prob, XPRS_GENERICCUTS, RODADAS_CORTES_GERAIS),
                 "Main: Erro ao tentar setar o XPRS_GENERICCUTS.\n", 276);

  void* const dados = &s;
  testaRetorno(prob, XPRSsetcbintsol(prob, salvaMelhorSol, dados),
               "Main: Erro na chamada da rotina XPRSsetcbintsol.\n", 286);
  testaRetorno(prob, XPRSsetcboptnode(prob, nodeOptimal, dados),
               "Main: Erro na chamada da rotina XPRSsetcboptnode.\n", 297);
  testaRetorno(prob, XPRSsetcbchgbranch(prob, varSelection, dados),
               "Main: Erro na chamada da rotina XPRSsetcbchgbranch.\n", 302);
  testaRetorno(prob, XPRSsetcbchgbranchobject(prob, cbChangeBranchObject, dados),
               "Main: Erro na chamada da rotina XPRSsetcbchgbranchobject.\n", 307);
  testaRetorno(prob, XPRSsetcbchgnode(prob, nodeSelection, dados),
               "Main: Erro na chamada da rotina XPRSsetcbchgnode.\n", 312);
  testaRetorno(prob, XPRSsetcbinfnode(prob, nodeInfeasible, dados),
               "Main: Erro na chamada da rotina XPRSsetcbinfnode.\n", 317);
  testaRetorno(prob, XPRSsetcbnodecutoff(prob, nodeCutoff, dados),
               "Main: Erro na chamada da rotina XPRSsetcbnodeCutoff.\n", 322);
  // The run's deadline holds in the search too, in wall-clock time.
  testaRetorno(prob, XPRSsetcbchecktime(prob, verificaTempo, dados),
               "Main: Erro na chamada da rotina XPRSsetcbchecktime.\n", 323);

  const size_t n = static_cast<size_t>(s.grafo.nlin);
  s.trabalho.x.aloca(n, 336);
  s.xstar.aloca(n, 338);
  s.trabalho.xh.aloca(n, 340);
  s.trabalho.pertence.aloca(n, 342);
  s.trabalho.pred.aloca(2 * n, 344);
}

// The search itself, timed, with the optimizer's own share of it for the
// profile (the whole search less what its callbacks took).
unsigned long busca(Resolucao& s) {
  XPRSprob prob = s.prob;
  Perfil& perfil = s.perfil;
  const auto inicioBusca = std::chrono::steady_clock::now();
  double nosCallbacks = 0;
  for (int e = ETAPA_BUSCAS_CICLO; e <= ETAPA_RAMIFICACAO; e++) nosCallbacks -= perfil.segundos[e];
  const clock_t inicio = agora();
  testaRetorno(prob, XPRSmaxim(prob, "g"), "Main: Erro na chamada da rotina XPRSmaxim.\n", 352);
  const clock_t fim = agora();
  if (perfil.ligado) {
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
  return static_cast<unsigned long>(fim - inicio);
}

// What the report needs from the solve.
ResultadoBusca resultado(Resolucao& s, unsigned long tiques) {
  XPRSprob prob = s.prob;
  const Separacao& sep = s.separacao;
  ResultadoBusca r;
  r.tiques = tiques;
  int xpress_status = 0;
  testaRetorno(prob, XPRSgetintattrib(prob, XPRS_MIPSTATUS, &xpress_status),
               "Main: Erro na chamada da rotina XPRSgetintatrib.\n", 362);
  testaRetorno(prob, XPRSgetintattrib(prob, XPRS_NODES, &r.nos),
               "Main: Erro na chamada da rotina XPRSgetintatrib.\n", 401);
  testaRetorno(prob, XPRSgetdblattrib(prob, XPRS_BESTBOUND, &r.limitante),
               "Main: Erro na chamada de XPRSgetdblattrib.\n", 410);
  int solucoesLP = 0;
  XPRSgetintattrib(prob, XPRS_NODELPSOLVES, &solucoesLP);
  r.raizResolvida = solucoesLP > 0;

  const size_t n = static_cast<size_t>(s.grafo.nlin);
  r.zstar = s.zstar;
  r.noMelhor = s.NODE_BEST_INTEGER_SOL;
  r.escolhido.assign(n, 0);
  if (s.zstar > -1e20)
    for (size_t v = 0; v < n; v++) r.escolhido[v] = s.xstar[v] > 1e-6;
  r.tiquesSeparacao = sep.cut_time;
  r.relaxacao = sep.objval_relax;
  r.raiz = sep.objval_node1;
  r.cortes = sep.totcuts;
  r.cortesCiclo = sep.totDesCicloCMenosOdd;
  r.cortesClique = sep.totDesClique;
  r.cortesIndSet = sep.totDesCicloCIndSet;
  XPRSgetintattrib(prob, XPRS_GENERICCUTSADDED, &r.cortesGerais);
  r.linhasClique = s.nCliqueIndSetIF;
  r.linhasCiclo = s.nCycleIF;
  r.linhasK1K2 = s.nCliqueSigIF;
  r.desistiu = s.desistencia.desistiu;
  r.perfil = s.perfil;
  return r;
}

}  // namespace

ResultadoBusca resolveBranchAndCut(const GrafoSimples& g, const std::vector<char>* inicial,
                                   const Prazo& prazo, const AjustesDaBusca& ajustes,
                                   const Acompanhamento& acompanhamento, std::FILE* saida) {
  Resolucao s(g, prazo, ajustes, acompanhamento, saida);
  armaDesistencia(s);
  {
    MedeEtapa medida(s.perfil, ETAPA_MODELO);
    carregaModelo(s);
    s.nCliqueSigIF =
        gerarDesigualdadesClique(s.prob, s.grafo, s.prazo, saida, ajustes.RELATA_MODELO != 0);
  }
  testaRetorno(s.prob, XPRSsetintcontrol(s.prob, XPRS_PRESOLVE, 0),
               "Main: Erro ao desabilitar o presolve.", 169);
  preparaModo(s);
  preparaBusca(s);

  if (inicial != nullptr) {
    // A set found before the search: the incumbent from the start, with the
    // cut-off it earns, as the heuristic would have stored it at the root.
    double z = 0;
    for (int v = 0; v < s.grafo.nlin; v++) {
      s.xstar[v] = (*inicial)[v] ? 1.0 : 0.0;
      z += s.xstar[v];
    }
    novoIncumbente(s, s.prob, z, 0, "Main: XPRSsetdblcontrol.\n", 330);
  }

  std::fflush(saida);  // the model's lines, before a search that may be killed
  const unsigned long tiques = busca(s);
  return resultado(s, tiques);
}
