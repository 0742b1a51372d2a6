// The single fatal-error path.
#include "base/erro.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Set by a fuzzing harness before anything runs, never changed after.
void (*ganchoDeTermino)(int status) = nullptr;

}  // namespace

void errormsg(const char* routine, int line, int code, XPRSprob prob) {
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
  terminaExecucao(code);
}

void defineGanchoDeTermino(void (*gancho)(int status)) { ganchoDeTermino = gancho; }

void terminaExecucao(int status) {
  if (ganchoDeTermino != nullptr) ganchoDeTermino(status);
  std::exit(status);
}
