// Leaf blocks: a biconnected block that meets the rest of its component in
// one cut vertex c, small enough to be solved exactly twice, is replaced by
// its value; a component that is (or is peeled down to) one small block is
// solved outright.
//
// Let B be the block, a the optimum of B - c and b the optimum of B with c
// forced in (counting c); b <= a + 1, and B - c has no edge to the rest R
// (which holds c).
//  - b = a + 1: optimum(G) = a + optimum(R).  A set of G meets B - c in at
//    most a vertices and R in a balanced set of R.  Back: an optimal set of
//    R holding c, with the solution of b flipped so that c agrees (the two
//    share only c and no edge), or one without c beside the solution of a.
//  - b <= a: optimum(G) = a + optimum(R - c).  A set of G meets B in at most
//    max(a, b) = a vertices and R - c in a balanced set of it.  Back: any
//    set of R - c beside the solution of a (no edge between them).
// Only the separation by c is used, so a block found in this pass stays
// valid while its vertices live, whatever else the pass removes.
#include <algorithm>

#include "reduction/exatoPequeno.h"
#include "reduction/redutor.h"

namespace {
// Blocks up to the small search's limit are solved: two searches, each well
// under a millisecond on random graphs of 32 vertices of any density, and
// each removing at least one vertex for good.  Real networks have leaf
// blocks of 3 to 10 vertices after the local rules.
constexpr int MAX_BLOCO = MAX_VERTICES_EXATO;
}  // namespace

bool Redutor::passaBlocos() {
  bool mudou = false;
  const int n = g_.numVertices();
  for (int r = 0; r < n && !esgotado_; r++) {
    if (!g_.vivo(r) || estavel_[r] || ordem_[r] >= 0) continue;
    decompoe(r);
    for (const int v : componente_) estavel_[v] = 1;  // until something here changes
    if (podaFolhas()) mudou = true;
  }
  for (const int v : visitados_) ordem_[v] = -1;
  visitados_.clear();
  return mudou;
}

// Hopcroft and Tarjan's blocks with explicit stacks (components of 10^5
// vertices would overflow the call stack).
void Redutor::decompoe(int raiz) {
  componente_.clear();
  blocoInicio_.assign(1, 0);
  blocoVertice_.clear();
  std::vector<int> pilha;                      // vertices not yet in a block
  std::vector<std::pair<int, size_t>> quadros;  // the DFS path: vertex, next neighbour
  int proximo = 0;
  auto visita = [&](int v, int pai) {
    ordem_[v] = menor_[v] = proximo++;
    pai_[v] = pai;
    componente_.push_back(v);
    visitados_.push_back(v);
    pilha.push_back(v);
    quadros.push_back({v, 0});
  };
  visita(raiz, -1);
  while (!quadros.empty()) {
    const int v = quadros.back().first;
    const std::vector<Ponta>& viz = g_.vizinhos(v);
    if (quadros.back().second < viz.size()) {
      const int w = viz[quadros.back().second++].vizinho;
      if (ordem_[w] < 0) visita(w, v);
      else if (w != pai_[v]) menor_[v] = std::min(menor_[v], ordem_[w]);
      continue;
    }
    quadros.pop_back();
    if (quadros.empty()) break;
    const int p = quadros.back().first;
    menor_[p] = std::min(menor_[p], menor_[v]);
    if (menor_[v] >= ordem_[p]) {  // p separates v's subtree: a block
      int x;
      do {
        x = pilha.back();
        pilha.pop_back();
        blocoVertice_.push_back(x);
      } while (x != v);
      blocoVertice_.push_back(p);
      blocoInicio_.push_back(static_cast<int>(blocoVertice_.size()));
    }
  }
}

