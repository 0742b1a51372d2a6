// Matrix-form reader and conversion.  (stub)
#include "graph/leitura.h"

int ncol = 0;
int** a = nullptr;

void leMatriz() { leMatrizDe(stdin); }
void leMatrizDe(std::FILE*) {}
void converteMatriz() {}
