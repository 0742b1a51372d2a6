// The reduction's worker: a worklist of vertices to examine, the local rules
// at one vertex, the leaf-block pass and the final split into pieces, all
// over a mutable copy of the input; results go into the Reducao it serves.
#ifndef BCT_REDUCTION_REDUTOR_H
#define BCT_REDUCTION_REDUTOR_H

#include <vector>

#include "base/relogio.h"
#include "reduction/Reducao.h"
#include "reduction/grafoMutavel.h"

class Redutor {
 public:
  Redutor(const GrafoSimples& g, const Prazo& prazo, Reducao& saida);
  void executa();     // rules until none applies or the deadline passes
  void separaPecas();  // the live graph's components become the pieces

 private:
  bool prazoPassou();
  // Marks v for another look by the local rules and for the next leaf-block
  // pass, after its neighbourhood (or the edges among its neighbours) changed.
  void tocar(int v);
  void retira(int v, Reducao::Destino destino);
  void toma(int v) { retira(v, Reducao::Destino::tomado); r_.valorFixo_++; }
  void descarta(int v) { retira(v, Reducao::Destino::descartado); }

  // Local rules (regrasLocais.cpp).
  void aplicaRegrasLocais(int v);
  void regraGrau1(int v);
  bool regraGrau2(int v);
  bool regraSimplicial(int v);
  bool regraDominacao(int v);
  bool podeSubstituir(int u, int v);

  // Leaf blocks (blocosFolha.cpp).
  bool passaBlocos();
  void decompoe(int raiz);
  bool podaFolhas();
  void resolveBloco(int b, int corte);
  int tamanhoBloco(int b) const { return blocoInicio_[b + 1] - blocoInicio_[b]; }

  GrafoMutavel g_;
  Reducao& r_;
  Prazo prazo_;
  bool esgotado_ = false;
  unsigned passos_ = 0;
  std::vector<int> fila_;
  std::vector<char> naFila_;
  std::vector<char> estavel_;  // its component had no leaf block to solve and has not changed since

  // Scratch of the leaf-block pass.  ordem_ (DFS number within the
  // component, -1 unseen) doubles as the local index of a vertex.
  std::vector<int> ordem_, menor_, pai_;
  std::vector<int> visitados_;   // every vertex numbered in this pass
  std::vector<int> componente_;  // the current component, in DFS order
  std::vector<int> blocoInicio_, blocoVertice_;
  std::vector<int> nBlocos_;      // by local index: blocks not yet solved that hold it
  std::vector<int> listaInicio_, listaBloco_;  // by local index: every block that holds it
  std::vector<int> cortes_;       // by block: its vertices in more than one block
  std::vector<char> resolvido_;   // by block
  std::vector<int> localBloco_;   // by vertex: index in the block being solved, or -1
};

#endif
