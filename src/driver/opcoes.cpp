// Command-line options.  (stub)
#include "driver/opcoes.h"

int HEURISTICA_PRIMAL = 0;
int BRANCH_AND_CUT = 0;
int GRAPH_INSTANCE = 0;
int COMPLETE_PRINT = 0;
int MAX_NODE_DEPTH_FOR_SEP = 1000000;

void extractParameters(int, char**) {}
void showUsage() {}
