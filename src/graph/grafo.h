// The branch-and-cut's store of a signed graph: adjacency lists of the graph
// (gMat) and of the doubled graph (gDup), in which a path from v to its copy
// nlin+v stands for a closed walk through v with the parity the arc weights
// encode.  Each solve builds its own from the graph it is given.
#ifndef BCT_GRAPH_GRAFO_H
#define BCT_GRAPH_GRAFO_H

#include <vector>

#include "graph/GrafoSimples.h"
#include "graph/blocos.h"

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

class Armazem {
 public:
  // No vertices.
  Armazem();
  // The graph g: its records when it keeps them (an instance as read),
  // otherwise its edges once each, ascending.  Each list of gMat ascends by
  // vertice, ties in record order (both ends of each record, record after
  // record); gDup has eight arcs per record that is no loop.
  explicit Armazem(const GrafoSimples& g);
  explicit Armazem(int n, const std::vector<ArestaSinal>& registros);
  ~Armazem();
  Armazem(const Armazem&) = delete;
  Armazem& operator=(const Armazem&) = delete;

  nodo** gMat = nullptr;   // nlin lists
  nodo2** gDup = nullptr;  // 2*nlin lists
  int nlin = 0;            // vertices
  int narco = 0;           // records
  int nneg = 0;            // records of sign -1
  int npos = 0;            // records of sign 1
  int nduplo = 0;          // records of sign 2

  // Calls f(w, sinal) once for each neighbour w of v, ascending, with the
  // sign of all of v's list entries for w taken together: a repeated record
  // counts once, and entries of both signs (or a double one) make a double
  // edge; 0 when no entry has a sign of the three.  Counting rules that
  // compare a count of members with the size of a set need this: entry by
  // entry, a repeated edge would count twice.
  template <class F>
  void paraCadaVizinho(int v, F&& f) const {
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

 private:
  void monta(int n, const std::vector<ArestaSinal>& registros);
  void montaListas(const std::vector<ArestaSinal>& registros);
  void geraGrafoDuplo();
  void empilhaArco(int cauda, int cabeca, int sinal);

  Blocos<nodo> nodos_;   // every element of gMat's lists
  Blocos<nodo2> arcos_;  // every element of gDup's lists
};

#endif
