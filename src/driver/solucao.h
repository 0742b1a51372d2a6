// The solution file (-s): the best set with the side of each chosen vertex,
// after header lines that say what the run found.
#ifndef BCT_DRIVER_SOLUCAO_H
#define BCT_DRIVER_SOLUCAO_H

#include "driver/relatorio.h"

// Writes the file whole: into a temporary file beside `caminho`, renamed into
// place once complete, so that a reader never sees half a file.  Returns 0, or
// the errno of the step that failed (the temporary file is then removed).
int escreveSolucao(const char* caminho, const Relatorio& rel, double segundos);

#endif
