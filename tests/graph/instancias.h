// Test helpers: load an instance from a string and read the store back as
// plain vectors.
#ifndef BCT_TESTS_GRAPH_INSTANCIAS_H
#define BCT_TESTS_GRAPH_INSTANCIAS_H

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "graph/grafo.h"
#include "graph/leitura.h"

// Runs `leitor` on `texto` as its input, after releasing any earlier store.
inline void carrega(void (*leitor)(std::FILE*), const std::string& texto) {
  liberaGrafo();
  liberaMatriz();
  std::FILE* in = fmemopen(const_cast<char*>(texto.data()), texto.size(), "r");
  leitor(in);
  std::fclose(in);
}

inline void carregaGrafo(const std::string& texto) { carrega(leGrafoDe, texto); }

// The (vertice, sinal) pairs of v's gMat list, in list order.
inline std::vector<std::pair<int, int>> listaMat(int v) {
  std::vector<std::pair<int, int>> r;
  for (nodo* p = gMat[v]; p != nullptr; p = p->prox) r.emplace_back(p->vertice, p->sinal);
  return r;
}

// The heads of the arcs of v's gDup list, in list order.
inline std::vector<int> listaDup(int v) {
  std::vector<int> r;
  for (nodo2* p = gDup[v]; p != nullptr; p = p->prox) r.push_back(p->vertice);
  return r;
}

#endif
