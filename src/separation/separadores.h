// The separators.  Each appends its cuts to the batch through the cursors
// ultimoCorte/ultimoCoef and returns how many it appended.
#ifndef BCT_SEPARATION_SEPARADORES_H
#define BCT_SEPARATION_SEPARADORES_H

int separacaoExataCMenosOdd(double* x, int* ultimoCorte, int* ultimoCoef);
// In a reduced run, pieces of at least this many vertices (400) search for
// cycles on the graph with its regions at 1 merged; smaller ones search the
// doubled graph itself.
extern int MINIMO_CONTRACAO;
// Both expect position to be -1 at every vertex off the cycle and leave the
// places of the cycle they return (and of the lifted vertices) there; the
// cycle separator puts those entries back to -1 before its next cycle, so
// that neither call has to clear all vertices.
int partitionCycle(int* cycle, int k, int* marks);
int liftingOddNegCycle(int* cycle, int k, double* coefficients, int* lifted);
int solveByForce(int* weights, int** matrix, int m, int cap);
int separacaoHeuristicaDesigualdadesClique(double* x, int* ultimoCorte,
                                           int* ultimoCoef, int ncortes);
int separacaoExataCicloIndSet(double* x, int* ultimoCorte, int* ultimoCoef,
                              int ncortes);

#endif
