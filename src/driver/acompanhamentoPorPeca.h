// The run's progress lines and solution file kept on disk speak for the
// whole instance while the pieces of a reduced run are searched, one or
// several at a time: each piece's value (its best set so far) and bound (its
// size until its search reports one) add up with what the rules fixed, and
// the running searches' nodes add up.  Shared by the threads searching
// pieces.
#ifndef BCT_DRIVER_ACOMPANHAMENTOPORPECA_H
#define BCT_DRIVER_ACOMPANHAMENTOPORPECA_H

#include <mutex>
#include <vector>

#include "driver/progresso.h"
#include "driver/solucaoViva.h"
#include "reduction/Reducao.h"
#include "search/resultado.h"

class AcompanhamentoPorPeca {
 public:
  // `solucoes`: the first set of each piece of `reducao`; either of the
  // run's sinks may be null.
  AcompanhamentoPorPeca(const Reducao& reducao, const std::vector<std::vector<char>>& solucoes,
                         Progresso* progresso, SolucaoViva* viva);

  // The sinks of piece i's search.
  Acompanhamento daPeca(int i);
  // Piece i's search ended with r: its set and bound stand, its nodes are
  // no longer under way.
  void terminou(int i, const ResultadoBusca& r);

 private:
  void melhora(int i, double valor);
  void ajustaLimitante(int i, double limitante);

  const Reducao& reducao_;
  std::mutex mutex_;
  std::vector<std::vector<char>> conjuntos_;  // each piece's best set so far
  std::vector<double> valor_, limitante_;
  std::vector<long long> nos_, abertos_;
  double somaValor_ = 0, somaLimitante_ = 0;  // with what the rules fixed
  long long somaNos_ = 0, somaAbertos_ = 0;
  Progresso* progresso_;
  SolucaoViva* viva_;
};

#endif
