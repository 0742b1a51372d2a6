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

void relataProgresso(XPRSprob prob) {
  const double t = segundosDecorridos();
  // The system's incumbent, which also holds a set given before the search.
  const double valor = zstar;
  double limitante = 1e40;
  const bool melhorou = valor > ultimoValor + 0.5;
  if (t - ultimaLinha < (melhorou ? 1.0 : INTERVALO)) return;
  ultimaLinha = t;
  ultimoValor = valor;
  int nos = 0, abertos = 0;
  XPRSgetintattrib(prob, XPRS_NODES, &nos);
  XPRSgetintattrib(prob, XPRS_ACTIVENODES, &abertos);
  XPRSgetdblattrib(prob, XPRS_BESTBOUND, &limitante);
  const bool temValor = valor > -1e20;
  const bool temLimitante = limitante < 1e20;
  const double total = valorFora + (temValor ? valor : 0);
  const double cota = limitanteFora + limitante;
  std::fprintf(stderr, "BCTovsel: %8.1f s %9d nos %7d abertos  solucao ", t, nos, abertos);
  if (temValor || valorFora > 0) std::fprintf(stderr, "%.0f", total);
  else std::fprintf(stderr, "-");
  if (temLimitante) {
    std::fprintf(stderr, "  limitante %.2f", cota);
    if (temValor || valorFora > 0)
      std::fprintf(stderr, "  gap %.2f%%", 100.0 * (cota - total) / std::max(1.0, std::fabs(total)));
  }
  std::fprintf(stderr, "\n");
}
