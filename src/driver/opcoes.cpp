// Run options: the strategy string's four flags and the depth limit of cut
// separation, taken from the command line before anything else runs.
#include "driver/opcoes.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int HEURISTICA_PRIMAL = 0;
int BRANCH_AND_CUT = 0;
int GRAPH_INSTANCE = 0;
int COMPLETE_PRINT = 0;
int MAX_NODE_DEPTH_FOR_SEP = 1000000;

[[noreturn]] static void abandona() {
  showUsage();
  std::exit(-1);
}

void extractParameters(int argc, char** argv) {
  if (argc != 2 && argc != 3) abandona();
  const char* estrategia = argv[1];
  if (std::strlen(estrategia) != 4) {
    std::printf("First parameter with size 4 is mandatory. \n");
    abandona();
  }
  int* const flags[4] = {&HEURISTICA_PRIMAL, &BRANCH_AND_CUT, &GRAPH_INSTANCE, &COMPLETE_PRINT};
  for (int pos = 0; pos < 4; pos++) {
    // Each flag is kept as soon as its position is accepted.
    if (estrategia[pos] == '0') {
      *flags[pos] = 0;
    } else if (estrategia[pos] == '1') {
      *flags[pos] = 1;
    } else {
      std::printf("Primeiro parametro deve ter apenas \"0\"s e \"1\"s !\n");
      abandona();
    }
  }
  if (argc == 3) {
    // Any text is taken, like strtol takes it; a value beyond int is clamped
    // so that a huge limit still means "every depth".
    const long profundidade = std::strtol(argv[2], nullptr, 10);
    MAX_NODE_DEPTH_FOR_SEP = profundidade > INT_MAX   ? INT_MAX
                             : profundidade < INT_MIN ? INT_MIN
                                                      : static_cast<int>(profundidade);
  }
}

void showUsage() {
  std::printf("Uso: BCTovsel <estrategia> <prof_max_para_corte> <  <instancia> \n");
  std::printf("  - 1a. posicao \"1\" se a heuristica primal e' usada. \n");
  std::printf("  - 2a. posicao \"1\" se ocorrera geracao de cortes.\n");
  std::printf("  - 3a. posicao \"1\" se a instancia e' grafo e \"0\" se a instancia e' matriz.\n");
  std::printf("  - 4a. posicao \"1\" se a impress\xe3o e' detalhada ao longo da execucao.\n");
  std::printf("- prof_max_para_corte: maior altura de um no para aplicar cortes\n");
  std::printf("  (default=1000000) \n");
  std::printf("- instancia: nome do arquivo contendo a instancia \n");
}
