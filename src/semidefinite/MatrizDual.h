// The piece as the relaxation sees it: the vertices left by the fixings,
// renumbered 0..k-1, their edges and rows, and the constraint operator
// (values <A_c, R R^T> of every constraint at a low-rank R) with its adjoint
// M(y) = sum_c y_c A_c - I, applied to blocks of vectors.  One constraint per
// vertex (first k), per edge (next), per row (last).
#ifndef BCT_SEMIDEFINITE_MATRIZDUAL_H
#define BCT_SEMIDEFINITE_MATRIZDUAL_H

#include <cstdint>
#include <utility>
#include <vector>

#include "semidefinite/Semidefinida.h"

namespace semidefinida {

class MatrizDual {
 public:
  explicit MatrizDual(const Parametros& p);

  int k() const { return k_; }
  int numArestas() const { return static_cast<int>(arestaU_.size()); }
  int numLinhas() const { return static_cast<int>(inicioLinha_.size()) - 1; }
  int numRestricoes() const { return k_ + numArestas() + numLinhas(); }
  double rhs(int c) const { return c < k_ + numArestas() ? 1.0 : rhsLinha_[c - k_ - numArestas()]; }
  bool igualdade(int c) const { return c < k_ && dentro_[c]; }
  const std::vector<int>& local() const { return local_; }  // piece vertex -> local, -1 fixed out
  const std::vector<int>& global() const { return global_; }

  // Multipliers of the piece (Multiplicadores) to a vector by constraint and
  // back.  Missing parts: mu_v = max(0, 1 - sum_r gamma_r a_rv) from the
  // rows' duals, lambda = 0.  An edge to a fixed-out vertex is the vertex
  // row Y_ww <= 1 of its other end w, so its lambda joins mu_w: M is then
  // the principal submatrix of the unfixed one, and a child node starts
  // from no more than its parent's bound.
  std::vector<double> dosMultiplicadores(const Parametros& p, const Multiplicadores& m) const;
  Multiplicadores paraMultiplicadores(const std::vector<double>& y, int nPeca, int64_t mPeca) const;

  // Values <A_c, R R^T> (R is k x r, row-major).
  void valores(const double* R, int r, std::vector<double>& out) const;
  // The diagonal of M(y) and the absolute sum of its terms (for rounding
  // bounds); the off-diagonal entry of edge e is -y_e s_e / 2.
  void diagonal(const std::vector<double>& y, std::vector<double>& d,
                std::vector<double>* somaAbs = nullptr) const;
  // out = M(y) X for X k x r row-major, given M's diagonal d.
  void aplica(const std::vector<double>& y, const std::vector<double>& d, const double* X, int r,
              double* out) const;
  // sum_c y_c b_c, rounded upwards by its own error bound.
  double parteConstante(const std::vector<double>& y) const;

  // Adjacency: for vertex v, arcs inicioAdj_[v]..inicioAdj_[v+1]-1 with the
  // other end, the edge and the edge's sign (0: double).
  const std::vector<int64_t>& inicioAdj() const { return inicioAdj_; }
  const std::vector<int>& vizinho() const { return vizinho_; }
  const std::vector<int>& arestaDoArco() const { return arestaDoArco_; }
  int sinal(int e) const { return sinal_[e]; }
  int arestaU(int e) const { return arestaU_[e]; }
  int arestaW(int e) const { return arestaW_[e]; }

 private:
  int k_ = 0;
  std::vector<int> local_, global_;
  std::vector<char> dentro_;
  std::vector<int> arestaU_, arestaW_;
  std::vector<signed char> sinal_;
  std::vector<int64_t> indiceAresta_;  // local edge -> index in the piece's arestas()
  // Edges with one end fixed out: the other end (local) and the edge's index.
  std::vector<std::pair<int, int64_t>> meiaAresta_;
  std::vector<int64_t> inicioAdj_;
  std::vector<int> vizinho_, arestaDoArco_;
  std::vector<int64_t> inicioLinha_;   // terms of row i: inicioLinha_[i]..inicioLinha_[i+1]-1
  std::vector<int> termoVertice_;
  std::vector<double> termoCoef_, rhsLinha_;
};

}  // namespace semidefinida

#endif
