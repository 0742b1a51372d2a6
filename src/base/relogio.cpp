// The run's clock and deadline.
#include "base/relogio.h"

#include "base/parada.h"

#include <sys/times.h>

#include <limits>

namespace {

using Relogio = std::chrono::steady_clock;

bool marcado = false;
Relogio::time_point inicio;
Relogio::time_point limite = Relogio::time_point::max();

}  // namespace

clock_t agora() {
  struct tms t;
  return times(&t);
}

void marcaInicio() {
  if (marcado) return;
  marcado = true;
  inicio = Relogio::now();
}

void definePrazo(int segundos) {
  marcaInicio();
  limite = segundos > 0 ? inicio + std::chrono::seconds(segundos) : Relogio::time_point::max();
}

double segundosDecorridos() {
  marcaInicio();
  return std::chrono::duration<double>(Relogio::now() - inicio).count();
}

double segundosRestantes() {
  if (limite == Relogio::time_point::max()) return std::numeric_limits<double>::infinity();
  return std::chrono::duration<double>(limite - Relogio::now()).count();
}

bool tempoEsgotado() {
  return paradaPedida() || (limite != Relogio::time_point::max() && Relogio::now() >= limite);
}

Relogio::time_point prazo() { return limite; }
