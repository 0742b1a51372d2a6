// Allocation with the system's one failure path.
#include "base/memoria.h"

#include <cstdint>
#include <cstdlib>

#include "base/erro.h"

void* aloca(size_t elementos, size_t tamanho, int linha) {
  // An empty instance asks for zero bytes, which malloc may answer with null;
  // a product that overflows is a request no machine can grant.
  if (tamanho != 0 && elementos > SIZE_MAX / tamanho) errormsg("Main: memory allocation error.\n", linha, -1);
  void* p = std::malloc(elementos == 0 ? (tamanho == 0 ? 1 : tamanho) : elementos * tamanho);
  if (p == nullptr) errormsg("Main: memory allocation error.\n", linha, -1);
  return p;
}
