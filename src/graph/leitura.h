// The two instance readers: a signed graph, or a 0/+1/-1 matrix converted
// into one.  A malformed instance is rejected with one message on stderr and
// exit status 2.
#ifndef BCT_GRAPH_LEITURA_H
#define BCT_GRAPH_LEITURA_H

#include <cstdio>

void leGrafo();   // graph form from standard input
void leMatriz();  // matrix form from standard input, converted
void leGrafoDe(std::FILE* in);
void leMatrizDe(std::FILE* in);

extern int ncol;  // columns of the matrix instance
extern int** a;   // nlin rows of ncol entries, all in the block a[0]; released
                  // after the conversion

void converteMatriz();  // the conversion of a filled nlin x ncol matrix a
void liberaMatriz();    // releases a (null afterwards)

#endif
