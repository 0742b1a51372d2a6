// The two instance readers: a signed graph, or a 0/+1/-1 matrix converted
// into one.  A malformed instance is rejected with one message on stderr and
// exit status 2.
#ifndef BCT_GRAPH_LEITURA_H
#define BCT_GRAPH_LEITURA_H

#include <cstdio>

#include "base/relogio.h"
#include "graph/GrafoSimples.h"

// The graph form: the records kept as read (see GrafoSimples).  Past the
// deadline the run ends (see verificaPrazoDeLeitura).
GrafoSimples leGrafoDe(std::FILE* in, const Prazo& prazo);
// The matrix form, converted.
GrafoSimples leMatrizDe(std::FILE* in, const Prazo& prazo);

// The conversion of a matrix of `linhas` rows of `colunas` entries, row by
// row in `entradas`; prints the graph's counts and every edge from each end.
GrafoSimples converteMatriz(int linhas, int colunas, const int* entradas, const Prazo& prazo);

#endif
