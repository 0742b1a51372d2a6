// A node's separation: the state the cut separation of one solve keeps (the
// store it reads, the work arrays and batch it writes, its counters and each
// separator's data), the round that reloads violated pool cuts or runs the
// separators into the batch, and the rules of a round.
#ifndef BCT_SEPARATION_CORTES_H
#define BCT_SEPARATION_CORTES_H

#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "base/opcoes.h"
#include "base/perfil.h"
#include "base/relogio.h"
#include "graph/grafo.h"
#include "graph/linhaValida.h"
#include "optimizer/xprs.h"
#include "separation/lote.h"
#include "separation/separadores.h"
#include "separation/trabalho.h"

struct Separacao {
  Separacao(Armazem& grafo, Trabalho& trabalho, Lote& lote, const AjustesDaBusca& ajustes,
            const Prazo& prazo, Perfil& perfil, std::FILE* saida)
      : grafo(grafo), trabalho(trabalho), lote(lote), ajustes(ajustes), prazo(prazo), perfil(perfil),
        saida(saida) {}
  Separacao(const Separacao&) = delete;
  Separacao& operator=(const Separacao&) = delete;

  Armazem& grafo;            // its arc weights rewritten by each search
  Trabalho& trabalho;
  Lote& lote;
  const AjustesDaBusca& ajustes;
  const Prazo& prazo;        // a round past it ends with the cuts it has
  Perfil& perfil;
  std::FILE* saida;          // where the detailed printing goes

  int ncortesIter = 0;           // cuts of the current iteration
  int itersep = 0;               // iterations in a row that loaded cuts
  int totsep = 0;                // iterations of the solve that loaded cuts
  int totcuts = 0;               // separated cuts stored in the solve
  int totDesCicloCMenosOdd = 0;  // odd negative cycle cuts
  int totDesClique = 0;          // clique cuts
  int totDesCicloCIndSet = 0;    // cycle independent-set cuts
  int cut_time = 0;              // clock ticks spent separating
  double objval_relax = 0.0;     // first LP relaxation at the root
  double objval_node1 = 0.0;     // last LP relaxation at the root
  double objAnterior = 0.0;      // the bound of the round before (tailing off)

  // Rows found beside the search, asked for at each round of the root (may
  // be empty), and those of them stored in the pool but not yet violated at
  // a root LP point.
  std::function<std::vector<LinhaValida>()> linhasDeFora;
  struct Pendente {
    XPRScut corte;
    LinhaValida linha;
  };
  std::vector<Pendente> pendentesDeFora;

  DadosCicloNegativo ciclos;
  DadosLifting lifting;
  DadosClique cliques;
  DadosCicloIndSet indSet;
};

// The separation part of a node's call of the cut manager, once the point
// is in trabalho.x (snapped) and the root's figures are kept: the depth
// limit, the reload of violated pool cuts, the tailing off, the separators,
// the batch into the pool and the node.  `t0` is the call's start, from
// which the separation time counts; `no` the node, `nIntInf` its fractional
// columns, `objLP` its LP bound, `zstar` the best value.  Returns what the
// callback returns: 1 when cuts were loaded.
int separaNo(Separacao& s, XPRSprob prob, clock_t t0, int no, int nIntInf, double objLP,
             double zstar);

// The rules of one iteration, kept apart so that they can be checked alone.
// Values within 1e-6 of 0 or 1 become exactly 0 or 1.
void arredondaPonto(double* x, int n);
// Pool cuts to reload instead of separating: nViolados limited to maxCortes
// when it exceeds the solve's average of cuts per loading iteration, else 0.
int cortesDoPool(int nViolados, int totcuts, int totsep, int maxCortes = 200);
// Loading iterations of a node's separation loop: at any node, and at the
// root of a reduced run (-r).
constexpr int RODADAS_POR_NO = 10;
constexpr int RODADAS_RAIZ_REDUZIDA = 50;
constexpr double CAUDA_DA_SEPARACAO = 0.05;  // a reduced run's tailing off below the root
// True when the separation loop of a node must stop after the cycle
// separator: `rodadas` loading iterations in a row, unless the point is
// integral and cycle cuts were still found.
bool paraSeparacao(int itersep, int nIntInf, int cortesCiclo, int rodadas = RODADAS_POR_NO);

#endif
