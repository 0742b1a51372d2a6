// The one line that ends the standard output of a run given any option,
// after the statistics, saying how the run ended, for scripts to grep:
//
//   Estado final: otimo, valor 13, limitante 13, gap 0.00%
//
// with "otimo" (the value is proved), "limite de tempo" (the time limit
// stopped it first), "interrompido por SIGINT" (or another stop signal),
// "nao provado" (the search ended without proof: a strategy without cuts),
// or "falha na verificacao" (the best set failed its final check); a run
// with no set says "sem solucao" in place of the value and the gap.  The
// bound is the whole number below the dual bound (the objective counts
// vertices), and the gap is the bound less the value, over the value.
#ifndef BCT_DRIVER_ESTADOFINAL_H
#define BCT_DRIVER_ESTADOFINAL_H

#include <string>

#include "base/relogio.h"
#include "driver/relatorio.h"

// The line, newline included; `verificado`: the best set passed its check;
// `prazo`: the run's deadline.
std::string linhaDeEstado(const Relatorio& rel, bool verificado, const Prazo& prazo);

// Prints it on standard output when an option was given (a run without
// options prints what it always did).
void imprimeEstadoFinal(const Relatorio& rel, bool verificado, const Prazo& prazo);

#endif
