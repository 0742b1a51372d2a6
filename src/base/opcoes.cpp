// The option flags, at their values before the command line is read.
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
int RELATA_MODELO = 1;
