// The command line: options (GNU style, before the strategy), the
// four-character strategy string and the optional depth limit of separation.
#ifndef BCT_DRIVER_PARAMETROS_H
#define BCT_DRIVER_PARAMETROS_H

// Sets the flags of base/opcoes.h; on a bad command line prints what is wrong
// and the usage text, and ends the process with status 255.
void extractParameters(int argc, char** argv);
void showUsage();

// The instance file of -f ("-" for standard input), or null without it.
const char* arquivoDaInstancia();
// Whether any option came before the strategy.
bool opcoesDadas();

#endif
