// The separators, and what each keeps from one call to the next.  Each
// appends its cuts to the batch through the cursors ultimoCorte/ultimoCoef
// and returns how many it appended.
#ifndef BCT_SEPARATION_SEPARADORES_H
#define BCT_SEPARATION_SEPARADORES_H

#include <memory>
#include <vector>

#include "base/VarreduraEsparsa.h"
#include "separation/buscaLimitada.h"
#include "separation/buscasParalelas.h"
#include "separation/grafoContraido.h"

struct Separacao;

// The odd negative cycle separator's.
struct DadosCicloNegativo {
  // The arcs the searches of one call can use; kept to reuse its storage.
  GrafoCompacto usaveis;
  BuscadorLimitado buscador;
  // A reduced run searches the doubled graph with its regions at 1 merged.
  GrafoContraido contraido;
  BuscaContraida buscaContraida;
  // Nodes a search of this round started from and found nothing: every
  // vertex of a region at 1 starts the same search, so one miss answers for
  // all.
  std::vector<char> semCiclo;
  // A reduced run's cuts before the choice: each its terms in termos.
  struct Candidato {
    int tipo, inicio, fim;
    double violacao, rhs;
  };
  struct Termo {
    int coluna;
    double coef;
  };
  std::vector<Candidato> candidatos;
  std::vector<Termo> termos;
  // Sign of each cycle edge (partitionCycle).
  std::vector<int> sinais;
  // With -j, the searches of a round run on LINHAS threads, each with its
  // own search state and predecessors; the pool lives from the first
  // parallel round to the end of the solve.
  struct Fio {
    BuscaContraida contraida;
    BuscadorLimitado limitada;
    std::vector<int> pred;
  };
  std::vector<std::unique_ptr<Fio>> fios;
  std::unique_ptr<BuscasParalelas> paralelas;  // last: its threads go before what they read
};

// The lifting's.
struct DadosLifting {
  // Edge ends on the cycle per vertex: zero outside the vertices listed in
  // contados, and reset through that list before each call returns.
  std::vector<int> contagem;
  std::vector<int> contados;
  // One call of solveByForce: the structure, the decisions so far (-1
  // undecided, 1 in, 0 out), the best total found, and resto[i], the most
  // the undecided elements i..m-2 can still add.
  struct BuscaForca {
    int* pesos;
    int** matriz;
    int m, cap, melhor;
    std::vector<int> decisao, cor, pilha, resto;
  } busca;
  // The structure of the cycle and the vertices lifted onto it: at most 20
  // elements (see lifting.cpp).
  static constexpr int MAX_ESTRUTURA = 20;
  int linhas[MAX_ESTRUTURA][MAX_ESTRUTURA];
  int* matriz[MAX_ESTRUTURA];
};

// The clique separator's.  Counters are zero outside the vertices marked in
// the sweep, by their positions in xh, which each start vertex resets.
struct DadosClique {
  std::vector<int> contDupla, contPos;  // contDupla doubles as the first side's count
  std::vector<int> posicaoEmXh;         // xh[posicaoEmXh[v]].indice == v
  VarreduraEsparsa varredura;
};

// The separator of odd cycles of double edges'.
struct DadosCicloIndSet {
  GrafoCompacto usaveis;
  BuscadorLimitado buscador;
};

int separacaoExataCMenosOdd(Separacao& s, double* x, int* ultimoCorte, int* ultimoCoef);
// In a reduced run, pieces of at least AjustesDaBusca::MINIMO_CONTRACAO
// vertices (400) search for cycles on the graph with its regions at 1 merged;
// smaller ones search the doubled graph itself.
//
// Both expect position to be -1 at every vertex off the cycle and leave the
// places of the cycle they return (and of the lifted vertices) there; the
// cycle separator puts those entries back to -1 before its next cycle, so
// that neither call has to clear all vertices.
int partitionCycle(Separacao& s, int* cycle, int k, int* marks);
int liftingOddNegCycle(Separacao& s, int* cycle, int k, double* coefficients, int* lifted);
int solveByForce(DadosLifting::BuscaForca& busca, int* weights, int** matrix, int m, int cap);
int separacaoHeuristicaDesigualdadesClique(Separacao& s, double* x, int* ultimoCorte,
                                           int* ultimoCoef, int ncortes);
int separacaoExataCicloIndSet(Separacao& s, double* x, int* ultimoCorte, int* ultimoCoef,
                              int ncortes);

#endif
