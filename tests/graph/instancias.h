// Test helpers: read an instance from a string, build the store of the graph
// read, and read the store back as plain vectors.
#ifndef BCT_TESTS_GRAPH_INSTANCIAS_H
#define BCT_TESTS_GRAPH_INSTANCIAS_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "graph/grafo.h"
#include "graph/leitura.h"

using Leitora = GrafoSimples (*)(std::FILE*, const Prazo&);

// Runs `leitor` on `texto` as its input, with no deadline; the graph it
// returns.
inline GrafoSimples le(Leitora leitor, const std::string& texto) {
  std::FILE* in = fmemopen(const_cast<char*>(texto.data()), texto.size(), "r");
  GrafoSimples g = leitor(in, Prazo());
  std::fclose(in);
  return g;
}

// The (vertice, sinal) pairs of v's gMat list, in list order.
inline std::vector<std::pair<int, int>> listaMat(const Armazem& a, int v) {
  std::vector<std::pair<int, int>> r;
  for (nodo* p = a.gMat[v]; p != nullptr; p = p->prox) r.emplace_back(p->vertice, p->sinal);
  return r;
}

// The heads of the arcs of v's gDup list, in list order.
inline std::vector<int> listaDup(const Armazem& a, int v) {
  std::vector<int> r;
  for (nodo2* p = a.gDup[v]; p != nullptr; p = p->prox) r.push_back(p->vertice);
  return r;
}

// A test's store: the graph read or given, its store, and the store's lists
// and counts under their own names.
class ComArmazem : public ::testing::Test {
 protected:
  const GrafoSimples& carrega(Leitora leitor, const std::string& texto) {
    return usa(le(leitor, texto));
  }
  const GrafoSimples& carregaGrafo(const std::string& texto) { return carrega(leGrafoDe, texto); }
  const GrafoSimples& usa(GrafoSimples g) {
    grafo_ = std::move(g);
    armazem_ = std::make_unique<Armazem>(grafo_);
    gMat = armazem_->gMat;
    gDup = armazem_->gDup;
    nlin = armazem_->nlin;
    narco = armazem_->narco;
    nneg = armazem_->nneg;
    npos = armazem_->npos;
    nduplo = armazem_->nduplo;
    return grafo_;
  }
  std::vector<std::pair<int, int>> listaMat(int v) const { return ::listaMat(*armazem_, v); }
  std::vector<int> listaDup(int v) const { return ::listaDup(*armazem_, v); }

  GrafoSimples grafo_;
  std::unique_ptr<Armazem> armazem_;
  nodo** gMat = nullptr;
  nodo2** gDup = nullptr;
  int nlin = 0, narco = 0, nneg = 0, npos = 0, nduplo = 0;
};

// Runs `leitor` on `texto` in a child that must end with status 2, and
// returns what the child wrote on stderr.
inline std::string rejeicao(Leitora leitor, const std::string& texto) {
  const std::string arq = ::testing::TempDir() + "bct_rejeicao_" + std::to_string(getpid());
  std::remove(arq.c_str());
  EXPECT_EXIT(
      {
        if (std::freopen(arq.c_str(), "w", stderr) == nullptr) std::_Exit(99);
        std::freopen("/dev/null", "w", stdout);
        le(leitor, texto);
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
