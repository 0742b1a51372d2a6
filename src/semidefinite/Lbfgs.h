// The memory of the low-rank primal's L-BFGS: the last few steps and
// gradient changes, and the two-loop recursion that turns a gradient into a
// direction.  On a 40,000-vertex piece a vector is the whole factor R (tens
// of megabytes), so each loop goes over memory once per pair held: the
// updates of one pair are done in the same pass as the product of the next,
// in the order the plain recursion does them, so the direction is the same
// to the last bit.
#ifndef BCT_SEMIDEFINITE_LBFGS_H
#define BCT_SEMIDEFINITE_LBFGS_H

#include <vector>

namespace semidefinida {

class MemoriaLbfgs {
 public:
  explicit MemoriaLbfgs(int pares)
      : S_(pares), Y_(pares), sy_(pares), yy_(pares), alfa_(pares) {}

  int usados() const { return usados_; }
  void esquece() { usados_ = proximo_ = 0; }

  // dir = -H grad for the memory's inverse Hessian H (with no pair held,
  // the gradient scaled to 0.1 / gmax in its largest entry); returns
  // grad . dir.  gmax is the largest absolute entry of grad.
  double direcao(const std::vector<double>& grad, double gmax, std::vector<double>& dir);

  // The step from R to R2 and the gradient's change; kept when it has
  // positive curvature.  Returns the largest absolute entry of grad2.
  double guarda(const std::vector<double>& R, const std::vector<double>& R2,
                const std::vector<double>& grad, const std::vector<double>& grad2);

 private:
  int par(int i) const;  // the slot of the i-th newest pair
  std::vector<std::vector<double>> S_, Y_;
  std::vector<double> sy_, yy_, alfa_;  // s.y and y.y of each pair, its alfa
  int usados_ = 0, proximo_ = 0;
};

}  // namespace semidefinida

#endif
