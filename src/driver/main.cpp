// Entry point.  (stub: reads the instance and prints its counts)
#include "driver/opcoes.h"
#include "graph/grafo.h"
#include "graph/leitura.h"

int main(int argc, char** argv) {
  extractParameters(argc, argv);
  if (GRAPH_INSTANCE) leGrafo(); else leMatriz();
  liberaGrafo();
  return 0;
}
