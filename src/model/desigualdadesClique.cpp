// K1K2 clique rows: two vertex sets, each pairwise joined by non-positive
// edges and joined to each other by non-negative ones, hold at most two chosen
// vertices between them.  Found once from the graph and added to the loaded
// problem as ordinary rows.
#include "model/desigualdadesClique.h"

#include <cstdio>
#include <cstdlib>

#include "base/erro.h"
#include "base/memoria.h"
#include "base/opcoes.h"
#include "graph/grafo.h"
#include "model/modelo.h"
#include "separation/lote.h"

int nCliqueSigIF = 0;

int montaLinhasK1K2(char* qr, double* rhs, int* ms, int* mc, double* dv,
                    int* elementos) {
  const int n = nlin;
  int* count = static_cast<int*>(aloca(n, sizeof(int), 1268));
  int* base = static_cast<int*>(aloca(n, sizeof(int), 1270));
  int** coberto = static_cast<int**>(aloca(n, sizeof(int*), 1272));
  for (int i = 0; i < n; i++) {
    coberto[i] = static_cast<int*>(std::calloc(n, sizeof(int)));
    if (coberto[i] == nullptr) errormsg("Main: memory allocation error.\n", 1276, -1);
  }
  int* membros = static_cast<int*>(aloca(n, sizeof(int), 1281));

  int linhas = 0, elems = 0;
  for (int k = 0; k < n && linhas < n; k++) {
    for (int w = 0; w < n; w++) base[w] = 0;
    for (nodo* e = gMat[k]; e != nullptr; e = e->prox) {
      if (e->sinal == 1) base[e->vertice] = n + 1;
      else base[e->vertice]++;
    }
    for (nodo* e = gMat[k]; e != nullptr; e = e->prox) {
      const int j = e->vertice;
      if (j >= k || linhas >= n) break;
      if (e->sinal != -1 || coberto[j][k]) continue;

      for (int w = 0; w < n; w++) count[w] = base[w];
      for (nodo* f = gMat[j]; f != nullptr; f = f->prox) {
        const int w = f->vertice;
        if (f->sinal == -1) { if (count[w] < n) count[w]++; }
        else if (f->sinal == 1) { if (count[w] > n) count[w]++; }
        else if (f->sinal == 2) count[w]++;
      }
      count[k] = -1;
      count[j] = -1;
      membros[0] = k;
      membros[1] = j;
      int t = 2;

      // K1: joined to k by a non-positive edge and to every other K1 member
      // by a negative or double one.
      for (int l = 0; l < n; l++) {
        if (count[l] != t) continue;
        if (t == 2) coberto[j][k] = coberto[k][j] = 1;
        membros[t++] = l;
        count[l] = -1;
        for (nodo* f = gMat[l]; f != nullptr; f = f->prox) {
          const int w = f->vertice;
          if ((f->sinal == -1 && count[w] < n) || (f->sinal == 1 && count[w] > n) ||
              f->sinal == 2) {
            if (count[w] == -1) coberto[l][w] = coberto[w][l] = 1;
            else count[w]++;
          }
        }
      }

      // K2: joined positively (or doubly) to all of K1 and non-positively to
      // every earlier K2 member.
      int m = 0;
      for (int f = 0; f < n; f++) {
        if (count[f] != n + t + m) continue;
        if (t == 2) coberto[j][k] = coberto[k][j] = 1;
        membros[t + m] = f;
        m++;
        count[f] = -2;
        for (nodo* g = gMat[f]; g != nullptr; g = g->prox) {
          if (g->sinal == 1) continue;
          const int w = g->vertice;
          if (count[w] == -2) coberto[f][w] = coberto[w][f] = 1;
          else count[w]++;
        }
      }

      if (t + m > 3) {
        qr[linhas] = 'L';
        rhs[linhas] = 2.0;
        ms[linhas] = elems;
        for (int i = 0; i < t + m; i++) {
          mc[elems] = membros[i];
          dv[elems] = 1.0;
          elems++;
        }
        linhas++;
      }
    }
  }
  ms[linhas] = elems;

  std::free(membros);
  for (int i = 0; i < n; i++) std::free(coberto[i]);
  std::free(coberto);
  std::free(base);
  std::free(count);
  *elementos = elems;
  return linhas;
}

void gerarDesigualdadesClique() {
  const size_t n = static_cast<size_t>(nlin);
  qrtype = static_cast<char*>(aloca(n, sizeof(char), 1256));
  drhs = static_cast<double*>(aloca(n, sizeof(double), 1258));
  mstart = static_cast<int*>(aloca(n + 1, sizeof(int), 1260));
  mcols = static_cast<int*>(aloca(n * n, sizeof(int), 1262));
  dmatval = static_cast<double*>(aloca(n * n, sizeof(double), 1264));

  int elementos = 0;
  const int linhas = montaLinhasK1K2(qrtype, drhs, mstart, mcols, dmatval, &elementos);

  if (RELATA_MODELO) std::printf("Total de desigualdades clique K1K2: %d\n", linhas);
  testaRetorno(XPRSaddrows(prob, linhas, elementos, qrtype, drhs, nullptr, mstart, mcols, dmatval),
               "Cortes: erro na chamada da rotina XPRSaddrows.\n", 1452);
  nCliqueSigIF = linhas;

  std::free(qrtype);
  std::free(drhs);
  std::free(mstart);
  std::free(mcols);
  std::free(dmatval);
  qrtype = nullptr;
  drhs = nullptr;
  mstart = nullptr;
  mcols = nullptr;
  dmatval = nullptr;
}
