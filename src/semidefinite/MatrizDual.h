// The piece as the relaxation sees it: the vertices left by the fixings,
// renumbered 0..k-1, their edges and rows, and the constraint operator
// (values <A_c, R R^T> of every constraint at a low-rank R) with its adjoint
// M(y) = sum_c y_c A_c - I, applied to blocks of vectors.  One constraint per
// vertex (first k), per edge (next), per row (next); with the second block
// (Ajustes::produtos) the matrix has 2k + 1 nodes, W's after Y's, and the
// rows that tie them come last ("general" rows: terms on and off the
// diagonal, equalities or not).
#ifndef BCT_SEMIDEFINITE_MATRIZDUAL_H
#define BCT_SEMIDEFINITE_MATRIZDUAL_H

#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

#include "semidefinite/Semidefinida.h"

namespace semidefinida {

class MatrizDual {
 public:
  explicit MatrizDual(const Parametros& p);

  int k() const { return k_; }
  int numNos() const { return numNos_; }  // the matrix's order: k, or 2k + 1 with W
  int numArestas() const { return static_cast<int>(arestaU_.size()); }
  int numLinhas() const { return static_cast<int>(inicioLinha_.size()) - 1; }
  int numGerais() const { return static_cast<int>(rhsGeral_.size()); }
  int primeiraGeral() const { return k_ + numArestas() + numLinhas(); }
  int numRestricoes() const { return primeiraGeral() + numGerais(); }
  double rhs(int c) const {
    if (c < k_ + numArestas()) return 1.0;
    return c < primeiraGeral() ? rhsLinha_[c - k_ - numArestas()] : rhsGeral_[c - primeiraGeral()];
  }
  bool igualdade(int c) const {
    return c < k_ ? dentro_[c] != 0 : c >= primeiraGeral() && igualGeral_[c - primeiraGeral()] != 0;
  }
  // The constraint X_ii <= 1 of node i (a vertex's, or W's row of it).
  int restricaoDoNo(int i) const { return i < k_ ? i : noParaGeral_[i - k_]; }
  // Every feasible X has trace(X) = a trace(Y) + b: (1, 0), or (2, 1) with W.
  double tracoPorValor() const { return numNos_ == k_ ? 1.0 : 2.0; }
  double tracoFixo() const { return numNos_ == k_ ? 0.0 : 1.0; }
  // Off-diagonal terms of the general rows: row g has terms
  // inicioFora()[g]..inicioFora()[g+1]-1, each c X_ij (A_ij = A_ji = c / 2).
  const std::vector<int64_t>& inicioFora() const { return inicioFora_; }
  int foraI(int64_t t) const { return foraI_[t]; }
  int foraJ(int64_t t) const { return foraJ_[t]; }
  double foraCoef(int64_t t) const { return foraCoef_[t]; }
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

  // Values <A_c, R R^T> (R is numNos() x r, row-major).
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
  // General rows: diagonal terms (node, coefficient), off-diagonal ones.
  int numNos_ = 0;
  std::vector<int64_t> inicioDiag_{0}, inicioFora_{0};
  std::vector<int> diagNo_, foraI_, foraJ_;
  std::vector<double> diagCoef_, foraCoef_, rhsGeral_;
  std::vector<char> igualGeral_;
  std::vector<int> noParaGeral_;  // W's node i - k: its row X_ii <= 1
  mutable std::vector<double> normas_;
  void geral(std::vector<std::pair<int, double>> diag, std::vector<std::tuple<int, int, double>> fora,
             double rhs, bool igual);
};

}  // namespace semidefinida

#endif
