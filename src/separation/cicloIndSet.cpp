// Cycle independent-set separation: odd cycles of double edges, of which at
// most (j-1)/2 vertices can be chosen, found by one doubled-graph search per
// start vertex under weights that only let double edges through.
#include <cstdio>
#include <cstdlib>

#include "base/erro.h"
#include "base/relogio.h"
#include "separation/cortes.h"

namespace {

const double LIMIAR_IND_SET = 0.499999;

// Every usable arc is a double edge changing copy, so a path from v to its
// copy closes an odd cycle; each arc pays half of 1 - x(u) - x(w), so the
// length is j/2 - x(cycle).  Returns the least weight written, which is below
// zero where the point puts more than 1 on a double edge.
double escrevePesos(Armazem& g, const double* x) {
  const int n = g.nlin;
  nodo2** const gDup = g.gDup;
  const double proibido = 2.0 * n;
  double menor = proibido;
  for (int u = 0; u < 2 * n; u++) {
    const bool caudaNaPrimeira = u < n;
    for (nodo2* a = gDup[u]; a != nullptr; a = a->prox) {
      const int w = a->vertice;
      if (a->sinal == 2 && caudaNaPrimeira != (w < n))
        a->peso = (1 - x[u % n] - x[w % n]) * 0.5;
      else
        a->peso = proibido;
      if (a->peso < menor) menor = a->peso;
    }
  }
  return menor;
}

}  // namespace

int separacaoExataCicloIndSet(Separacao& s, double* x, int* ultimoCorte, int* ultimoCoef,
                              int ncortes) {
  const int n = s.grafo.nlin;
  const int MAX_CORTES = s.lote.MAX_CORTES;
  DadosCicloIndSet& d = s.indSet;
  Trabalho& t = s.trabalho;
  Lote& lote = s.lote;
  int* coberto = static_cast<int*>(std::calloc(static_cast<size_t>(n) + 1, sizeof(int)));
  if (coberto == nullptr) errormsg("Main: memory allocation error.\n", 658, -1);
  compactaGrafo(s.grafo.gDup, 2 * n, 0.5, escrevePesos(s.grafo, x), d.usaveis);
  for (int v = 0; v < n; v++) t.pertence[v] = 0;
  int cortes = 0;
  if (n >= 1 && ncortes <= MAX_CORTES - 1) {
    for (int v = 0; v < n && ncortes + cortes <= MAX_CORTES - 1; v++) {
      if (v % 64 == 0 && s.prazo.passou()) break;
      if (coberto[v]) continue;
      // The same hits, lengths and walks as dijkstraS_T(v, n+v, gDup, 2n, pred,
      // 0.5); a search that cannot end below the threshold stops early.
      const double L = d.buscador.busca(v, n + v, d.usaveis, t.pred, LIMIAR_IND_SET);
      if (!(L < LIMIAR_IND_SET)) continue;
      std::fprintf(s.saida, "\nDesigualdade violada: ");
      const int j = t.leCiclo(n, v);
      if (j == 0) continue;
      lote.abreCorte(ultimoCorte, ultimoCoef, CORTE_CICLO_IND_SET);
      for (int p = 0; p < j; p++) {
        lote.poeTermo(ultimoCoef, t.ciclo[p], 1.0);
        coberto[t.ciclo[p]] = 1;
      }
      lote.fechaCorte(*ultimoCorte, j / 2);
      cortes++;
      t.limpaMarcasCiclo(j);
    }
  }
  std::free(coberto);
  return cortes;
}
