// Test helpers: load an instance from a string and read the store back as
// plain vectors.
#ifndef BCT_TESTS_GRAPH_INSTANCIAS_H
#define BCT_TESTS_GRAPH_INSTANCIAS_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "graph/grafo.h"
#include "graph/leitura.h"

// Runs `leitor` on `texto` as its input, and fills the store with the graph
// it returns, which is returned too.
inline GrafoSimples carrega(GrafoSimples (*leitor)(std::FILE*), const std::string& texto) {
  std::FILE* in = fmemopen(const_cast<char*>(texto.data()), texto.size(), "r");
  GrafoSimples g = leitor(in);
  std::fclose(in);
  carregaArmazem(g);
  return g;
}

inline GrafoSimples carregaGrafo(const std::string& texto) { return carrega(leGrafoDe, texto); }

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

// Runs `leitor` on `texto` in a child that must end with status 2, and
// returns what the child wrote on stderr.
inline std::string rejeicao(GrafoSimples (*leitor)(std::FILE*), const std::string& texto) {
  const std::string arq = ::testing::TempDir() + "bct_rejeicao_" + std::to_string(getpid());
  std::remove(arq.c_str());
  EXPECT_EXIT(
      {
        if (std::freopen(arq.c_str(), "w", stderr) == nullptr) std::_Exit(99);
        std::freopen("/dev/null", "w", stdout);
        carrega(leitor, texto);
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(2), "")
      << texto;
  std::ifstream in(arq);
  std::string mensagem((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::remove(arq.c_str());
  return mensagem;
}

#endif
