// The rules that look at one vertex and its neighbourhood.  Each keeps the
// optimum: optimum(before) = what it adds to the fixed value + optimum(after),
// and each says how a balanced set of the graph after it becomes one of the
// graph before it with that many more vertices (what Reducao::reconstroi does).
#include "reduction/redutor.h"

namespace {
// Above these degrees a vertex is not checked as simplicial, nor as the one
// that stands in for another across a double edge: the first check costs
// the square of the degree, the second the degree, both run again whenever
// the vertex's neighbourhood changes, and hubs of sparse networks are rarely
// either.  Skipping a check only leaves a bigger piece.
constexpr int GRAU_MAX_SIMPLICIAL = 64;
constexpr int GRAU_MAX_SUBSTITUTO = 4096;
}  // namespace

void Redutor::aplicaRegrasLocais(int v) {
  const int grau = g_.grau(v);
  if (grau == 0) {
    // Isolated: any balanced set of the rest plus v is balanced.
    toma(v);
    r_.contagem_[Reducao::isolado]++;
  } else if (grau == 1) {
    regraGrau1(v);
  } else if (!regraGrau2(v) && !regraSimplicial(v)) {
    regraDominacao(v);
  }
}

void Redutor::regraGrau1(int v) {
  const Ponta p = g_.vizinhos(v)[0];
  const int a = p.vizinho;
  if (g_.sinalAresta(p.aresta) != 2) {
    // One single-signed edge: v can join any balanced set of the rest, on
    // the side its edge asks of a (on any side when a is out).
    toma(v);
    r_.contagem_[Reducao::grau1]++;
  } else {
    // Only a double edge to a: in a balanced set a can be swapped for v
    // (v then has no neighbour in it) and v added when neither is in, so
    // some optimum holds v and not a; the rest is free.
    toma(v);
    descarta(a);
    r_.contagem_[Reducao::grau1Dupla]++;
  }
}

bool Redutor::regraGrau2(int v) {
  if (g_.grau(v) != 2) return false;
  const std::vector<Ponta>& viz = g_.vizinhos(v);
  const int a = viz[0].vizinho, b = viz[1].vizinho;
  const int sa = g_.sinalAresta(viz[0].aresta), sb = g_.sinalAresta(viz[1].aresta);
  if (sa == 2 || sb == 2) return false;
  // v with single-signed edges to a and b only: v taken, and a-b joined by
  // an edge of sign p = sa*sb merged with theirs (same sign stays, else
  // double).  Some optimum S holds v: if v is out and a, b are not both
  // in, S + v is balanced; if they are both in, S + v is balanced when they
  // relate as p says, else S - a + v is.  S - v is then balanced after the
  // rule: a and b, when both in, relate as p says (through v), so their old
  // edge (if any) had sign p and the merged one still does.  Back: from a
  // balanced S' after the rule, S' is balanced before (the edge a-b is p or
  // absent there when both are in S'), and v joins it on the side that a
  // asks, which is the side b asks since a and b relate as p says.
  const int p = sa * sb;
  toma(v);
  const int antes = g_.junta(a, b, p);
  r_.contagem_[Reducao::grau2]++;
  if (antes == g_.sinal(a, b)) return true;  // it was already p, or double
  // A new or changed edge a-b can make a common neighbour simplicial; the
  // common neighbours are among those of the endpoint of lower degree.
  const int menor = g_.grau(a) <= g_.grau(b) ? a : b;
  for (const Ponta& q : g_.vizinhos(menor)) tocar(q.vizinho);
  return true;
}

bool Redutor::regraSimplicial(int v) {
  const int grau = g_.grau(v);
  if (grau > GRAU_MAX_SIMPLICIAL) return false;
  const bool tudoDuplo = g_.duplas(v) == grau;
  if (g_.duplas(v) > 0 && !tudoDuplo) return false;
  const std::vector<Ponta>& viz = g_.vizinhos(v);
  for (const Ponta& p : viz)  // each is adjacent to v and to the grau-1 others
    if (g_.grau(p.vizinho) < grau) return false;
  for (size_t i = 0; i < viz.size(); i++)
    for (size_t j = i + 1; j < viz.size(); j++) {
      const int s = g_.sinal(viz[i].vizinho, viz[j].vizinho);
      const int pedido = tudoDuplo ? 2 : g_.sinalAresta(viz[i].aresta) * g_.sinalAresta(viz[j].aresta);
      if (s != pedido && !(s == 2 && !tudoDuplo)) return false;
    }
  if (!tudoDuplo) {
    // Signed simplicial: in any balanced set, the neighbours of v in it are
    // pairwise joined by single edges, so each pair relates as the product
    // of their signs to v says; v then fits on the side any one of them
    // asks, and that side suits all.  Some optimum holds v, and any
    // balanced set of the rest takes v back.
    toma(v);
    r_.contagem_[Reducao::simplicial]++;
  } else {
    // Double clique: v and its neighbours are pairwise double, so a
    // balanced set holds at most one of them; swapping it for v (whose
    // neighbours are then all out) keeps the set balanced.  Some optimum
    // holds v and none of its neighbours.
    const std::vector<Ponta> vizinhos = viz;
    toma(v);
    for (const Ponta& p : vizinhos) descarta(p.vizinho);
    r_.contagem_[Reducao::cliqueDupla]++;
  }
  return true;
}

// Whether u can stand in for v across their double edge u-v: for one s in
// {1, -1}, every other neighbour w of u is a neighbour of v with
// sign(v,w) = s*sign(u,w), or by a double edge (when u-w is double, v-w must
// be too).  Then in a balanced set S holding v (hence not u), S - v + u is
// balanced with u on the side s relates to v's: a neighbour w of u in S is
// joined to v by a single edge (S is balanced) of sign s*sign(u,w), so u and
// w relate as sign(u,w) says; u has no other neighbour in S.
bool Redutor::podeSubstituir(int u, int v) {
  if (g_.grau(u) > g_.grau(v) || g_.grau(u) > GRAU_MAX_SUBSTITUTO) return false;
  int s = 0;
  for (const Ponta& p : g_.vizinhos(u)) {
    const int w = p.vizinho;
    if (w == v) continue;
    const int sv = g_.sinal(v, w);
    const int su = g_.sinalAresta(p.aresta);
    if (sv == 0) return false;
    if (su == 2) {
      if (sv != 2) return false;
    } else if (sv != 2) {
      if (s == 0) s = su * sv;
      else if (s != su * sv) return false;
    }
  }
  return true;
}

bool Redutor::regraDominacao(int v) {
  // Double-edge domination: when u can stand in for v, some optimum leaves
  // v out, and dropping it changes nothing else.
  if (g_.duplas(v) == 0) return false;
  const std::vector<int> duplos = g_.vizinhosDuplos(v);
  for (const int u : duplos) {
    if (podeSubstituir(u, v)) {
      descarta(v);
      r_.contagem_[Reducao::dominacaoDupla]++;
      return true;
    }
    if (podeSubstituir(v, u)) {
      descarta(u);  // v is woken again as u's neighbour
      r_.contagem_[Reducao::dominacaoDupla]++;
      return true;
    }
  }
  return false;
}
