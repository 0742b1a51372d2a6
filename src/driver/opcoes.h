// Run options: the four-character strategy string and the depth limit of cut
// separation, parsed once from the command line before anything else runs.
#ifndef BCT_DRIVER_OPCOES_H
#define BCT_DRIVER_OPCOES_H

extern int HEURISTICA_PRIMAL;       // position 1: the primal heuristic is used
extern int BRANCH_AND_CUT;          // position 2: cuts are separated
extern int GRAPH_INSTANCE;          // position 3: graph on stdin (0: matrix)
extern int COMPLETE_PRINT;          // position 4: detailed printing
extern int MAX_NODE_DEPTH_FOR_SEP;  // deepest node at which cuts are separated

void extractParameters(int argc, char** argv);  // exits 255 on a bad command line
void showUsage();

#endif
