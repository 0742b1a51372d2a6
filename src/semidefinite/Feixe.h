// A spectral bundle on the dual: the multipliers y themselves are moved to
// lower f(y) = sum_c y_c b_c + T max(0, -lambda_min(M(y))), without a
// primal.  The augmented Lagrangian's multipliers follow its primal, and
// where the inner minimisations are left unfinished (the second block on a
// sparse piece) they drift while the primal's value is already right; the
// bundle starts from them and only ever keeps a point it has seen lower f.
// Its model of the max-eigenvalue term is the maximum over W = alpha Wbar +
// P V P^T (P a few of M's lowest eigenvectors, Wbar the aggregate of those
// dropped, V >= 0, alpha + tr V <= 1); the proximal master problem is solved
// over (alpha, V) by projected gradient ascent, y following in closed form
// and clipped at 0 where the constraint is an inequality.  Every bound
// reported comes from the certificate (Certificado.h), never from the
// Lanczos estimates that steer the steps.
#ifndef BCT_SEMIDEFINITE_FEIXE_H
#define BCT_SEMIDEFINITE_FEIXE_H

#include <cstdint>
#include <functional>
#include <vector>

#include "base/relogio.h"
#include "semidefinite/Certificado.h"
#include "semidefinite/MatrizDual.h"

namespace semidefinida {

struct AjustesFeixe {
  int colunas = 40;          // P's columns at most
  int novas = 8;             // of M's lowest eigenvectors joining P at each step, at most
  // Projected-gradient steps of one master problem, at most: more steps
  // taken roughly beat each step's master solved better (the 150-vertex
  // Wikipedia-elections sample of seed 2, 80 s from the certified
  // multipliers: 114.40 with 10, 114.77 with 40).
  int passosMestre = 10;
  // The proximal term's first weight u (u/2 |y - center|^2), halved after a
  // serious step that made most of its predicted decrease.  Grown after
  // null steps it stalled the steps (that sample: 115.67 to 115.66 in 60
  // steps, u up to 4e4); 1, 3 and 10 ended within 0.1 of each other.
  double peso = 1.0;
  double mL = 0.1;           // share of the predicted decrease a serious step must reach
  int64_t maxPassos = -1;    // steps at most (< 0: until the deadline)
  double intervaloCertificado = 1.0;  // seconds between certificates, at least
  double parteCertificado = 0.25;     // of the time, at most, in certificates
  uint64_t semente = 1;
};

struct ResultadoFeixe {
  double limitante = 0;  // the best certified bound (that of the start among them)
  std::vector<double> y;  // its multipliers (as MatrizDual lays them out)
  int64_t passos = 0;
  int certificados = 0;
};

// From y0 (a vector by constraint, nonnegative where the constraint is an
// inequality) until the deadline; `aoCertificar` gets (seconds, best
// certified bound, that certificate's lambda_min).  T is the trace bound
// the steps steer by.
ResultadoFeixe refina(const MatrizDual& md, Certificador& cert, std::vector<double> y0, double T,
                      const Prazo& prazo, const AjustesFeixe& aj, const double* fator, int posto,
                      const std::function<void(double, double, double)>& aoCertificar = {});

}  // namespace semidefinida

#endif
