// Allocation with the system's one failure path: a failed allocation ends the
// run through errormsg with the memory message and the caller's line.
#ifndef BCT_BASE_MEMORIA_H
#define BCT_BASE_MEMORIA_H

#include <cstddef>

// malloc of `elementos` elements of `tamanho` bytes; an empty request still
// gets a real block, so that null always means failure.
void* aloca(size_t elementos, size_t tamanho, int linha);

#endif
