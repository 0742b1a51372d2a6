// Node event callbacks: they follow the search tree and, with detailed
// printing, report each event; none of them changes a decision.  And the
// check-time callback, where the search looks at the clock, tells the run
// how it goes and lets a reduced run's tree off depth first.
#include <algorithm>
#include <cstdio>

#include "base/erro.h"
#include "base/relogio.h"
#include "search/busca.h"

namespace {

Resolucao& resolucao(void* dados) { return *static_cast<Resolucao*>(dados); }

}  // namespace


void nodeOptimal(XPRSprob prob, void* dados, int*) {
  Resolucao& s = resolucao(dados);
  int k = 0, id = 0;
  double v = 0.0;
  testaRetorno(prob, XPRSgetintattrib(prob, XPRS_NODES, &k),
               "SalvaMelhorSol: rotina XPRSgetintattrib.\n", 310);
  testaRetorno(prob, XPRSgetintattrib(prob, XPRS_CURRENTNODE, &id),
               "SalvaMelhorSol: rotina XPRSgetintattrib.\n", 315);
  testaRetorno(prob, XPRSgetdblattrib(prob, XPRS_LPOBJVAL, &v),
               "SalvaMelhorSol: rotina XPRSgetintattrib.\n", 319);
  if (s.ajustes.COMPLETE_PRINT) {
    std::fprintf(s.saida, "\n=========\n");
    std::fprintf(s.saida, "No' %d with Id %d \n", k, id);
    std::fprintf(s.saida, "\n=========\n");
    std::fprintf(s.saida, "Solucao Otima do LP\n");
    std::fprintf(s.saida, "\tFuncao objetivo valor = %lf\n", v);
  }
}

void varSelection(XPRSprob, void* dados, int* column, int* up, double*) {
  Resolucao& s = resolucao(dados);
  if (s.ajustes.COMPLETE_PRINT) {
    std::fprintf(s.saida, "Branching (Variavel %d). ", *column);
    std::fprintf(s.saida, *up == 1 ? "Up\n" : "Down\n");
  }
}

void nodeSelection(XPRSprob, void* dados, int* node) {
  Resolucao& s = resolucao(dados);
  if (s.ajustes.COMPLETE_PRINT) std::fprintf(s.saida, "Backtracking... (No %d)\n", *node);
}

void nodeInfeasible(XPRSprob prob, void* dados) {
  Resolucao& s = resolucao(dados);
  int k = 0;
  testaRetorno(prob, XPRSgetintattrib(prob, XPRS_NODES, &k),
               "nodeInfeasible: rotina XPRSgetintattrib.\n", 948);
  if (s.ajustes.COMPLETE_PRINT) std::fprintf(s.saida, "No %d inviavel\n", k);
}

void nodeCutoff(XPRSprob, void* dados, int node) {
  Resolucao& s = resolucao(dados);
  if (s.ajustes.COMPLETE_PRINT) std::fprintf(s.saida, "Cutoff (No %d)\n", node);
}

namespace {

// A reduced run's tree let off depth first once it has run
// SEGUNDOS_EM_PROFUNDIDADE below the root (its node count is the optimizer's).
void liberaProfundidade(Resolucao& s, XPRSprob prob) {
  Resolucao::Profundidade& p = s.profundidade;
  int nos = 0;
  XPRSgetintattrib(prob, XPRS_NODES, &nos);
  if (nos == 0) return;
  const double agora = s.prazo.decorridos();
  if (p.inicioDaArvore < 0) p.inicioDaArvore = agora;
  if (agora - p.inicioDaArvore < s.ajustes.SEGUNDOS_EM_PROFUNDIDADE) return;
  XPRSsetintcontrol(prob, XPRS_DEPTHFIRSTNODES, 0);
  p.armada = false;
}

}  // namespace

int verificaTempo(XPRSprob prob, void* dados) {
  Resolucao& s = resolucao(dados);
  if (s.profundidade.armada) liberaProfundidade(s, prob);
  const Acompanhamento& a = s.acompanhamento;
  const double deFora = a.limitanteDeFora != nullptr ? a.limitanteDeFora->load() : 1e40;
  if (a.progresso) {
    // The system's incumbent, which also holds a set given before the search.
    int nos = 0, abertos = 0;
    double limitante = 1e40;
    XPRSgetintattrib(prob, XPRS_NODES, &nos);
    XPRSgetintattrib(prob, XPRS_ACTIVENODES, &abertos);
    XPRSgetdblattrib(prob, XPRS_BESTBOUND, &limitante);
    a.progresso(nos, abertos, s.zstar, std::min(limitante, deFora));
  }
  // A bound proved beside the search that meets its best value: nothing
  // better is left to find.
  if (s.zstar > -1e20 && deFora < s.zstar + 0.5) return 1;
  // The solution file on disk follows the incumbent.
  if (a.quer && a.quer(s.zstar)) {
    const int n = s.grafo.nlin;
    std::vector<char> escolhido(static_cast<size_t>(n));
    for (int v = 0; v < n; v++) escolhido[v] = s.xstar[v] > 1e-6;
    double limitante = 1e40;
    XPRSgetdblattrib(prob, XPRS_BESTBOUND, &limitante);
    a.recebe(escolhido, limitante);
  }
  return s.prazo.passou() || raizDemorada(s, prob) ? 1 : 0;
}
