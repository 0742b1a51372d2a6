// The two figures of the final report that need a rule of their own.
#ifndef BCT_DRIVER_RELATORIO_H
#define BCT_DRIVER_RELATORIO_H

// The best value as an int: zstar rounded, or -1 while no solution is known
// (zstar still at -1e20, which no int holds), like the node of the best
// solution.
int valorInteiro(double zstar);

// The dual bound reported: the optimizer's bound, or the incumbent value when
// the bound does not exceed it by at least 1e-6.
double limitanteDual(double zstar, double limitante);

#endif
