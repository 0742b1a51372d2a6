// The signed graph store: adjacency lists of the graph (gMat) and of the
// doubled graph (gDup), in which a path from v to its copy nlin+v stands for a
// closed walk through v with the parity the arc weights encode.
#ifndef BCT_GRAPH_GRAFO_H
#define BCT_GRAPH_GRAFO_H

#include <cstdint>

struct nodo {       // one end of an edge
  int vertice;      // the neighbour
  int sinal;        // 1 positive, -1 negative, 2 double
  nodo* prox;
};

struct nodo2 {      // one arc of the doubled graph
  int vertice;      // head of the arc, 0 .. 2*nlin-1
  int sinal;        // sign of the edge the arc comes from
  double peso;      // weight, written by each user before its search
  nodo2* prox;
};

extern nodo** gMat;   // nlin lists, each ascending by vertice
extern nodo2** gDup;  // 2*nlin lists
extern int nlin;      // vertices
extern int narco;     // edges, as declared
extern int nneg;      // edges of sign -1
extern int npos;      // edges of sign 1
extern int nduplo;    // edges of sign 2

nodo** alocaListas(int n);  // n empty list heads; exits 255 when out of memory
// Storage for one element of gMat's lists, or nullptr when memory is
// exhausted; it lives until liberaGrafo, which releases every list at once.
nodo* novoNodo();
// Fills the nlin empty lists of gMat with both ends of every record, in the
// order that inserting them one by one with insereOrdenado, record after
// record, would give: each list ascending by vertice, ties in insertion order.
// `registros` holds u, w and sinal of each record in input order.
void montaListas(const int* registros, int64_t quantos);
// Links {vizinho, sinal} into the list of v, after every element whose vertice
// is not greater (so repeated edges keep their input order).
void insereOrdenado(int v, int vizinho, int sinal);
void geraGrafoDuplo();  // builds gDup from a complete gMat

// Calls f(w, sinal) once for each neighbour w of v, ascending, with the sign
// of all of v's list entries for w taken together: a repeated record counts
// once, and entries of both signs (or a double one) make a double edge; 0
// when no entry has a sign of the three.
// Counting rules that compare a count of members with the size of a set need
// this: entry by entry, a repeated edge would count twice.
template <class F>
void paraCadaVizinho(int v, F&& f) {
  for (nodo* e = gMat[v]; e != nullptr;) {
    const int w = e->vertice;
    bool positivo = false, negativo = false;
    for (; e != nullptr && e->vertice == w; e = e->prox) {
      if (e->sinal == 1 || e->sinal == 2) positivo = true;
      if (e->sinal == -1 || e->sinal == 2) negativo = true;
    }
    f(w, positivo && negativo ? 2 : positivo ? 1 : negativo ? -1 : 0);
  }
}
void liberaGrafo();     // releases gMat and gDup (null afterwards)

class GrafoSimples;
// Replaces the store with the graph g: its records when it keeps them (an
// instance as read), otherwise its edges once each, ascending; then the
// doubled graph.
void carregaArmazem(const GrafoSimples& g);

#endif
