// The run's optimizer problem handle and the single fatal-error path.
#include "base/erro.h"

#include <cstdio>
#include <cstdlib>

XPRSprob prob = nullptr;
int xpress_ret = 0;

void errormsg(const char* routine, int line, int code) {
  std::printf("The subroutine %s has failed on line %d\n", routine, line);
  if (code != -1) {
    std::printf("with error code %d\n", code);
    if (code == XPRS_ERR) {
      // Left at 0 when the query fails too (no problem created yet).
      int numero = 0;
      XPRSgetintattrib(prob, XPRS_ERRORCODE, &numero);
      std::printf("The Optimizer error number is: %d\n", numero);
    }
  }
  // Safe before the optimizer exists: a null problem is an error code there.
  XPRSdestroyprob(prob);
  XPRSfree();
  prob = nullptr;
  terminaExecucao(code);
}

void (*ganchoDeTermino)(int status) = nullptr;

void terminaExecucao(int status) {
  if (ganchoDeTermino != nullptr) ganchoDeTermino(status);
  std::exit(status);
}

void testaRetorno(int ret, const char* routine, int line) {
  xpress_ret = ret;
  if (xpress_ret != 0) errormsg(routine, line, xpress_ret);
}
