// The growth of the cut batch's term arrays.
#include "separation/lote.h"

#include "base/erro.h"

void Lote::reservaTermos(int termos) {
  if (termos <= termosNoLote) return;
  // Doubling keeps the copies of a growing batch linear in its size.
  long long nova = 2LL * termosNoLote;
  if (nova < termos) nova = termos;
  if (nova < 64) nova = 64;
  if (nova > 0x7fffffff) nova = 0x7fffffff;
  if (!mcols.cresce(static_cast<size_t>(nova))) errormsg("Main: memory allocation error.\n", 197, -1);
  if (!dmatval.cresce(static_cast<size_t>(nova))) errormsg("Main: memory allocation error.\n", 199, -1);
  termosNoLote = static_cast<int>(nova);
}
