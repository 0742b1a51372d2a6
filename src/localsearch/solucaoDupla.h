// The doubled conflict graph of a signed graph, kept implicit, and an
// independent set of it with the counts a swap-based local search reads in
// constant time: how many set members each copy conflicts with, which one
// when it is only one, and the copies split into members, free copies and
// the rest.  Copy 2v+s stands for vertex v on side s.
#ifndef BCT_LOCALSEARCH_SOLUCAODUPLA_H
#define BCT_LOCALSEARCH_SOLUCAODUPLA_H

#include <cstdint>
#include <span>
#include <vector>

#include "graph/GrafoSimples.h"

namespace buscaLocal {

// One code per conflict of a vertex, shared by its two copies: copy x meets
// copy code ^ (x & 1).  A positive edge to w gives 2w+1 (the other side), a
// negative one 2w (the same side), a double edge both; and every copy meets
// its mirror x ^ 1.  So the conflict graph costs less than the signed graph.
class GrafoDuplo {
 public:
  explicit GrafoDuplo(const GrafoSimples& g);

  int numCopias() const { return 2 * (static_cast<int>(inicio_.size()) - 1); }
  int grau(int x) const {  // conflicts of a copy, its mirror included
    return 1 + static_cast<int>(inicio_[(x >> 1) + 1] - inicio_[x >> 1]);
  }
  std::span<const int> codigos(int v) const {  // those of vertex v
    return {codigo_.data() + inicio_[v], static_cast<size_t>(inicio_[v + 1] - inicio_[v])};
  }
  template <class F>
  void paraVizinhos(int x, F&& f) const {
    f(x ^ 1);
    const int s = x & 1;
    const int* c = codigo_.data();
    for (int64_t k = inicio_[x >> 1], fim = inicio_[(x >> 1) + 1]; k < fim; k++) f(c[k] ^ s);
  }

 private:
  std::vector<int64_t> inicio_;
  std::vector<int> codigo_;
};

// An independent set of the conflict graph.  The copies sit in one array in
// three runs, members then free copies (no member conflict) then the rest,
// and the vertices in another, those with a member copy first, so that a
// member, a free copy, an outside copy or a vertex out of the set is drawn
// in constant time.  Every change may be logged and undone; the members
// whose swap neighbourhood grew are gathered as candidates for the local
// search.
class SolucaoDupla {
 public:
  explicit SolucaoDupla(const GrafoDuplo& h);

  int tamanho() const { return nSol_; }
  bool membro(int x) const { return pos_[x] < nSol_; }
  int aperto(int x) const { return cont_[x].aperto; }  // members it conflicts with
  // The member an outside copy of aperto 1 conflicts with: the xor of its
  // member neighbours, kept by every move, is then that one member, and no
  // list has to be scanned to find it.
  int unicoMembro(int x) const { return cont_[x].xorMembros; }
  int numLivres() const { return nLivre_; }
  int livre(int i) const { return perm_[nSol_ + i]; }
  int numFora() const { return static_cast<int>(perm_.size()) - nSol_; }
  int fora(int i) const { return perm_[nSol_ + i]; }
  int membroNa(int i) const { return perm_[i]; }
  // Vertices with neither copy in the set.
  int numVerticesFora() const { return static_cast<int>(vertice_.size()) - nSol_; }
  int verticeFora(int i) const { return vertice_[nSol_ + i]; }

  void insere(int x);  // x must be free
  void remove(int x);  // x must be a member

  // From registra() on, every change is logged; desfaz() takes the set back
  // to where the log began, esquece() keeps it as it is.
  void registra() {
    registro_.clear();
    registrando_ = true;
  }
  void esquece() {
    registro_.clear();
    registrando_ = false;
  }
  void desfaz();

  // Members whose copies of aperto 1 may have changed since they were last
  // taken.
  bool temCandidato() const { return !candidatos_.empty(); }
  int tiraCandidato(size_t i);  // i below numCandidatos()
  size_t numCandidatos() const { return candidatos_.size(); }
  void esqueceCandidatos();

  // Adjacency entries visited so far; the caller reads it to space its
  // clock checks by work done rather than by moves.
  int64_t trabalho() const { return trabalho_; }
  void somaTrabalho(int64_t t) { trabalho_ += t; }

  // Side of each vertex (-1 out) as the set stands.
  std::vector<signed char> lados() const;
  // Writes into `lado` the sides of the vertices moved since the last call,
  // so that a copy of the set kept by the caller costs the moves, not n.
  void passaMudancas(std::vector<signed char>& lado);

 private:
  void troca(int p, int q);
  void trocaVertice(int p, int q);
  void candidato(int x);
  void mudou(int v) {
    if (mudou_[v]) return;
    mudou_[v] = 1;
    mudados_.push_back(v);
  }

  const GrafoDuplo& h_;
  std::vector<int> perm_, pos_;
  std::vector<int> vertice_, posVertice_;  // vertices in the set first
  // Side by side, as every move reads and writes both for each neighbour.
  struct Contagem {
    int aperto = 0;
    int xorMembros = 0;  // the members it conflicts with, xor-ed
  };
  std::vector<Contagem> cont_;
  int nSol_ = 0, nLivre_ = 0;
  std::vector<int> registro_;  // x + 1 inserted, -(x + 1) removed
  bool registrando_ = false;
  std::vector<int> candidatos_;
  std::vector<char> ehCandidato_;
  int64_t trabalho_ = 0;
  std::vector<int> mudados_;
  std::vector<char> mudou_;
};

}  // namespace buscaLocal

#endif
