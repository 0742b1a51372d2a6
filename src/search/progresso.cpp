// Progress lines: one at most every INTERVALO seconds, and one as soon as
// the best value improves (but not twice within a second).
#include "search/progresso.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/relogio.h"
#include "search/busca.h"

namespace {

const double INTERVALO = 5.0;

double valorFora = 0, limitanteFora = 0;
double ultimaLinha = -1e9;  // elapsed seconds at the last line
double ultimoValor = -1e40;

}  // namespace

void progressoFora(double valor, double limitante) {
  valorFora = valor;
  limitanteFora = limitante;
  ultimoValor = -1e40;
}

namespace {

// Whether a line is due: every INTERVALO seconds, or a second after the best
// value improved.
bool devido(double valor) {
  const double t = segundosDecorridos();
  const bool melhorou = valor > ultimoValor + 0.5;
  if (t - ultimaLinha < (melhorou ? 1.0 : INTERVALO)) return false;
  ultimaLinha = t;
  ultimoValor = valor;
  return true;
}

void escreveLinha(long long nos, long long abertos, double valor, double limitante) {
  const bool temValor = valor > -1e20;
  const bool temLimitante = limitante < 1e20;
  const double total = valorFora + (temValor ? valor : 0);
  const double cota = limitanteFora + limitante;
  std::fprintf(stderr, "BCTovsel: %8.1f s %9lld nos %7lld abertos  solucao ", segundosDecorridos(),
               nos, abertos);
  if (temValor || valorFora > 0) std::fprintf(stderr, "%.0f", total);
  else std::fprintf(stderr, "-");
  if (temLimitante) {
    std::fprintf(stderr, "  limitante %.2f", cota);
    if (temValor || valorFora > 0)
      std::fprintf(stderr, "  gap %.2f%%", 100.0 * (cota - total) / std::max(1.0, std::fabs(total)));
  }
  std::fprintf(stderr, "\n");
}

}  // namespace

void relataProgresso(XPRSprob prob) {
  // The system's incumbent, which also holds a set given before the search.
  const double valor = zstar;
  if (!devido(valor)) return;
  int nos = 0, abertos = 0;
  double limitante = 1e40;
  XPRSgetintattrib(prob, XPRS_NODES, &nos);
  XPRSgetintattrib(prob, XPRS_ACTIVENODES, &abertos);
  XPRSgetdblattrib(prob, XPRS_BESTBOUND, &limitante);
  escreveLinha(nos, abertos, valor, limitante);
}

void relataProgressoCombinatorio(long long nos, long long abertos, double valor, double limitante) {
  if (devido(valor)) escreveLinha(nos, abertos, valor, limitante);
}
