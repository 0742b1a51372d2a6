// The signed graph store: the global lists and counts, the ordered insertion
// the graph reader uses, the doubled graph built from gMat, and its release.
#include "graph/grafo.h"

#include <cstdlib>

#include "base/erro.h"

nodo** gMat = nullptr;
nodo2** gDup = nullptr;
int nlin = 0, narco = 0, nneg = 0, npos = 0, nduplo = 0;

nodo** alocaListas(int n) {
  // One spare head so that a graph without vertices still gets a real array.
  nodo** listas = static_cast<nodo**>(std::calloc(static_cast<size_t>(n) + 1, sizeof(nodo*)));
  if (listas == nullptr) errormsg("alocaListas: memory allocation error.\n", __LINE__, -1);
  return listas;
}

void insereOrdenado(int v, int vizinho, int sinal) {
  nodo* novo = static_cast<nodo*>(std::malloc(sizeof(nodo)));
  if (novo == nullptr) errormsg("insereOrdenado: memory allocation error.\n", __LINE__, -1);
  novo->vertice = vizinho;
  novo->sinal = sinal;
  // Past every element not greater than the new one, so that a repeated edge
  // lands after its earlier copies.
  nodo** elo = &gMat[v];
  while (*elo != nullptr && (*elo)->vertice <= vizinho) elo = &(*elo)->prox;
  novo->prox = *elo;
  *elo = novo;
}

static void empilhaArco(int cauda, int cabeca, int sinal) {
  nodo2* arco = static_cast<nodo2*>(std::malloc(sizeof(nodo2)));
  if (arco == nullptr) errormsg("geraGrafoDuplo: memory allocation error.\n", __LINE__, -1);
  arco->vertice = cabeca;
  arco->sinal = sinal;
  arco->peso = 0.0;
  arco->prox = gDup[cauda];
  gDup[cauda] = arco;
}

void geraGrafoDuplo() {
  const int n = nlin;
  gDup = static_cast<nodo2**>(std::calloc(2 * static_cast<size_t>(n) + 1, sizeof(nodo2*)));
  if (gDup == nullptr) errormsg("geraGrafoDuplo: memory allocation error.\n", __LINE__, -1);
  for (int v = 0; v < n; v++) {
    // Each edge is taken from its larger endpoint only; loops never enter.
    for (nodo* p = gMat[v]; p != nullptr && p->vertice < v; p = p->prox) {
      const int j = p->vertice, s = p->sinal;
      empilhaArco(v, j, s);
      empilhaArco(j, v, s);
      empilhaArco(n + v, n + j, s);
      empilhaArco(n + j, n + v, s);
      empilhaArco(v, n + j, s);
      empilhaArco(n + j, v, s);
      empilhaArco(j, n + v, s);
      empilhaArco(n + v, j, s);
    }
  }
}

namespace {

template <class No>
void liberaListas(No**& listas, int count) {
  if (listas == nullptr) return;
  for (int v = 0; v < count; v++) {
    for (No* p = listas[v]; p != nullptr;) {
      No* prox = p->prox;
      std::free(p);
      p = prox;
    }
  }
  std::free(listas);
  listas = nullptr;
}

}  // namespace

void liberaGrafo() {
  liberaListas(gMat, nlin);
  liberaListas(gDup, 2 * nlin);
}
