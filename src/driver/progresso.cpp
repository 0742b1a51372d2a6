// Progress lines: one at most every INTERVALO seconds, and one as soon as
// the best value improves (but not twice within a second).
#include "driver/progresso.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/relogio.h"

namespace {

const double INTERVALO = 5.0;

}  // namespace

// Whether a line is due: every INTERVALO seconds, or a second after the best
// value improved.
bool Progresso::devido(double valor) {
  const double t = execucao_.decorridos();
  const bool melhorou = valor > ultimoValor_ + 0.5;
  if (t - ultimaLinha_ < (melhorou ? 1.0 : INTERVALO)) return false;
  ultimaLinha_ = t;
  ultimoValor_ = valor;
  return true;
}

void Progresso::escreveLinha(long long nos, long long abertos, double valor, double limitante) {
  const bool temValor = valor > -1e20;
  const bool temLimitante = limitante < 1e20;
  std::fprintf(stderr, "BCTovsel: %8.1f s %9lld nos %7lld abertos  solucao ", execucao_.decorridos(),
               nos, abertos);
  if (temValor) std::fprintf(stderr, "%.0f", valor);
  else std::fprintf(stderr, "-");
  if (temLimitante) {
    std::fprintf(stderr, "  limitante %.2f", limitante);
    if (temValor)
      std::fprintf(stderr, "  gap %.2f%%", 100.0 * (limitante - valor) / std::max(1.0, std::fabs(valor)));
  }
  std::fprintf(stderr, "\n");
}

void Progresso::relata(long long nos, long long abertos, double valor, double limitante) {
  std::lock_guard<std::mutex> trava(mutex_);
  if (devido(valor)) escreveLinha(nos, abertos, valor, limitante);
}
