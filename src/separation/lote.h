// The cut batch: the typed cuts that the separators of one iteration append
// to and the cut manager hands to the pool in one call; the term arrays grow
// with the cuts, so they cost what the cuts hold, not a row of every vertex
// per cut.
#ifndef BCT_SEPARATION_LOTE_H
#define BCT_SEPARATION_LOTE_H

#include "base/memoria.h"
#include "optimizer/xprs.h"

// A reduced run's batch: its cycle searches are cheap enough that the LP
// re-solve is most of a round, so a round brings more cuts (bitcoinotc: 36 s
// with 200, 20 s with 500, 24 s with 1000).
constexpr int MAX_CORTES_REDUZIDA = 500;

enum TipoCorte {                 // cut types carried into the pool
  CORTE_CICLO = 1,               // odd negative cycle, not lifted
  CORTE_CLIQUE = 2,              // clique, rhs 1 or 2
  CORTE_CICLO_LIFTED = 3,        // odd negative cycle, lifted
  CORTE_CICLO_IND_SET = 4        // odd cycle of double edges
};

// Allocated by the solve before the search (absent in a search without
// cuts), each where its allocation failure is reported.
struct Lote {
  int MAX_CORTES = 200;       // cuts per separation iteration: 200, more in a reduced run
  Arranjo<char> qrtype;       // sense of each cut ('L')
  Arranjo<int> mtype;         // type of each cut
  Arranjo<double> drhs;       // right-hand sides
  Arranjo<int> mstart;        // first term of each cut, one entry more than cuts
  Arranjo<int> mcols;         // column of each term (termosNoLote)
  Arranjo<double> dmatval;    // coefficient of each term (termosNoLote)
  int termosNoLote = 0;       // room in mcols and dmatval, grown by poeTermo
  Arranjo<XPRScut> mcutind;   // handles of the iteration's cuts

  // Appending a cut: abreCorte, then one poeTermo per term, then fechaCorte.
  // The cursors hold the index of the last cut and of the last term written
  // (-1 when none).
  void abreCorte(int* ultimoCorte, int* ultimoCoef, int tipo) {
    *ultimoCorte += 1;
    mtype[*ultimoCorte] = tipo;
    qrtype[*ultimoCorte] = 'L';
    mstart[*ultimoCorte] = *ultimoCoef + 1;
  }
  void poeTermo(int* ultimoCoef, int coluna, double coeficiente) {
    *ultimoCoef += 1;
    if (*ultimoCoef >= termosNoLote) reservaTermos(*ultimoCoef + 1);
    mcols[*ultimoCoef] = coluna;
    dmatval[*ultimoCoef] = coeficiente;
  }
  // Room for at least `termos` terms in mcols and dmatval (moved by
  // realloc, their contents kept); the run ends if none is left.
  void reservaTermos(int termos);
  void fechaCorte(int ultimoCorte, double rhs) { drhs[ultimoCorte] = rhs; }
  // After the last separator: mstart gets its closing entry.
  void fechaLote(int ultimoCorte, int ultimoCoef) { mstart[ultimoCorte + 1] = ultimoCoef + 1; }
};

#endif
