// A first-order dual bound of the odd-cycle LP of a piece: for multipliers
// y_r >= 0 on rows sum_{v in r} x_v <= b_r (odd negative cycles, |C| - 1;
// double edges, 1),
//
//   B(y) = sum_r y_r b_r + sum_v max(0, 1 - sum_{r : v in r} y_r)
//
// bounds the LP (weak duality with the box 0 <= x <= 1), hence the optimum,
// for every y >= 0.  The multipliers are steered by the volume algorithm
// (a subgradient method whose direction is the violation of an average of
// the subproblem's points, which also approximates the LP's point), and the
// rows are found as it goes: the subproblem's point is a set, and each
// fundamental cycle of its breadth-first trees that closes with the wrong
// parity (or a double edge inside it) is a row it breaks.  Every iterate's
// B is a bound; the least one is kept.  Params in, a result out: nothing
// here knows of the search.
#ifndef BCT_LAGRANGIAN_LAGRANGIANO_H
#define BCT_LAGRANGIAN_LAGRANGIANO_H

#include <cstdint>
#include <functional>
#include <vector>

#include "base/relogio.h"
#include "graph/GrafoSimples.h"

namespace lagrangiano {

// sum of x_v over the vertices <= rhs, with its multiplier.
struct Linha {
  std::vector<int> vertices;
  double rhs = 0;
  double y = 0;
};

struct Ajustes {
  int linhasPorSeparacao = 4000;  // new rows from one separation, at most
  int iteracoesPorSeparacao = 5;  // multiplier steps between separations
  double alfaMax = 0.1;           // the average's largest weight on a new point
  double passoInicial = 0.1;      // the step's share of the distance to the target
  // It stops once the bound fell by less than this share of itself over
  // the last janela seconds (0: never).
  double janela = 0;
  double fracaoMinima = 1e-4;
};

// A point of the bound-versus-time curve, at each new least bound.
struct Ponto {
  double segundos = 0;
  double limitante = 0;
  int64_t iteracoes = 0;
  int linhas = 0;
};

struct Parametros {
  const GrafoSimples* grafo = nullptr;
  std::vector<Linha> linhas;  // a first pool, with starting multipliers (may be empty)
  // A value the bound cannot go below (the best set's), steering the steps,
  // and a better one met meanwhile, asked now and then (may be empty).
  double alvo = 0;
  std::function<double()> alvoAtual;
  Prazo prazo;
  int64_t maxIteracoes = -1;  // < 0: until the deadline
  Ajustes ajustes;
  std::function<void(const Ponto&)> aoMelhorar;  // the curve, may be empty
  // Asked with the least bound now and then: true ends the run (may be empty).
  std::function<bool(double limitante)> desiste;
};

struct Resultado {
  double limitante = 0;       // the least B(y) met
  std::vector<Linha> linhas;  // the pool, with the multipliers of that y
  std::vector<double> media;  // the average point (close to an LP point)
  int64_t iteracoes = 0;
  bool desistiu = false;  // ended by `desiste`
};

// B(y) of the rows' multipliers on an n-vertex piece.
double limitanteDe(int n, const std::vector<Linha>& linhas);

void limita(const Parametros& p, Resultado* r);

}  // namespace lagrangiano

#endif
