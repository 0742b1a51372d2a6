// The run's optimizer problem and its single fatal-error path.
#ifndef BCT_BASE_ERRO_H
#define BCT_BASE_ERRO_H

#include "optimizer/xprs.h"

extern XPRSprob prob;   // the one problem of the run
extern int xpress_ret;  // return code of the last tested optimizer call

// Reports the failed call, releases the optimizer and exits with `code`
// (-1, a failed allocation, becomes status 255).
[[noreturn]] void errormsg(const char* routine, int line, int code);

// Ends the process with `status`: every early end of a run (a fatal error, a
// refused instance, a deadline passed while reading) goes through here.  A
// harness that must survive such ends (a fuzzer) installs a hook of its own,
// which must not return (it throws or jumps).
[[noreturn]] void terminaExecucao(int status);
extern void (*ganchoDeTermino)(int status);

// Stores an optimizer call's return code in xpress_ret and ends the run
// through errormsg when it is not 0.
void testaRetorno(int ret, const char* routine, int line);

#endif
