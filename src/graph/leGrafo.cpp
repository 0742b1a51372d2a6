// Graph-form reader.  (stub)
#include "graph/leitura.h"

void leGrafo() { leGrafoDe(stdin); }
void leGrafoDe(std::FILE*) {}
