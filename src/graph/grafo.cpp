// The store: its lists built from the records, the doubled graph, and their
// release.
#include "graph/grafo.h"

#include <cstdlib>

#include "base/erro.h"

namespace {

nodo** alocaListas(int n) {
  // One spare head so that a graph without vertices still gets a real array.
  nodo** listas = static_cast<nodo**>(std::calloc(static_cast<size_t>(n) + 1, sizeof(nodo*)));
  if (listas == nullptr) errormsg("alocaListas: memory allocation error.\n", __LINE__, -1);
  return listas;
}

}  // namespace

Armazem::Armazem() { monta(0, {}); }

Armazem::Armazem(const GrafoSimples& g) {
  if (g.temRegistros()) monta(g.numVertices(), g.registros());
  else monta(g.numVertices(), g.arestas());
}

Armazem::Armazem(int n, const std::vector<ArestaSinal>& registros) { monta(n, registros); }

Armazem::~Armazem() {
  std::free(gMat);
  std::free(gDup);
}

void Armazem::monta(int n, const std::vector<ArestaSinal>& registros) {
  nlin = n;
  narco = static_cast<int>(registros.size());
  nneg = npos = nduplo = 0;
  for (const ArestaSinal& a : registros) {
    if (a.sinal == 2) nduplo++;
    else if (a.sinal == -1) nneg++;
    else npos++;
  }
  gMat = alocaListas(nlin);
  montaListas(registros);
  geraGrafoDuplo();
}

void Armazem::montaListas(const std::vector<ArestaSinal>& registros) {
  // The ends are put in order by neighbour, stably (so ties keep insertion
  // order: the end in u's list before the end in w's list for each record),
  // and then dealt out to their lists in that order: the lists that
  // inserting the ends one by one, each after every element not greater,
  // would give.
  const int n = nlin;
  const int64_t quantos = static_cast<int64_t>(registros.size());
  const int64_t pontas = 2 * quantos;
  std::vector<int64_t> inicio(static_cast<size_t>(n) + 1, 0);
  for (const ArestaSinal& a : registros) {
    inicio[a.w]++;  // the end in u's list has neighbour w
    inicio[a.u]++;
  }
  int64_t soma = 0;
  for (int v = 0; v <= n; v++) {
    const int64_t c = inicio[v];
    inicio[v] = soma;
    soma += c;
  }
  std::vector<int64_t> porVizinho(static_cast<size_t>(pontas));  // end index 2k (u's) or 2k+1
  for (int64_t e = 0; e < pontas; e++) {
    const ArestaSinal& a = registros[e / 2];
    porVizinho[inicio[e % 2 == 0 ? a.w : a.u]++] = e;
  }
  std::vector<nodo*> cauda(static_cast<size_t>(n), nullptr);
  for (const int64_t e : porVizinho) {
    const ArestaSinal& a = registros[e / 2];
    const int dono = e % 2 == 0 ? a.u : a.w;
    nodo* novo = nodos_.novo();
    if (novo == nullptr) errormsg("insereOrdenado: memory allocation error.\n", __LINE__, -1);
    novo->vertice = e % 2 == 0 ? a.w : a.u;
    novo->sinal = a.sinal;
    novo->prox = nullptr;
    if (cauda[dono] == nullptr) gMat[dono] = novo;
    else cauda[dono]->prox = novo;
    cauda[dono] = novo;
  }
}

void Armazem::empilhaArco(int cauda, int cabeca, int sinal) {
  nodo2* arco = arcos_.novo();
  if (arco == nullptr) errormsg("geraGrafoDuplo: memory allocation error.\n", __LINE__, -1);
  arco->vertice = cabeca;
  arco->sinal = sinal;
  arco->peso = 0.0;
  arco->prox = gDup[cauda];
  gDup[cauda] = arco;
}

void Armazem::geraGrafoDuplo() {
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
