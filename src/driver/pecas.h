// The reduced run (-r): exact reduction and decomposition of the instance, a
// first balanced set for every piece, one search per piece with the run's
// strategy (the engine of each chosen by -c, -a or the branch-and-cut), the
// large pieces of the branch-and-cut solved at once on the run's threads,
// and the whole rebuilt on the input's vertices and checked before it is
// reported.
#ifndef BCT_DRIVER_PECAS_H
#define BCT_DRIVER_PECAS_H

#include <ctime>
#include <memory>
#include <vector>

#include "base/opcoes.h"
#include "base/perfil.h"
#include "base/relogio.h"
#include "driver/acompanhamentoPorPeca.h"
#include "driver/escolhaDoMotor.h"
#include "driver/limitanteSemidefinido.h"
#include "driver/progresso.h"
#include "driver/relatorio.h"
#include "driver/solucaoViva.h"
#include "graph/GrafoSimples.h"
#include "reduction/Reducao.h"

class ExecucaoPorPecas {
 public:
  // Reduces the instance `entrada` (which must outlive it), prints what the
  // reduction did, and ends the run through the memory failure path, before
  // any file is written, when the pieces cannot be searched.  Every stage
  // stops at `prazo`; the time goes to `perfil`.
  ExecucaoPorPecas(const GrafoSimples& entrada, const Prazo& prazo, Perfil& perfil);
  // Solves the pieces and fills the figures of `rel` beyond the instance
  // counts, which the caller has set; the searches tell `progresso` and
  // `viva` how they go (either may be null).  Returns false when the
  // rebuilt set failed its final check (then no solution is reported).
  bool resolve(Relatorio& rel, Progresso* progresso, SolucaoViva* viva);

 private:
  // The sums over the pieces, in the order they are added.
  struct Soma {
    int total = 0;  // the whole's value
    double limitante = 0, relaxacao = 0, raiz = 0;
    long tiquesSeparacao = 0;
  };

  // The bound of each piece too large for its search to end within the
  // wait, started before its first set, from a greedy one.
  void iniciaLimitantesCedo(const AjustesDaBusca& ajustes);
  // A first balanced set of every piece; returns the whole's size.
  int primeirosConjuntos();
  // How many pieces at the end of `ordem` are solved at once, and on how
  // many threads (0 pieces when none are).
  int pecasConcorrentes(const std::vector<int>& ordem, int* linhas) const;
  // The search of piece i, its lines (the piece's own and its engine's)
  // written to `saida`.
  ResultadoBusca resolvePeca(int i, const AjustesDaBusca& ajustes, AcompanhamentoPorPeca& acomp,
                             std::FILE* saida);
  // Piece i's figures added to the report's (null: not searched by the deadline).
  void contaPeca(int i, const ResultadoBusca* r, Relatorio& rel, Soma& soma);

  clock_t inicio_;
  const GrafoSimples& grafo_;
  const Prazo prazo_;
  Perfil& perfil_;
  Reducao reducao_;
  int maior_ = -1;  // the largest piece, -1 when there is none
  std::vector<std::vector<char>> solucoes_;  // each piece's best set so far
  std::vector<MotorAutomatico> motor_;       // each piece's engine
  std::vector<std::unique_ptr<LimitanteSemidefinido>> cedo_;  // by piece, null for most
};

#endif
