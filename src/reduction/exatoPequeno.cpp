// Branch-and-bound for the maximum balanced set of a small graph, as a
// maximum independent set of its doubled conflict graph in 64-bit masks.
#include "reduction/exatoPequeno.h"

#include <bit>
#include <cstdint>

namespace {

using Mascara = uint64_t;

Mascara bit(int x) { return Mascara{1} << x; }

// Copy x (bit x) puts vertex x % 32 on side 0, copy x + 32 on side 1.  Two
// copies conflict when they cannot both be chosen: the two copies of one
// vertex, the copies that would break a signed edge, all four across a
// double edge.  A balanced set with its sides is then exactly an
// independent set of copies, one per chosen vertex.
class Busca {
 public:
  explicit Busca(const GrafoSimples& g) {
    for (int x = 0; x < 64; x++) conflito_[x] = 0;
    for (int v = 0; v < g.numVertices(); v++) liga(v, v + 32);
    for (const ArestaSinal& a : g.arestas()) {
      if (a.sinal != -1) {  // positive or double: different sides conflict
        liga(a.u, a.w + 32);
        liga(a.u + 32, a.w);
      }
      if (a.sinal != 1) {  // negative or double: the same side conflicts
        liga(a.u, a.w);
        liga(a.u + 32, a.w + 32);
      }
    }
  }

  void explora(Mascara livres, Mascara atual, int tamanho) {
    // A copy with at most one conflict among the free ones is in some
    // maximum independent set of what is left, so it is taken unbranched.
    for (bool mudou = true; mudou;) {
      mudou = false;
      for (Mascara q = livres; q != 0; q &= q - 1) {
        const int x = std::countr_zero(q);
        if (!(livres & bit(x))) continue;
        const Mascara nx = conflito_[x] & livres;
        if (std::popcount(nx) <= 1) {
          atual |= bit(x);
          tamanho++;
          livres &= ~(nx | bit(x));
          mudou = true;
        }
      }
    }
    if (livres == 0) {
      if (tamanho > melhor_) {
        melhor_ = tamanho;
        melhorConjunto_ = atual;
      }
      return;
    }
    if (tamanho + limite(livres) <= melhor_) return;
    int x = -1, grauX = -1;
    for (Mascara q = livres; q != 0; q &= q - 1) {
      const int y = std::countr_zero(q);
      const int grau = std::popcount(conflito_[y] & livres);
      if (grau > grauX) {
        x = y;
        grauX = grau;
      }
    }
    explora(livres & ~conflito_[x] & ~bit(x), atual | bit(x), tamanho + 1);
    explora(livres & ~bit(x), atual, tamanho);
  }

  Mascara conflitos(int x) const { return conflito_[x]; }
  int melhor() const { return melhor_; }
  Mascara melhorConjunto() const { return melhorConjunto_; }

 private:
  void liga(int x, int y) {
    conflito_[x] |= bit(y);
    conflito_[y] |= bit(x);
  }

  // An independent set meets every clique at most once: a greedy clique
  // cover of the free copies, never worse than one clique per vertex.
  int limite(Mascara livres) const {
    const int porVertice =
        std::popcount(static_cast<uint32_t>(livres) | static_cast<uint32_t>(livres >> 32));
    int cliques = 0;
    for (Mascara resto = livres; resto != 0 && cliques < porVertice; cliques++) {
      const int x = std::countr_zero(resto);
      Mascara clique = bit(x);
      for (Mascara cand = resto & conflito_[x]; cand != 0;) {
        const int y = std::countr_zero(cand);
        clique |= bit(y);
        cand &= conflito_[y];
      }
      resto &= ~clique;
    }
    return cliques < porVertice ? cliques : porVertice;
  }

  Mascara conflito_[64];
  int melhor_ = -1;
  Mascara melhorConjunto_ = 0;
};

}  // namespace

int equilibradoMaximoPequeno(const GrafoSimples& g, int forcado, int excluido,
                             std::vector<char>& escolhido) {
  const int n = g.numVertices();
  Busca busca(g);
  Mascara livres = 0;
  for (int v = 0; v < n; v++)
    if (v != excluido) livres |= bit(v) | bit(v + 32);
  Mascara atual = 0;
  int tamanho = 0;
  if (forcado >= 0) {  // on side 0: flipping every side keeps a set balanced
    atual = bit(forcado);
    tamanho = 1;
    livres &= ~busca.conflitos(forcado) & ~bit(forcado);
  }
  busca.explora(livres, atual, tamanho);
  const Mascara m = busca.melhorConjunto();
  escolhido.assign(static_cast<size_t>(n), 0);
  for (int v = 0; v < n; v++) escolhido[v] = ((m >> v) & 1) || ((m >> (v + 32)) & 1);
  return busca.melhor();
}
