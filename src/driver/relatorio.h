// The final report: the outcome lines, the statistics and the record line,
// from the figures of a run (one search, or the pieces of a reduced instance
// summed up), and the two figures that need a rule of their own.
#ifndef BCT_DRIVER_RELATORIO_H
#define BCT_DRIVER_RELATORIO_H

#include <string>
#include <vector>

#include "search/resultado.h"

struct Relatorio {
  int vertices = 0, arestas = 0, negativas = 0, positivas = 0, duplas = 0;  // the instance
  double zstar = -1e20;       // best value, -1e20 while none
  int noMelhor = -1;          // node of the best solution
  unsigned long tempo = 0;    // whole seconds of the search
  unsigned long tempoSeparacao = 0;
  double limitante = 0;       // the best bound, before the rule of limitanteDual
  double relaxacao = 0, raiz = 0;
  int cortes = 0, cortesCiclo = 0, cortesClique = 0, cortesIndSet = 0;
  int cortesGerais = 0;  // printed only with -g
  int linhasClique = 0, linhasCiclo = 0, linhasK1K2 = 0;
  int nos = 0;
  // The best set on the input's vertices and the side of each chosen vertex
  // (-1 for the others); empty while no checked set is known.
  std::vector<char> escolhido;
  std::vector<signed char> lados;
};

// A piece's cuts, model rows and nodes added to the report's.
void somaContagens(Relatorio& rel, const ResultadoBusca& r);
// The figures of the one search of a whole instance (its set apart).
void preencheDaBusca(Relatorio& rel, const ResultadoBusca& r);

// The best value as an int: zstar rounded, or -1 while no solution is known
// (zstar still at -1e20, which no int holds), like the node of the best
// solution.
int valorInteiro(double zstar);

// The dual bound reported: the optimizer's bound, or the incumbent value when
// the bound does not exceed it by at least 1e-6.
double limitanteDual(double zstar, double limitante);

// Prints the outcome (the value lines with detailed printing, or the line
// saying no solution was found) and the final statistics.
void imprimeEstatisticas(const Relatorio& r);

// The record line, newline included.
std::string linhaDeRegistro(const Relatorio& r);

#endif