bool Redutor::podaFolhas() {
  const int k = static_cast<int>(componente_.size());
  const int nb = static_cast<int>(blocoInicio_.size()) - 1;
  if (nb == 0) return false;  // a lone vertex, left to the local rules
  nBlocos_.assign(static_cast<size_t>(k), 0);
  for (const int x : blocoVertice_) nBlocos_[ordem_[x]]++;
  listaInicio_.assign(static_cast<size_t>(k) + 1, 0);
  for (int i = 0; i < k; i++) listaInicio_[i + 1] = listaInicio_[i] + nBlocos_[i];
  listaBloco_.resize(blocoVertice_.size());
  std::vector<int> livre(listaInicio_.begin(), listaInicio_.end() - 1);
  cortes_.assign(static_cast<size_t>(nb), 0);
  resolvido_.assign(static_cast<size_t>(nb), 0);
  std::vector<int> folhas;
  for (int b = 0; b < nb; b++) {
    for (int i = blocoInicio_[b]; i < blocoInicio_[b + 1]; i++) {
      const int x = ordem_[blocoVertice_[i]];
      listaBloco_[livre[x]++] = b;
      if (nBlocos_[x] >= 2) cortes_[b]++;
    }
    if (cortes_[b] <= 1 && tamanhoBloco(b) <= MAX_BLOCO) folhas.push_back(b);
  }
  // Solving a leaf can make its cut vertex's last other block a leaf: the
  // block tree is peeled from its leaves inward.
  bool mudou = false;
  while (!folhas.empty()) {
    const int b = folhas.back();
    folhas.pop_back();
    if (resolvido_[b]) continue;
    int corte = -1, nCortes = 0;
    bool vivo = true;
    for (int i = blocoInicio_[b]; i < blocoInicio_[b + 1]; i++) {
      const int x = blocoVertice_[i];
      if (!g_.vivo(x)) vivo = false;
      else if (nBlocos_[ordem_[x]] >= 2) {
        corte = x;
        nCortes++;
      }
    }
    // A dead vertex: the block met a cut vertex that a solved block took
    // away; its remains wait for the next pass (their neighbours were woken).
    if (!vivo || nCortes > 1) continue;
    if (prazoPassou()) break;
    resolveBloco(b, corte);
    mudou = true;
    if (corte < 0 || !g_.vivo(corte)) continue;  // no cut vertex left behind
    const int c = ordem_[corte];
    if (--nBlocos_[c] != 1) continue;
    for (int i = listaInicio_[c]; i < listaInicio_[c + 1]; i++) {
      const int outro = listaBloco_[i];
      if (resolvido_[outro]) continue;
      if (--cortes_[outro] <= 1 && tamanhoBloco(outro) <= MAX_BLOCO) folhas.push_back(outro);
    }
  }
  return mudou;
}

void Redutor::resolveBloco(int b, int corte) {
  const std::vector<int> vertices(blocoVertice_.begin() + blocoInicio_[b],
                                  blocoVertice_.begin() + blocoInicio_[b + 1]);
  const int k = static_cast<int>(vertices.size());
  for (int i = 0; i < k; i++) localBloco_[vertices[i]] = i;
  // Every edge at a vertex other than the cut vertex lies in the block.
  std::vector<ArestaSinal> arestas;
  for (int i = 0; i < k; i++)
    for (const Ponta& p : g_.vizinhos(vertices[i]))
      if (localBloco_[p.vizinho] > i)
        arestas.push_back({i, localBloco_[p.vizinho], g_.sinalAresta(p.aresta)});
  const GrafoSimples bloco(k, arestas);
  const int c = corte < 0 ? -1 : localBloco_[corte];
  for (const int x : vertices) localBloco_[x] = -1;
  resolvido_[b] = 1;

  Reducao::Bloco registro;
  registro.corte = -1;
  const int a = equilibradoMaximoPequeno(bloco, -1, c, registro.semCorte);
  std::vector<char> comCorte;
  const bool corteFica = c >= 0 && equilibradoMaximoPequeno(bloco, c, -1, comCorte) == a + 1;
  if (corteFica) registro.corte = corte;
  for (int i = 0; i < k; i++) {
    if (i == c) continue;
    registro.vertices.push_back(vertices[i]);
    if (corteFica) registro.comCorte.push_back(comCorte[i]);
  }
  if (c >= 0) registro.semCorte.erase(registro.semCorte.begin() + c);
  r_.valorFixo_ += a;
  for (const int x : registro.vertices) retira(x, Reducao::Destino::bloco);
  if (c >= 0 && !corteFica) descarta(corte);
  r_.blocos_.push_back(std::move(registro));
  r_.contagem_[c < 0        ? Reducao::componentePequena
               : corteFica ? Reducao::blocoCorteFica
                           : Reducao::blocoCorteSai]++;
}
