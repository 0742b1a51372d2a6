// The two-loop recursion of L-BFGS, each pass over memory doing one pair's
// update and the next pair's product.
#include "semidefinite/Lbfgs.h"

#include <algorithm>
#include <cmath>

namespace semidefinida {

int MemoriaLbfgs::par(int i) const {
  const int m = static_cast<int>(S_.size());
  return (proximo_ - 1 - i + m) % m;
}

double MemoriaLbfgs::direcao(const std::vector<double>& grad, double gmax, std::vector<double>& dir) {
  const size_t n = grad.size();
  dir.resize(n);
  const double* g = grad.data();
  double* d = dir.data();
  double inclinacao = 0;
  if (usados_ == 0) {
    const double escala = 0.1 / gmax;
    for (size_t t = 0; t < n; t++) {
      d[t] = -(g[t] * escala);
      inclinacao += g[t] * d[t];
    }
  } else {
    // First loop, newest pair first: alfa_i = s_i.dir / s_i.y_i (as 1 / s.y
    // times the product), dir -= alfa_i y_i.
    {
      const int q = par(0);
      const double* s = S_[q].data();
      double acc = 0;
      for (size_t t = 0; t < n; t++) {
        d[t] = g[t];
        acc += s[t] * d[t];
      }
      alfa_[q] = 1 / sy_[q] * acc;
    }
    for (int i = 1; i < usados_; i++) {
      const int a = par(i - 1), q = par(i);
      const double* ya = Y_[a].data();
      const double* s = S_[q].data();
      const double c = alfa_[a];
      double acc = 0;
      for (size_t t = 0; t < n; t++) {
        d[t] -= c * ya[t];
        acc += s[t] * d[t];
      }
      alfa_[q] = 1 / sy_[q] * acc;
    }
    // The last update, the scaling by s.y / y.y of the newest pair, and the
    // second loop's first product (oldest pair first).
    double b;
    {
      const int a = par(usados_ - 1);
      const double* ya = Y_[a].data();
      const double c = alfa_[a];
      const double h = sy_[par(0)] / yy_[par(0)];
      double acc = 0;
      for (size_t t = 0; t < n; t++) {
        const double x = d[t] - c * ya[t];
        d[t] = x * h;
        acc += ya[t] * d[t];
      }
      b = 1 / sy_[a] * acc;
    }
    // Second loop: dir += (alfa_i - b_i) s_i, with b_i = y_i.dir / s_i.y_i.
    for (int i = usados_ - 1; i >= 1; i--) {
      const int a = par(i), q = par(i - 1);
      const double* sa = S_[a].data();
      const double* yq = Y_[q].data();
      const double c = alfa_[a] - b;
      double acc = 0;
      for (size_t t = 0; t < n; t++) {
        d[t] += c * sa[t];
        acc += yq[t] * d[t];
      }
      b = 1 / sy_[q] * acc;
    }
    {
      const int a = par(0);
      const double* sa = S_[a].data();
      const double c = alfa_[a] - b;
      for (size_t t = 0; t < n; t++) {
        const double x = d[t] + c * sa[t];
        d[t] = -x;
        inclinacao += g[t] * d[t];
      }
    }
  }
  if (inclinacao >= 0) {  // not a descent direction: start the memory again
    esquece();
    inclinacao = 0;
    for (size_t t = 0; t < n; t++) {
      d[t] = -g[t] * 0.1 / gmax;
      inclinacao += g[t] * d[t];
    }
  }
  return inclinacao;
}

double MemoriaLbfgs::guarda(const std::vector<double>& R, const std::vector<double>& R2,
                            const std::vector<double>& grad, const std::vector<double>& grad2) {
  const size_t n = R.size();
  std::vector<double>& S = S_[proximo_];
  std::vector<double>& Y = Y_[proximo_];
  S.resize(n);
  Y.resize(n);
  double sy = 0, yy = 0, gmax = 0;
  for (size_t t = 0; t < n; t++) {
    S[t] = R2[t] - R[t];
    Y[t] = grad2[t] - grad[t];
    sy += S[t] * Y[t];
    yy += Y[t] * Y[t];
    gmax = std::max(gmax, std::fabs(grad2[t]));
  }
  if (sy > 1e-16) {
    sy_[proximo_] = sy;
    yy_[proximo_] = yy;
    proximo_ = (proximo_ + 1) % static_cast<int>(S_.size());
    usados_ = std::min(usados_ + 1, static_cast<int>(S_.size()));
  }
  return gmax;
}

}  // namespace semidefinida
