// Node event callbacks: they follow the search tree and, with detailed
// printing, report each event; none of them changes a decision.
#include <cstdio>

#include "base/erro.h"
#include "base/opcoes.h"
#include "base/relogio.h"
#include "search/busca.h"
#include "search/progresso.h"

void nodeOptimal(XPRSprob prob, void*, int*) {
  int k = 0, id = 0;
  double v = 0.0;
  testaRetorno(XPRSgetintattrib(prob, XPRS_NODES, &k), "SalvaMelhorSol: rotina XPRSgetintattrib.\n",
               310);
  testaRetorno(XPRSgetintattrib(prob, XPRS_CURRENTNODE, &id),
               "SalvaMelhorSol: rotina XPRSgetintattrib.\n", 315);
  testaRetorno(XPRSgetdblattrib(prob, XPRS_LPOBJVAL, &v),
               "SalvaMelhorSol: rotina XPRSgetintattrib.\n", 319);
  if (COMPLETE_PRINT) {
    std::printf("\n=========\n");
    std::printf("No' %d with Id %d \n", k, id);
    std::printf("\n=========\n");
    std::printf("Solucao Otima do LP\n");
    std::printf("\tFuncao objetivo valor = %lf\n", v);
  }
}

void varSelection(XPRSprob, void*, int* column, int* up, double*) {
  if (COMPLETE_PRINT) {
    std::printf("Branching (Variavel %d). ", *column);
    std::printf(*up == 1 ? "Up\n" : "Down\n");
  }
}

void nodeSelection(XPRSprob, void*, int* node) {
  if (COMPLETE_PRINT) std::printf("Backtracking... (No %d)\n", *node);
}

void nodeInfeasible(XPRSprob prob, void*) {
  int k = 0;
  testaRetorno(XPRSgetintattrib(prob, XPRS_NODES, &k), "nodeInfeasible: rotina XPRSgetintattrib.\n",
               948);
  if (COMPLETE_PRINT) std::printf("No %d inviavel\n", k);
}

void nodeCutoff(XPRSprob, void*, int node) {
  if (COMPLETE_PRINT) std::printf("Cutoff (No %d)\n", node);
}

void (*ganchoDeMelhora)() = nullptr;

int verificaTempo(XPRSprob prob, void*) {
  if (PROGRESSO) relataProgresso(prob);
  if (ganchoDeMelhora != nullptr) ganchoDeMelhora();
  return tempoEsgotado() || raizDemorada(prob) ? 1 : 0;
}
