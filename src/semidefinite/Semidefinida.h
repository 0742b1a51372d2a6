// The semidefinite bound of a piece: Y symmetric positive semidefinite over
// the piece's vertices, Y_vv <= 1, Y_uu + Y_vv - s Y_uv <= 1 on an edge of
// sign s (Y_uu + Y_vv <= 1 on a double edge), any valid row a.x <= b on the
// diagonal x_v = Y_vv, maximise trace(Y).  A balanced set with sides sigma
// gives the feasible Y = (sigma_u sigma_v) on the set, so the relaxation's
// value bounds the optimum.  Any nonnegative multipliers mu (vertices),
// lambda (edges) and gamma (rows) give the dual bound
//
//   sum mu + sum lambda + sum gamma b + n max(0, -lambda_min(M)),
//   M = Diag(mu + sum_r gamma_r a_r) + sum_e lambda_e L_e - I,
//
// (L_e = E_uu + E_vv - (s/2)(E_uv + E_vu)), valid since trace(Y) <= n for
// every feasible Y, and also C / (1 - e) for C the sum of the first three
// terms and e = -lambda_min(M) < 1 (the optimal Y's own trace in place of
// n); with lambda = 0 it is the LP's dual bound of the rows.
// The multipliers are steered by a low-rank primal (Burer-Monteiro with an
// augmented Lagrangian), then, if asked, by a spectral bundle on the dual
// (Feixe.h), and every bound reported is certified by a sparse
// Cholesky factorization (Certificado.h), not read off an eigenvalue
// estimate.  Params in, a result out: nothing here knows of the search.
#ifndef BCT_SEMIDEFINITE_SEMIDEFINIDA_H
#define BCT_SEMIDEFINITE_SEMIDEFINIDA_H

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "base/relogio.h"
#include "graph/GrafoSimples.h"

