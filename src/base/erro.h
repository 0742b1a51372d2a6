// The single fatal-error path.
#ifndef BCT_BASE_ERRO_H
#define BCT_BASE_ERRO_H

#include "optimizer/xprs.h"

// Reports the failed call, releases the optimizer (`prob`, the problem the
// failed call was made on, when there is one: its error number is reported
// too) and exits with `code` (-1, a failed allocation, becomes status 255).
[[noreturn]] void errormsg(const char* routine, int line, int code, XPRSprob prob = nullptr);

// Ends the process with `status`: every early end of a run (a fatal error, a
// refused instance, a deadline passed while reading) goes through here.  A
// harness that must survive such ends (a fuzzer) installs a hook of its own,
// which must not return (it throws or jumps).
[[noreturn]] void terminaExecucao(int status);
void defineGanchoDeTermino(void (*gancho)(int status));

// Ends the run through errormsg when an optimizer call on `prob` returned
// `ret` other than 0.
inline void testaRetorno(XPRSprob prob, int ret, const char* routine, int line) {
  if (ret != 0) errormsg(routine, line, ret, prob);
}

#endif
