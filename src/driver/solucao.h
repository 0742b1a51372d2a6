// The solution file (-s): the best set with the side of each chosen vertex,
// after header lines that say what the run found.
#ifndef BCT_DRIVER_SOLUCAO_H
#define BCT_DRIVER_SOLUCAO_H

#include "driver/relatorio.h"

// Writes the file whole: into a temporary file beside `caminho`, renamed into
// place once complete, so that a reader never sees half a file.  Returns 0, or
// the errno of the step that failed (the temporary file is then removed).
// `emAndamento` adds the header line "# em andamento": the run goes on and
// may still improve the set (see driver/solucaoViva.h).
int escreveSolucao(const char* caminho, const Relatorio& rel, double segundos,
                   bool emAndamento = false);

#endif
