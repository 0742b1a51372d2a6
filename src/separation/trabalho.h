// Work arrays shared by the separators, the heuristic and the callbacks,
// allocated by the driver before the search; and the sort record.
#ifndef BCT_SEPARATION_TRABALHO_H
#define BCT_SEPARATION_TRABALHO_H

struct RegAux {   // sort record: a value and the vertex it belongs to
  double valor;
  int indice;
};

// qsort order: decreasing value.
int ComparaRegAux(const void* a, const void* b);

extern double* x;      // LP point of the current node (nlin)
extern RegAux* xh;     // sort records (nlin)
extern int* pertence;  // marks (nlin)
extern int* pred;      // predecessors of the last shortest-path search (2 nlin)
extern int* ciclo;     // the cycle being built (2 nlin)
extern int* position;  // positions on a cycle / in a lifting structure / sides (nlin)
extern double* vecAlfa;  // lifting coefficients (nlin)
extern int* indAlfa;     // lifted vertices (nlin)
extern int* clique;      // the set being grown (nlin)

// Reads back the walk of the last search from v to its copy nlin+v into ciclo
// (reverse path order, vertex numbers 0..nlin-1), marking each vertex in
// pertence.  Returns its length, or 0 when the walk is no simple cycle (it
// passes a vertex twice, in either copy); the marks are then cleared.
int leCiclo(int v);
// Clears the pertence marks of ciclo[0..k-1].
void limpaMarcasCiclo(int k);

#endif
