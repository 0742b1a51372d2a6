// The rounded best value and the reported dual bound of the final report.
#include "driver/relatorio.h"

int valorInteiro(double zstar) {
  return zstar > -1e20 ? static_cast<int>(zstar + 0.5) : -1;
}

double limitanteDual(double zstar, double limitante) {
  return zstar + 1e-6 > limitante ? zstar : limitante;
}
