// The initial model: one 0/1 column per vertex, clique rows over double
// edges, odd negative cycle rows, and the K1K2 clique rows added after load.
#ifndef BCT_MODEL_MODELO_H
#define BCT_MODEL_MODELO_H

extern int nCliqueIndSetIF;  // clique rows of the loaded model
extern int nCycleIF;         // cycle rows of the loaded model
extern int nCliqueSigIF;     // K1K2 rows added after the load

// Builds the rows of the initial model, printing nothing, and reports the
// rows and elements the next cargaDosVetores writes, so that its arrays can
// be sized to fit; that call then hands over these rows.  Without it,
// cargaDosVetores builds them itself.
void contaModelo(int* linhas, int* elementos);
int cargaDosVetores(char* qgtype, double* obj, double* dlb, double* dub,
                    int* mgcols, char* qrtype, double* rhs, int* mstart,
                    int* mrwind, double* dmatval);
void gerarDesigualdadesClique();

#endif
