// The semidefinite room as the module the solver loads the first time a
// search wants the bound (libbctovsel-semidefinida.so): CHOLMOD, LAPACK and
// the BLAS, and their threads, are then loaded only by the runs that use
// them, not by every run at its start.  The graph and deadline code it calls
// are the solver's own, exported by the program that loads it.
#include "semidefinite/Semidefinida.h"

extern "C" void bctovsel_limita(const semidefinida::Parametros* p, semidefinida::Resultado* r) {
  *r = semidefinida::limita(*p);
}
