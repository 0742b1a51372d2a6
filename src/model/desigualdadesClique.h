// The K1K2 clique rows found before the search: the row builder on its own,
// so that its rows can be inspected without an optimizer.
#ifndef BCT_MODEL_DESIGUALDADESCLIQUE_H
#define BCT_MODEL_DESIGUALDADESCLIQUE_H

#include <vector>

#include "base/relogio.h"
#include "graph/grafo.h"

// Rows in the optimizer's layout: row i holds mcols/dmatval[mstart[i] ..
// mstart[i+1]-1], and mstart has one entry more than there are rows.
struct LinhasK1K2 {
  std::vector<char> qrtype;
  std::vector<double> drhs;
  std::vector<int> mstart;
  std::vector<int> mcols;
  std::vector<double> dmatval;
};

// Replaces the contents of `l` with the K1K2 rows of the store and returns
// the number of rows.  Memory grows with the vertices, the edges and the
// rows, never with the square of the vertex count.
// Past the deadline the rows found so far are all there is.
int montaLinhasK1K2(const Armazem& grafo, const Prazo& prazo, LinhasK1K2& l);

#endif
