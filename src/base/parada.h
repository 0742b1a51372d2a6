// Stopping a run by signal.  SIGINT, SIGTERM, SIGHUP and SIGXCPU ask the run
// to stop the way its deadline does: every stage that looks at the clock
// also looks here, and the run reports what it holds.  A second signal ends
// the process at once, though never while a file is being written.
#ifndef BCT_BASE_PARADA_H
#define BCT_BASE_PARADA_H

#include <atomic>

// The signal that asked the run to stop, 0 while none.  Set only by the
// handler, read at the clock checks (of any thread).
extern std::atomic<int> SINAL_DE_PARADA;
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free flag");

// Whether a signal asked the run to stop: one relaxed load, cheap enough for
// the hottest clock check.
inline bool paradaPedida() { return SINAL_DE_PARADA.load(std::memory_order_relaxed) != 0; }

// Installs the handler for the four signals (left alone where the run was
// started with a signal ignored, as nohup does with SIGHUP).
void instalaSinais();

// Around each file the run writes: a second signal that comes meanwhile ends
// the process only once the file is whole (the end of the write checks).
void iniciaGravacao();
void terminaGravacao();

// The exit status of a run a signal stopped: 128 plus its number, as shells
// and schedulers report a process ended by that signal.
int statusDaParada();

// "SIGINT" and the like, for the message that says which signal stopped it.
const char* nomeDoSinal(int sinal);

#endif
