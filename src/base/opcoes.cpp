// The option flags, at their values before the command line is read, and
// the settings of a solve taken from them.
#include "base/opcoes.h"

int HEURISTICA_PRIMAL = 0;
int BRANCH_AND_CUT = 0;
int GRAPH_INSTANCE = 0;
int COMPLETE_PRINT = 0;
int MAX_NODE_DEPTH_FOR_SEP = 1000000;
int REDUZIR = 0;
int TEMPO_MAX = 3600;
int COMBINATORIO = 0;
int AUTOMATICO = 0;
int LINHAS = 1;
unsigned DESLIGADAS = 0;
int CORTES_GERAIS = 0;
int PROGRESSO = 0;
const char* ARQUIVO_SOLUCAO = nullptr;
int PERFIL = 0;

AjustesDaBusca ajustesDasOpcoes() {
  AjustesDaBusca a;
  a.HEURISTICA_PRIMAL = HEURISTICA_PRIMAL;
  a.BRANCH_AND_CUT = BRANCH_AND_CUT;
  a.COMPLETE_PRINT = COMPLETE_PRINT;
  a.MAX_NODE_DEPTH_FOR_SEP = MAX_NODE_DEPTH_FOR_SEP;
  a.REDUZIR = REDUZIR;
  a.DESLIGADAS = DESLIGADAS;
  a.LINHAS = LINHAS;
  // The optimizer's own limit counts the CPU time of the whole process: with
  // threads it would come before the deadline, and a piece of a reduced run
  // would get it afresh.  Those searches keep only the run's deadline.
  a.TEMPO_MAX = LINHAS > 1 || REDUZIR ? 0 : TEMPO_MAX;
  a.CORTES_GERAIS = CORTES_GERAIS;
  a.PERFIL = PERFIL;
  return a;
}
