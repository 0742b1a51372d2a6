// Initial model arrays: one binary column per vertex, clique rows over double
// edges (a set pairwise joined by double edges holds at most one chosen
// vertex) and odd negative cycle rows (a cycle with an odd number of negative
// edges cannot be chosen whole), handed over column-major.
//
// The cover table is kept as a set of the covered pairs and each cycle row
// as its list of vertices, instead of n x n ints for each, the clique pass
// visits only the vertices its counts touch, and the cycle search is
// breadth-first from i alone to half the length (see CaminhoUnitario); the
// rows, their order and the arrays they produce are those of the full tables
// and the general search.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <unordered_set>
#include <vector>

#include "base/VarreduraEsparsa.h"
#include "base/relogio.h"
#include "model/modelo.h"

namespace {

// Clique rows over the double edges.  Each row starts from an uncovered
// double edge {j, k} (j < k, k ascending, j in k's list order) and grows in
// one ascending pass: a vertex joins when it is joined by double edges to
// every member so far, each neighbour counted once whatever its records (a
// double edge given twice must not stand for two members).  linhasDaColuna[v] lists the rows of v as they were
// made; read backwards it is the head-inserted list, in descending row order.
int geraLinhasClique(const Armazem& grafo, const Prazo& prazo,
                     std::vector<std::vector<int>>& linhasDaColuna) {
  const int n = grafo.nlin;
  int c = 0;
  if (grafo.nduplo <= 0) return 0;
  linhasDaColuna.assign(n, {});
  // Covered pairs, once each with the lower vertex first; only double edges
  // are ever covered.
  std::unordered_set<uint64_t> coberto;
  auto chave = [](int u, int w) {
    const uint64_t a = static_cast<uint32_t>(std::min(u, w)), b = static_cast<uint32_t>(std::max(u, w));
    return a << 32 | b;
  };
  auto cobre = [&](int u, int w) { coberto.insert(chave(u, w)); };
  // contagem holds g's values at the double neighbours of k and zero
  // elsewhere, but at the vertices marked in the sweep since; the ascending
  // pass visits those alone (a count of zero never reaches the target).
  std::vector<int> g(n, 0), contagem(n, 0);
  std::vector<char> membro(n, 0);
  std::vector<int> membros, vizinhosDeK;
  VarreduraEsparsa passada;
  passada.dimensiona(n);

  for (int k = 0; k < n; k++) {
    // Past the deadline the rows found so far make a valid model.
    if (k % 64 == 0 && prazo.passou()) break;
    vizinhosDeK.clear();
    grafo.paraCadaVizinho(k, [&](int w, int sinal) {
      if (sinal != 2) return;
      g[w] = 1;
      vizinhosDeK.push_back(w);
    });

    for (const int j : vizinhosDeK) {
      if (j >= k) break;
      if (coberto.count(chave(j, k)) != 0) continue;
      const int r = c;
      linhasDaColuna[j].push_back(r);
      linhasDaColuna[k].push_back(r);
      cobre(j, k);

      membros.assign({j, k});
      membro[j] = membro[k] = 1;
      for (int w : passada.marcadas()) contagem[w] = 0;
      passada.esquece();
      for (int w : vizinhosDeK) {
        passada.marca(w);
        contagem[w] = g[w];
      }
      grafo.paraCadaVizinho(j, [&](int w, int sinal) {
        if (sinal != 2) return;
        passada.marca(w);
        contagem[w]++;
      });
      int alvo = 2;
      for (int l = passada.proxima(); l >= 0; l = passada.proxima()) {
        if (membro[l] || contagem[l] != alvo) continue;
        membro[l] = 1;
        membros.push_back(l);
        alvo++;
        linhasDaColuna[l].push_back(r);
        grafo.paraCadaVizinho(l, [&](int w, int sinal) {
          if (sinal != 2) return;
          if (membro[w]) {
            cobre(l, w);
          } else {
            passada.marca(w);
            contagem[w]++;
          }
        });
      }
      for (int v : membros) membro[v] = 0;
      c++;
    }

    for (int w : vizinhosDeK) g[w] = 0;
    if (c >= grafo.nduplo) break;
  }
  return c;
}

// Unit weight on the arcs a walk with an odd number of negative edges may
// use (a positive edge within a copy, a negative one across), 2n elsewhere.
void pesaArcos(Armazem& grafo) {
  const int n = grafo.nlin;
  nodo2** const gDup = grafo.gDup;
  const double caro = 2.0 * n;
  for (int u = 0; u < 2 * n; u++) {
    for (nodo2* arco = gDup[u]; arco != nullptr; arco = arco->prox) {
      const bool mesmaCopia = (u < n) == (arco->vertice < n);
      if (arco->sinal == 1) arco->peso = mesmaCopia ? 1.0 : caro;
      else if (arco->sinal == -1) arco->peso = mesmaCopia ? caro : 1.0;
      else arco->peso = caro;
    }
  }
}

// Shortest path from i to its copy over unit arcs only, as the label-setting
// search with cap 4n^2 finds it whenever it is shorter than 2n: labels are
// whole numbers, so that search settles vertices layer by layer in index
// order, each vertex keeps the first settled vertex that reached it, and no
// path through an arc of weight 2n is ever that short.  So the walk back from
// the copy takes, at each step, the least neighbour one layer closer to i.
//
// The unit arcs make an undirected graph that swapping the copies (sigma)
// maps onto itself, so the distance from the copy to x is the distance from
// i to sigma(x).  The search therefore grows layers from i only until some
// x of the last layer r has sigma(x) in the ball: D = min(r + d(sigma x)) is
// the length (2r - 1 or 2r), half the radius a plain search needs.  The
// vertices of the ball on some shortest path (dist(x) + dist(sigma x) = D)
// are marked from the outer layers, where that is read directly, down to i;
// past the ball, x is on one when sigma(x) is.  Then every step of the walk
// back knows the distance from i of each neighbour on a shortest path, and a
// neighbour one layer closer is always on one.  i and its copy in different
// components of the unit arcs are never joined: that is known up front.
struct CaminhoUnitario {
  int n = 0;
  // The unit arcs, per tail in list order, in contiguous arrays: the walks
  // read them many times over.
  std::vector<int> inicio, cabeca;
  std::vector<int> componente;  // of the unit arcs, per vertex of gDup
  std::vector<int> dist;        // from i, -1 outside the ball
  std::vector<char> noCaminho;  // in the ball and on a shortest path
  std::vector<int> ordem;       // the ball in layer order
  std::vector<int> inicioCamada;
  std::vector<int> pilha;

