// The files the command line names, looked at before the instance is read:
// the instance of -f opened as standard input, and the path of -s tried, so
// that a run that could not read its input or keep its answer is refused
// before it spends anything on the solve.
#ifndef BCT_DRIVER_ARQUIVOSDOCOMANDO_H
#define BCT_DRIVER_ARQUIVOSDOCOMANDO_H

// Opens the file of -f in place of standard input ("-" and no -f: standard
// input as it is).  A file that cannot be read ends the run with a message
// on standard error and status 2, nothing written.
void abreArquivoDaInstancia();

// With -s, creates and removes a temporary file beside its path, as the
// final write does, and refuses a path that is a directory: a path that
// cannot be written ends the run with the message of a file not written and
// status 3, before the instance is read and with nothing written.
void confereCaminhoDaSolucao();

#endif
