// The cut batch arrays.
#include "separation/lote.h"

char* qrtype = nullptr;
int* mtype = nullptr;
double* drhs = nullptr;
int* mstart = nullptr;
int* mcols = nullptr;
double* dmatval = nullptr;
XPRScut* mcutind = nullptr;