  int sigma(int x) const { return x < n ? x + n : x - n; }

  void prepara(const Armazem& grafo) {
    n = grafo.nlin;
    nodo2** const gDup = grafo.gDup;
    inicio.assign(2 * static_cast<size_t>(n) + 1, 0);
    cabeca.clear();
    for (int u = 0; u < 2 * n; u++) {
      inicio[u] = static_cast<int>(cabeca.size());
      for (nodo2* arco = gDup[u]; arco != nullptr; arco = arco->prox)
        if (arco->peso == 1.0) cabeca.push_back(arco->vertice);
    }
    inicio[2 * n] = static_cast<int>(cabeca.size());
    componente.assign(2 * static_cast<size_t>(n), -1);
    dist.assign(2 * static_cast<size_t>(n), -1);
    noCaminho.assign(2 * static_cast<size_t>(n), 0);
    ordem.clear();
    for (int s = 0; s < 2 * n; s++) {
      if (componente[s] != -1) continue;
      componente[s] = s;
      pilha.assign(1, s);
      while (!pilha.empty()) {
        const int u = pilha.back();
        pilha.pop_back();
        for (int a = inicio[u]; a < inicio[u + 1]; a++) {
          if (componente[cabeca[a]] != -1) continue;
          componente[cabeca[a]] = s;
          pilha.push_back(cabeca[a]);
        }
      }
    }
  }

