// The work arrays of one solve, shared by the separators, the heuristic and
// the callbacks; and the sort record.
#ifndef BCT_SEPARATION_TRABALHO_H
#define BCT_SEPARATION_TRABALHO_H

#include "base/memoria.h"

struct RegAux {   // sort record: a value and the vertex it belongs to
  double valor;
  int indice;
};

// qsort order: decreasing value.
int ComparaRegAux(const void* a, const void* b);

// Allocated by the solve before the search (n its vertices), each where its
// allocation failure is reported.
struct Trabalho {
  Arranjo<double> x;      // LP point of the current node (n)
  Arranjo<RegAux> xh;     // sort records (n)
  Arranjo<int> pertence;  // marks (n)
  Arranjo<int> pred;      // predecessors of the last shortest-path search (2n)
  Arranjo<int> ciclo;     // the cycle being built (2n)
  Arranjo<int> position;  // positions on a cycle / in a lifting structure / sides (n)
  Arranjo<double> vecAlfa;  // lifting coefficients (n)
  Arranjo<int> indAlfa;     // lifted vertices (n)
  Arranjo<int> clique;      // the set being grown (n)

  // Reads back the walk of the last search from v to its copy n+v into
  // ciclo (reverse path order, vertex numbers 0..n-1), marking each vertex in
  // pertence.  Returns its length, or 0 when the walk is no simple cycle (it
  // passes a vertex twice, in either copy); the marks are then cleared.
  int leCiclo(int n, int v);
  // Clears the pertence marks of ciclo[0..k-1].
  void limpaMarcasCiclo(int k);
};

#endif
