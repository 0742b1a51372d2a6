// The two instance readers: a signed graph, or a 0/+1/-1 matrix converted
// into one.  A malformed instance is rejected with one message on stderr and
// exit status 2.
#ifndef BCT_GRAPH_LEITURA_H
#define BCT_GRAPH_LEITURA_H

#include <cstdio>

#include "graph/GrafoSimples.h"

// The graph form: the records kept as read (see GrafoSimples).
GrafoSimples leGrafoDe(std::FILE* in);
// The matrix form, converted.
GrafoSimples leMatrizDe(std::FILE* in);

// The conversion of a matrix of `linhas` rows of `colunas` entries, row by
// row in `entradas`; prints the graph's counts and every edge from each end.
GrafoSimples converteMatriz(int linhas, int colunas, const int* entradas);

#endif