namespace semidefinida {

using Relogio = std::chrono::steady_clock;

// A valid row a.x <= b on the piece's vertices (a cycle, lifted cycle or
// clique row of the LP), with its LP dual as the starting multiplier.
struct Linha {
  std::vector<int> vertices;
  std::vector<double> coefs;
  double rhs = 0;
  double dual = 0;
};

// Per vertex: fixed out of the set (its row and column drop), free, or
// fixed in (Y_vv = 1, its multiplier then of any sign).
enum class Fixo : signed char { fora = -1, livre = 0, dentro = 1 };

// mu by vertex of the piece, lambda by edge in the order of
// GrafoSimples::arestas(), gamma by row; entries of fixed-out vertices and
// of edges that touch one are ignored.
struct Multiplicadores {
  std::vector<double> vertice, aresta, linha;
  // Those of the second block's rows (Ajustes::produtos), in MatrizDual's
  // order: they carry over only to the same fixings.
  std::vector<double> produtos;
};

struct Ajustes {
  int posto = 30;                     // first columns of the low-rank primal
  // Its columns at most: at each certificate the negative eigenvectors of
  // M(y) join R (a rank-30 primal stalled 20 above the relaxation's value
  // on a 1,662-vertex Slashdot piece, rank 80 within 2).
  int postoMax = 120;
  // Between two looks for those eigenvectors by Lanczos alone, when no
  // certificate came since (seconds).
  double intervaloCrescimento = 1.0;
  double intervaloCertificado = 1.0;  // seconds between certificates, at least
  // At most this share of the time goes to certificates (a certificate of a
  // 40,000-vertex piece is a factorization of minutes).
  double parteCertificado = 0.25;
  int64_t maxIteracoes = -1;          // outer iterations (< 0: until the deadline or converged)
  int passosPorIteracao = 500;        // L-BFGS steps of one inner minimisation, at most
  // A second block W = [[1, z^T], [z, Z]] >= 0 beside Y, tied to it by
  // z_v = Z_vv = Y_vv, Z_uv = s Y_uv on an edge and Z_uv = Y_uv = 0 on a
  // double edge: a balanced set with indicator z gives W = (1, z)(1, z)^T.
  // Solved by CSDP on small instances it closes 12-27% of this relaxation's
  // gap to the optimum on sparse graphs and most of it on dense ones.  Here
  // it reaches CSDP's value on dense graphs (r_n75_d0.3: 32.48 against
  // 32.46, 43.16 without it), but on sparse pieces the multipliers of its
  // equalities drift (Slashdot sample A: lambda_min from -1e-4 to -2.9 in
  // 80 s) and the bound stays the first's.  The spectral bundle below,
  // from the primal's last multipliers, gets most of the way on samples of
  // a few hundred vertices but not in minutes on the large pieces: off in
  // the automatic mode.
  bool produtos = false;
  double parteSemProdutos = 1.0 / 3;  // of the time, for the relaxation without W first
  // Of the time, the share left at the end to the spectral bundle
  // (Feixe.h), started from the primal's last multipliers (0: none).
  double parteFeixe = 0;
  int64_t passosFeixe = -1;           // its steps at most (< 0: until the deadline)
  double sigmaInicial = 1.0;          // the augmented Lagrangian's first penalty
  uint64_t semente = 1;
  bool reparo = true;                 // negative eigenvectors absorbed by the diagonal
  bool guardaFator = false;           // hand back the low-rank primal
  // Time kept before the deadline for the last certificate: half again as
  // long as the last one that factored took or, before any, what the
  // factor's operation count predicts at the BLAS's measured speed.  Off, the primal runs to the deadline and the last
  // certificate comes after it (for measuring the curve).
  bool reservaCertificado = true;
  double flopsPorSegundo = 0;         // what the prediction assumes (0: measured)
};

// A point of the bound-versus-time curve, given at each certificate.
struct Ponto {
  double segundos = 0;
  double limitante = 0;    // certified
  double valorPrimal = 0;  // a feasible value of the relaxation (a lower bound on it), -1 unknown
  double lambdaMin = 0;    // certified lower bound on lambda_min of that certificate's M
  int64_t iteracoes = 0;
};

struct Parametros {
  const GrafoSimples* grafo = nullptr;
  std::vector<Linha> linhas;
  std::vector<Fixo> fixos;              // empty: all free
  Multiplicadores inicio;               // empty parts: from the rows' duals (mu) and 0 (lambda)
  std::vector<signed char> ladoInicial; // a balanced set (-1 out) to start the primal from; may be empty
  // Or a parent node's low-rank primal (Resultado::fator and posto), which
  // takes precedence: rows of fixed-out vertices drop, fixed-in ones are
  // stretched to unit length.
  std::vector<double> fatorInicial;
  int postoInicial = 0;
  Prazo prazo;  // none unless given
  Ajustes ajustes;
  std::function<void(const Ponto&)> aoCertificar;  // the curve, may be empty
};

struct Estatisticas {
  int64_t iteracoes = 0;         // outer (multiplier) updates
  int64_t passosInternos = 0;    // L-BFGS steps
  int certificados = 0;
  int fatoracoes = 0;
  double segundosCertificado = 0;
  double segundos = 0;
};

struct Resultado {
  double limitante = 0;             // certified upper bound on the piece's maximum balanced set
  double limitanteInicial = 0;      // the same for the starting multipliers
  Multiplicadores multiplicadores;  // those of `limitante`, to warm-start a child node
  Multiplicadores ultimos;          // the primal's last ones, certified or not
  double valorPrimal = -1;          // best feasible value of the relaxation seen (-1: none)
  Estatisticas estatisticas;
  std::vector<double> fator;        // with guardaFator: n x posto, row v is vertex v (0 when fixed out)
  int posto = 0;
  // With guardaFator, the whole low-rank primal as MatrizDual numbers its
  // nodes (W's too): numNos x posto.
  std::vector<double> fatorNos;
  double sigma = 0;                 // the last penalty: a child's Ajustes::sigmaInicial
};

Resultado limita(const Parametros& p);

// The certified bound of given multipliers, and nothing else: what limita
// starts from, and what the tests compare with the LP's dual bound.
double limitanteCertificado(const Parametros& p, const Multiplicadores& m);

}  // namespace semidefinida

#endif
