// The K1K2 clique rows found before the search: the row builder on its own,
// so that its rows can be inspected without an optimizer.
#ifndef BCT_MODEL_DESIGUALDADESCLIQUE_H
#define BCT_MODEL_DESIGUALDADESCLIQUE_H

// Fills the row buffers (capacities nlin, nlin, nlin + 1, nlin * nlin,
// nlin * nlin) with the K1K2 rows of the graph store; returns the number of
// rows and leaves the number of elements in *elementos.
int montaLinhasK1K2(char* qrtype, double* drhs, int* mstart, int* mcols,
                    double* dmatval, int* elementos);

#endif
