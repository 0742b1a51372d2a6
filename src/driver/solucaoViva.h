// The solution file kept on disk while the run goes on (-s): rewritten whole
// whenever the best set improves, at most every few seconds (at once the
// first time), with the header line "# em andamento", so that a run killed
// outright (SIGKILL, out of memory, a power cut) still leaves its last best
// set checked and readable.  The final write after the report drops the line.
#ifndef BCT_DRIVER_SOLUCAOVIVA_H
#define BCT_DRIVER_SOLUCAOVIVA_H

#include <mutex>
#include <vector>

#include "base/relogio.h"
#include "graph/GrafoSimples.h"

class SolucaoViva {
 public:
  // The file `arquivo` (null: nothing is ever written), and the input graph
  // `entrada`, on which every set is checked before it is written, with its
  // record count for the header; its time counts from the start of
  // `execucao`, the run's deadline.
  SolucaoViva(const char* arquivo, const GrafoSimples& entrada, int arestas, const Prazo& execucao);

  // Cheap enough for every clock check: whether a set of `valor` (a set of
  // the input; for a reduced run, the pieces' sets lifted with what the rules
  // fixed) is to be written now: a file given, better than the one on disk,
  // and the first or the last written long enough ago.
  bool devida(double valor);

  // Writes the input's set `escolhido` with a bound on the optimum; a set
  // that fails the balance check is not written.
  void grava(const std::vector<char>& escolhido, double limitante);

 private:
  const char* arquivo_;
  const Prazo execucao_;
  const GrafoSimples& entrada_;
  int arestas_;
  std::mutex mutex_;
  double valorGravado_ = -1e40;   // value of the set on disk
  double ultimaGravacao_ = -1e9;  // elapsed seconds at that write
};

#endif
