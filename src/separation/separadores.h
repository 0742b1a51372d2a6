// The separators.  Each appends its cuts to the batch through the cursors
// ultimoCorte/ultimoCoef and returns how many it appended.
#ifndef BCT_SEPARATION_SEPARADORES_H
#define BCT_SEPARATION_SEPARADORES_H

int separacaoExataCMenosOdd(double* x, int* ultimoCorte, int* ultimoCoef);
int partitionCycle(int* cycle, int k, int* marks);
int liftingOddNegCycle(int* cycle, int k, double* coefficients, int* lifted);
int solveByForce(int* weights, int** matrix, int m, int cap);
int separacaoHeuristicaDesigualdadesClique(double* x, int* ultimoCorte,
                                           int* ultimoCoef, int ncortes);
int separacaoExataCicloIndSet(double* x, int* ultimoCorte, int* ultimoCoef,
                              int ncortes);

#endif
