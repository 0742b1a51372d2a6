// The run's clock: elapsed clock ticks for the reported times, and the one
// deadline that every stage checks (reading, reduction, model building, each
// separation round, the heuristics and the search).
#ifndef BCT_BASE_RELOGIO_H
#define BCT_BASE_RELOGIO_H

#include <chrono>
#include <ctime>

// Elapsed clock ticks, as times() counts them (sysconf(_SC_CLK_TCK) a second).
clock_t agora();

// Marks the start of the run; the deadline lies `segundos` of wall-clock time
// after it (none while the limit is 0).  Called first thing, and again once
// the limit is known: the start stays where the first call put it.
void marcaInicio();
void definePrazo(int segundos);

double segundosDecorridos();  // wall-clock seconds since the start
double segundosRestantes();   // until the deadline (negative once past it)
// The deadline has passed, or a signal asked the run to stop (base/parada.h).
bool tempoEsgotado();
// The deadline as a time point, for the stages that read the clock
// themselves; each of them also stops on paradaPedida().
std::chrono::steady_clock::time_point prazo();

#endif
