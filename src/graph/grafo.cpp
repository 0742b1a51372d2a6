// The signed graph store: the global lists and counts, the ordered insertion
// the graph reader uses, the doubled graph built from gMat, and its release.
#include "graph/grafo.h"

#include <cstdlib>
#include <vector>

#include "base/erro.h"
#include "graph/GrafoSimples.h"
#include "graph/blocos.h"

nodo** gMat = nullptr;
nodo2** gDup = nullptr;
int nlin = 0, narco = 0, nneg = 0, npos = 0, nduplo = 0;

namespace {
Blocos<nodo> nodos;   // every element of gMat's lists
Blocos<nodo2> arcos;  // every element of gDup's lists
}  // namespace

nodo* novoNodo() { return nodos.novo(); }

nodo** alocaListas(int n) {
  // One spare head so that a graph without vertices still gets a real array.
  nodo** listas = static_cast<nodo**>(std::calloc(static_cast<size_t>(n) + 1, sizeof(nodo*)));
  if (listas == nullptr) errormsg("alocaListas: memory allocation error.\n", __LINE__, -1);
  return listas;
}

void insereOrdenado(int v, int vizinho, int sinal) {
  nodo* novo = novoNodo();
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

void montaListas(const int* registros, int64_t quantos) {
  // The ends are put in order by neighbour, stably (so ties keep insertion
  // order: the end in u's list before the end in w's list for each record),
  // and then dealt out to their lists in that order.
  const int n = nlin;
  const int64_t pontas = 2 * quantos;
  std::vector<int64_t> inicio(static_cast<size_t>(n) + 1, 0);
  for (int64_t k = 0; k < quantos; k++) {
    inicio[registros[3 * k + 1]]++;  // the end in u's list has neighbour w
    inicio[registros[3 * k]]++;
  }
  int64_t soma = 0;
  for (int v = 0; v <= n; v++) {
    const int64_t c = inicio[v];
    inicio[v] = soma;
    soma += c;
  }
  std::vector<int64_t> porVizinho(static_cast<size_t>(pontas));  // end index 2k (u's) or 2k+1
  for (int64_t e = 0; e < pontas; e++) {
    const int64_t k = e / 2;
    const int vizinho = (e % 2 == 0) ? registros[3 * k + 1] : registros[3 * k];
    porVizinho[inicio[vizinho]++] = e;
  }
  std::vector<nodo*> cauda(static_cast<size_t>(n), nullptr);
  for (const int64_t e : porVizinho) {
    const int64_t k = e / 2;
    const int dono = (e % 2 == 0) ? registros[3 * k] : registros[3 * k + 1];
    nodo* novo = novoNodo();
    if (novo == nullptr) errormsg("insereOrdenado: memory allocation error.\n", __LINE__, -1);
    novo->vertice = (e % 2 == 0) ? registros[3 * k + 1] : registros[3 * k];
    novo->sinal = registros[3 * k + 2];
    novo->prox = nullptr;
    if (cauda[dono] == nullptr) gMat[dono] = novo;
    else cauda[dono]->prox = novo;
    cauda[dono] = novo;
  }
}

static void empilhaArco(int cauda, int cabeca, int sinal) {
  nodo2* arco = arcos.novo();
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

void liberaGrafo() {
  std::free(gMat);
  gMat = nullptr;
  std::free(gDup);
  gDup = nullptr;
  nodos.libera();
  arcos.libera();
}

void carregaArmazem(const GrafoSimples& g) {
  liberaGrafo();
  const std::vector<ArestaSinal> arestas = g.temRegistros() ? std::vector<ArestaSinal>() : g.arestas();
  const std::vector<ArestaSinal>& registros = g.temRegistros() ? g.registros() : arestas;
  const GrafoSimples::Contagem c = g.contagem();
  nlin = g.numVertices();
  narco = c.arestas;
  nneg = c.negativas;
  npos = c.positivas;
  nduplo = c.duplas;
  std::vector<int> planos;
  planos.reserve(3 * registros.size());
  for (const ArestaSinal& a : registros) planos.insert(planos.end(), {a.u, a.w, a.sinal});
  gMat = alocaListas(nlin);
  montaListas(planos.data(), static_cast<int64_t>(registros.size()));
  geraGrafoDuplo();
}
