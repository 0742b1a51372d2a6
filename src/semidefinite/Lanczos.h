// Extreme eigenpairs of a symmetric operator by Lanczos with full
// reorthogonalization: only estimates (a Ritz value of the lowest end is
// never below lambda_min), which the certificate then has to prove.
#ifndef BCT_SEMIDEFINITE_LANCZOS_H
#define BCT_SEMIDEFINITE_LANCZOS_H

#include <cstdint>
#include <functional>
#include <vector>

namespace semidefinida {

struct ParRitz {
  double valor;
  std::vector<double> vetor;  // unit length
  double residuo;             // |A v - valor v|, from the recurrence
};

class Lanczos {
 public:
  using Operador = std::function<void(const double* x, double* y)>;
  // `passos` steps from a random start (or `inicio` when given), then the
  // `quantos` lowest (maiores: highest) Ritz pairs, lowest (highest) first.
  // The basis is kept between calls so a long run allocates once.
  std::vector<ParRitz> extremos(int n, const Operador& a, int passos, int quantos, bool maiores,
                                uint64_t semente, const std::vector<double>* inicio = nullptr);

 private:
  std::vector<double> base_, w_, alfa_, beta_;
};

}  // namespace semidefinida

#endif
