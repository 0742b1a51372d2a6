// Run options: the four flags of the strategy string, the depth limit of cut
// separation and the options given before the strategy.  Set once, from the
// command line, before the instance is read; every subsystem reads them.
#ifndef BCT_BASE_OPCOES_H
#define BCT_BASE_OPCOES_H

extern int HEURISTICA_PRIMAL;       // position 1: the primal heuristic is used
extern int BRANCH_AND_CUT;          // position 2: cuts are separated
extern int GRAPH_INSTANCE;          // position 3: graph on stdin (0: matrix)
extern int COMPLETE_PRINT;          // position 4: detailed printing
extern int MAX_NODE_DEPTH_FOR_SEP;  // deepest node at which cuts are separated
extern int REDUZIR;                 // -r: exact reduction and decomposition first
extern int TEMPO_MAX;               // time limit of the run in seconds (-t, or
                                    // BCTOVSEL_TEMPO_MAX, or 3600)
extern int COMBINATORIO;             // -c: the combinatorial engine instead of branch-and-cut
extern int AUTOMATICO;               // -a: the engine chosen by the instance
extern int LINHAS;                   // -j: threads of the cycle searches of separation and
                                     // of the combinatorial search (1 by default)
extern int CORTES_GERAIS;            // the optimizer's general-purpose cuts at the root: 1 with
                                     // -g; 2 with -a alone, only on pieces of at most
                                     // MAXIMO_CORTES_GERAIS_AUTOMATICO vertices
constexpr int MAXIMO_CORTES_GERAIS_AUTOMATICO = 300;
extern int PROGRESSO;                // -p, or standard error a terminal: progress lines there
extern const char* ARQUIVO_SOLUCAO;  // -s: file for the best set and its sides (or null)
// The parts of a reduced run's search switched off, for measuring each
// (BCTOVSEL_DESLIGA, a comma-separated list of their names): the contracted
// cycle searches, the 500-cut rounds, the choice of the most violated among
// more candidates, the tailing off below the root, the LP-guided heuristic.
enum : unsigned {
  DESLIGA_CONTRACAO = 1,
  DESLIGA_LOTE = 2,
  DESLIGA_ESCOLHA = 4,
  DESLIGA_CAUDA = 8,
  DESLIGA_HEURISTICA_LP = 16,
};
extern unsigned DESLIGADAS;
extern int RELATA_MODELO;           // the counts of each model built are printed (off
                                    // for the pieces of a reduced instance)

#endif
