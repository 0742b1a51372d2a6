// The two decisions of the three-way branching, apart from the callback so
// that they can be checked on their own.
#ifndef BCT_SEARCH_RAMIFICACAO_H
#define BCT_SEARCH_RAMIFICACAO_H

#include <vector>

// Among m cuts stored row-wise (mstart with m + 1 entries), the first of the
// shortest ones (fewer than nlin terms, nlin the vertex count) with a column
// valued in [1e-6, 0.999999]; returns its index, or -1, and leaves in
// *termoInicial the position in mcols of its last such term.
int escolheCorte(int m, const int* mstart, const int* mcols, const double* x, int nlin,
                 int* termoInicial);

// The first `maximo` of the cuts escolheCorte would pick from, shortest
// first and in index order among equal lengths, each with the position of its
// last fractional term: the first is escolheCorte's choice.
struct CorteCandidato {
  int corte;
  int termoInicial;
};
std::vector<CorteCandidato> candidatosDeCorte(int m, const int* mstart, const int* mcols,
                                              const double* x, int nlin, int maximo);

// How much a branching moves the bound, from its children's LP values
// (-1e40 for a child with nothing kept): the product of each child's fall
// below the node's value z, a fall counted at most down to the cut-off
// `corte`, and at least 1e-6.
double escoreDaRamificacao(double z, double corte, const double* filhos, int n);

// Grows P along the cut's terms taken as a cycle, from the term at position
// inicio, keeping x(P) > |P| - 1 and |P| <= max(1, len / 2).  Writes the
// cut's columns into colunas, those of P first and then the rest, each group
// in cut order; returns |P|.
int particionaCorte(const int* termos, int len, int inicio, const double* x,
                    int* colunas);

#endif
