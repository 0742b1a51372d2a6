// Run options: the four flags of the strategy string, the depth limit of cut
// separation and the options given before the strategy.  Set once, from the
// command line, before the instance is read, and only read after that: the
// driver turns them into the settings of each solve (AjustesDaBusca), which
// is all a branch-and-cut reads.
#ifndef BCT_BASE_OPCOES_H
#define BCT_BASE_OPCOES_H

#include <atomic>

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
extern int PERFIL;                   // -v: the profile is kept and printed
// The parts of a reduced run's search switched off, for measuring each
// (BCTOVSEL_DESLIGA, a comma-separated list of their names): the contracted
// cycle searches, the 500-cut rounds, the choice of the most violated among
// more candidates, the tailing off below the root, the LP-guided heuristic,
// the largest bound first in the tree, the branching tried on the LP, the
// root's full pricing, the first-order bound, its rows in the root's LP,
// the bound of the largest pieces started beside their local search, the
// automatic mode's combinatorial engine beside a branch-and-cut that runs
// long.
enum : unsigned {
  DESLIGA_CONTRACAO = 1,
  DESLIGA_LOTE = 2,
  DESLIGA_ESCOLHA = 4,
  DESLIGA_CAUDA = 8,
  DESLIGA_HEURISTICA_LP = 16,
  DESLIGA_SEMIDEFINIDA = 32,  // -a's semidefinite bound beside the large pieces' searches
  DESLIGA_MELHOR_PRIMEIRO = 64,
  DESLIGA_RAMIFICACAO_FORTE = 128,
  DESLIGA_ARESTA_INGREME = 256,  // the root's LP priced by full steepest edge on large pieces
  DESLIGA_LAGRANGIANO = 512,     // the first-order bound before the semidefinite one
  DESLIGA_LINHAS_DE_FORA = 1024,  // its rows loaded into the root's LP
  DESLIGA_CEDO = 2048,            // the largest pieces' bound started before their search
  DESLIGA_RESTRITA = 4096,        // the root's re-solves of the largest pieces through a smaller LP
  DESLIGA_CORRIDA = 8192,         // -a's combinatorial engine beside a tree that runs long
};
extern unsigned DESLIGADAS;

// The settings of one branch-and-cut solve: the run's options it reads, and
// what differs from one piece of a reduced run to the next.
struct AjustesDaBusca {
  int HEURISTICA_PRIMAL = 0;
  int BRANCH_AND_CUT = 0;
  int COMPLETE_PRINT = 0;
  int MAX_NODE_DEPTH_FOR_SEP = 1000000;
  int REDUZIR = 0;         // a piece of a reduced run: the search's changes for large pieces
  unsigned DESLIGADAS = 0; // of those changes, the ones switched off
  int LINHAS = 1;          // threads of the cycle searches
  // Of those, how many are lent for now to a bound run beside the search
  // (read at each separation round; the cuts are the same for any number).
  const std::atomic<int>* linhasCedidas = nullptr;
  int TEMPO_MAX = 3600;    // the optimizer's limit of CPU seconds for the search (0: none)
  int CORTES_GERAIS = 0;   // as the option: 0, 1, or 2 (only up to MAXIMO_CORTES_GERAIS_AUTOMATICO vertices)
  int RELATA_MODELO = 1;   // the model's counts and the mode lines are printed
  int PERFIL = 0;          // -v: the solve keeps its profile
  // Pieces of at least this many vertices are a reduced run's large ones:
  // they search for cycles over the contracted graph and price the root's
  // LP by full steepest edge (tests lower it).
  int MINIMO_CONTRACAO = 400;
  // Pieces of at least this many vertices re-solve their root's LP through
  // the smaller LP of the columns the new cuts touch (the optimizer's
  // XPRS_ROOTRESTRICTED): on Slashdot's 38,591-vertex piece a re-solve of
  // 34 s became 12 to 16 s; on pieces of a few thousand the whole LP is quick.
  int MINIMO_RESTRITA = 10000;
  // A reduced run's tree goes depth first for this many nodes or seconds
  // below the root, whichever ends first, then, after each dive, from the
  // open node of the largest bound (tests lower them).  A tree of a few
  // hundred nodes ends sooner depth first; one of expensive nodes (a second
  // or more each on a real network's piece of thousands of vertices) would
  // not reach its thousandth node in time.
  int NOS_EM_PROFUNDIDADE = 1000;
  double SEGUNDOS_EM_PROFUNDIDADE = 30;
  // At nodes of depth up to PROFUNDIDADE_FORTE (the root 1) a reduced run's
  // branching tries the children of up to CANDIDATOS_FORTES of the shortest
  // tight cycle cuts on the node's LP, ITERACOES_FORTES dual simplex
  // iterations each, and takes the cut whose children fall most.  Deeper,
  // the tries cost more than they save (r_n75_d0.1 to depth 10: 1,933 nodes
  // instead of 4,345, but 7.6 s instead of 4.2 s).
  int CANDIDATOS_FORTES = 16;
  int ITERACOES_FORTES = 50;
  int PROFUNDIDADE_FORTE = 3;
  // The automatic mode's hand-over: with limiarDeDesistencia >= 0 the search
  // gives its piece up when the root's bound ends more than that share of
  // the best value above it, or when the root takes more than segundosDaRaiz.
  double limiarDeDesistencia = -1;
  double segundosDaRaiz = 0;
};
// The settings a solve of the whole instance takes from the options.
AjustesDaBusca ajustesDasOpcoes();

#endif