  // Fills pred along the walk from the copy of i back to i (pred[i] = -1);
  // false when the copy cannot be reached.
  bool busca(int i, std::vector<int>& pred) {
    for (int v : ordem) {
      dist[v] = -1;
      noCaminho[v] = 0;
    }
    ordem.clear();
    const int alvo = n + i;
    if (componente[i] != componente[alvo]) return false;
    dist[i] = 0;
    ordem.push_back(i);
    inicioCamada.assign({0, 1});
    int r = 0, D = -1;
    while (D < 0) {
      const int de = inicioCamada[r], ate = inicioCamada[r + 1];
      if (de == ate) return false;
      for (int p = de; p < ate; p++) {
        for (int a = inicio[ordem[p]]; a < inicio[ordem[p] + 1]; a++) {
          const int v = cabeca[a];
          if (dist[v] != -1) continue;
          dist[v] = r + 1;
          ordem.push_back(v);
        }
      }
      r++;
      inicioCamada.push_back(static_cast<int>(ordem.size()));
      for (int p = inicioCamada[r]; p < inicioCamada[r + 1]; p++) {
        const int d = dist[sigma(ordem[p])];
        if (d != -1 && (D < 0 || r + d < D)) D = r + d;
      }
    }
    // Marks, layer r down to 0, the ball's vertices on a shortest path: read
    // directly where sigma(x) would lie in the ball, else as the neighbours
    // one layer closer to i of those marked (a step of a shortest path).
    for (int j = r; j >= 0; j--) {
      const bool direto = D - j <= r;
      for (int p = inicioCamada[j]; p < inicioCamada[j + 1]; p++) {
        const int x = ordem[p];
        if (direto) noCaminho[x] = dist[sigma(x)] == D - j;
        if (!noCaminho[x] || j == 0 || D - (j - 1) <= r) continue;
        for (int a = inicio[x]; a < inicio[x + 1]; a++)
          if (dist[cabeca[a]] == j - 1) noCaminho[cabeca[a]] = 1;
      }
    }
    pred[i] = -1;
    int p = alvo;
    for (int k = D; k > 0; k--) {
      int menor = -1;
      for (int a = inicio[p]; a < inicio[p + 1]; a++) {
        const int u = cabeca[a];
        if (menor != -1 && u >= menor) continue;
        // u's distance from i, when u is on a shortest path.
        int d;
        if (dist[u] != -1) {
          if (!noCaminho[u]) continue;
          d = dist[u];
        } else {
          const int s = sigma(u);
          if (dist[s] == -1 || !noCaminho[s]) continue;
          d = D - dist[s];
        }
        if (d == k - 1) menor = u;
      }
      pred[p] = menor;
      p = menor;
    }
    return true;
  }
};

// Odd negative cycle rows: for each vertex i, a shortest path from i to its
// copy over unit arcs is a closed walk with an odd number of negative edges;
// it stands as a row unless it passes through both copies of some vertex.
// Found again from each of its vertices, the same cycle gives several rows.
int geraLinhasCiclo(const Armazem& grafo, const Prazo& prazo, std::vector<std::vector<int>>& ciclos) {
  const int n = grafo.nlin;
  ciclos.clear();
  if (n == 0) return 0;
  std::vector<int> pred(2 * static_cast<size_t>(n));
  std::vector<char> marcado(n, 0);
  std::vector<int> ciclo;
  CaminhoUnitario caminho;
  caminho.prepara(grafo);
  for (int i = 0; i < n && static_cast<int>(ciclos.size()) < n; i++) {
    if (i % 64 == 0 && prazo.passou()) break;
    if (!caminho.busca(i, pred)) continue;
    ciclo.assign({i});
    marcado[i] = 1;
    bool simples = true;
    for (int x = pred[n + i]; x != i; x = pred[x]) {
      const int v = x % n;
      if (marcado[v]) {
        simples = false;
        break;
      }
      marcado[v] = 1;
      ciclo.push_back(v);
    }
    for (int v : ciclo) marcado[v] = 0;
    if (simples) ciclos.push_back(ciclo);
  }
  return static_cast<int>(ciclos.size());
}

}  // namespace

void ModeloInicial::geraLinhas() {
  linhasDaColuna_.clear();
  ciclos_.clear();
  nClique_ = geraLinhasClique(grafo_, prazo_, linhasDaColuna_);
  pesaArcos(grafo_);
  nCiclo_ = geraLinhasCiclo(grafo_, prazo_, ciclos_);
}

void ModeloInicial::contaModelo(int* linhas, int* elementos) {
  geraLinhas();
  preparado_ = true;
  long long e = 0;
  for (const std::vector<int>& r : linhasDaColuna_) e += static_cast<long long>(r.size());
  for (const std::vector<int>& c : ciclos_) e += static_cast<long long>(c.size());
  *linhas = nClique_ + nCiclo_;
  *elementos = static_cast<int>(e);
}

int ModeloInicial::cargaDosVetores(char* qgtype, double* obj, double* dlb, double* dub,
                                   int* mgcols, char* qrtype, double* rhs, int* mstart,
                                   int* mrwind, double* dmatval) {
  const int n = grafo_.nlin;
  for (int v = 0; v < n; v++) {
    obj[v] = 1.0;
    mgcols[v] = v;
    dlb[v] = 0.0;
    dub[v] = 1.0;
    qgtype[v] = 'B';
  }

  if (!preparado_) geraLinhas();
  preparado_ = false;
  std::vector<std::vector<int>> linhasDaColuna, ciclos;
  linhasDaColuna.swap(linhasDaColuna_);
  ciclos.swap(ciclos_);
  const int c = nClique_, o = nCiclo_;
  if (relata_) std::fprintf(saida_, "\nTotal de desigualdades clique conj ind: %d\n", c);
  if (relata_) std::fprintf(saida_, "\nTotal de desigualdades ciclos C-impar: %d\n", o);

  // Cycle rows of each column in ascending order.
  std::vector<std::vector<int>> ciclosDaColuna(n);
  for (int l = 0; l < o; l++)
    for (int v : ciclos[l]) ciclosDaColuna[v].push_back(l);

  int e = 0;
  for (int k = 0; k < n; k++) {
    mstart[k] = e;
    if (!linhasDaColuna.empty()) {
      for (auto r = linhasDaColuna[k].rbegin(); r != linhasDaColuna[k].rend(); ++r) {
        mrwind[e] = *r;
        dmatval[e] = 1.0;
        e++;
      }
    }
    for (int l : ciclosDaColuna[k]) {
      mrwind[e] = c + l;
      dmatval[e] = 1.0;
      e++;
    }
  }
  mstart[n] = e;

  for (int r = 0; r < c; r++) {
    rhs[r] = 1.0;
    qrtype[r] = 'L';
  }
  for (int l = 0; l < o; l++) {
    rhs[c + l] = static_cast<double>(ciclos[l].size()) - 1.0;
    qrtype[c + l] = 'L';
  }

  nCycleIF = o;
  nCliqueIndSetIF = c;
  return c + o;
}
