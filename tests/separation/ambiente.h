// Test helpers for the separators: the one test helper that fills a store
// (from an edge list), with the work and batch arrays and the separation
// state they expect; the cuts of a closed batch; and a balance check of a
// vertex set written apart from the solver's code.
#ifndef BCT_TESTS_SEPARATION_AMBIENTE_H
#define BCT_TESTS_SEPARATION_AMBIENTE_H

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "graph/grafo.h"
#include "separation/cortes.h"

struct Aresta {
  int u, w, s;
};

// A store built from an edge list (both ends of each record, record after
// record, as the reader's records give it), the work arrays and the cut
// batch of a solve sized for it, and the separation state over them: what
// the separators expect.  The arrays have one entry to spare.
struct Ambiente {
  explicit Ambiente(int n, const std::vector<Aresta>& arestas, const AjustesDaBusca& a = {})
      : ajustes(a),
        grafo(n, registros(arestas)),
        s(grafo, trabalho, lote, ajustes, prazo, perfil, stdout) {
    const size_t m = static_cast<size_t>(n) + 1;
    trabalho.x.aloca(m, 0);
    trabalho.xh.aloca(m, 0);
    trabalho.pertence.aloca(m, 0);
    trabalho.pred.aloca(2 * m, 0);
    trabalho.ciclo.aloca(2 * m, 0);
    trabalho.position.aloca(m, 0);
    trabalho.vecAlfa.aloca(m, 0);
    trabalho.indAlfa.aloca(m, 0);
    trabalho.clique.aloca(m, 0);
    for (size_t v = 0; v < m; v++) {
      trabalho.x[v] = 0.0;
      trabalho.xh[v] = RegAux{0.0, 0};
      trabalho.pertence[v] = 0;
      trabalho.position[v] = -1;
      trabalho.vecAlfa[v] = 0.0;
      trabalho.indAlfa[v] = trabalho.clique[v] = -1;
    }
    for (size_t v = 0; v < 2 * m; v++) trabalho.pred[v] = trabalho.ciclo[v] = -1;
    lote.mtype.aloca(lote.MAX_CORTES, 0);
    lote.qrtype.aloca(lote.MAX_CORTES, 0);
    lote.drhs.aloca(lote.MAX_CORTES, 0);
    lote.mstart.aloca(lote.MAX_CORTES + 1, 0);
    lote.mcutind.aloca(lote.MAX_CORTES, 0);
    // The term arrays start small and grow as the solve's do.
    lote.reservaTermos(1);
    x = trabalho.x;
    pertence = trabalho.pertence;
    position = trabalho.position;
    pred = trabalho.pred;
    ciclo = trabalho.ciclo;
    vecAlfa = trabalho.vecAlfa;
    indAlfa = trabalho.indAlfa;
    xh = trabalho.xh;
    nlin = n;
  }
  Ambiente(const Ambiente&) = delete;
  Ambiente& operator=(const Ambiente&) = delete;

  static std::vector<ArestaSinal> registros(const std::vector<Aresta>& arestas) {
    std::vector<ArestaSinal> r;
    for (const Aresta& a : arestas) r.push_back({a.u, a.w, a.s});
    return r;
  }

  AjustesDaBusca ajustes;
  Prazo prazo;  // none
  Perfil perfil;
  Armazem grafo;
  Trabalho trabalho;
  Lote lote;
  Separacao s;
  // The work arrays by their own names.
  double* x;
  int* pertence;
  int* position;
  int* pred;
  int* ciclo;
  double* vecAlfa;
  int* indAlfa;
  RegAux* xh;
  int nlin;
};

struct Corte {
  int tipo;
  char sentido;
  std::vector<int> colunas;
  std::vector<double> coefs;
  double rhs;
  bool operator==(const Corte&) const = default;
  double atividade(const std::vector<double>& y) const {
    double a = 0;
    for (size_t t = 0; t < colunas.size(); t++) a += coefs[t] * y[colunas[t]];
    return a;
  }
};

// The cuts of the batch, read through mstart after closing it.
inline std::vector<Corte> cortesDoLote(Lote& lote, int ultimoCorte, int ultimoCoef) {
  lote.fechaLote(ultimoCorte, ultimoCoef);
  std::vector<Corte> r;
  for (int c = 0; c <= ultimoCorte; c++) {
    Corte k{lote.mtype[c], lote.qrtype[c], {}, {}, lote.drhs[c]};
    for (int t = lote.mstart[c]; t < lote.mstart[c + 1]; t++) {
      k.colunas.push_back(lote.mcols[t]);
      k.coefs.push_back(lote.dmatval[t]);
    }
    r.push_back(k);
  }
  return r;
}

// True when the vertices of `conjunto` (bit v = vertex v) induce no double
// edge and split into two sides, positive edges within and negative across.
// A pair joined by edges of both signs, or a negative loop, is unbalanced.
inline bool equilibrado(int n, const std::vector<Aresta>& arestas, uint32_t conjunto) {
  std::vector<std::vector<std::pair<int, int>>> adj(n);
  for (const Aresta& a : arestas) {
    if (!(conjunto >> a.u & 1) || !(conjunto >> a.w & 1)) continue;
    if (a.s == 2) return false;
    adj[a.u].push_back({a.w, a.s});
    adj[a.w].push_back({a.u, a.s});
  }
  std::vector<int> lado(n, -1), fila;
  for (int r = 0; r < n; r++) {
    if (!(conjunto >> r & 1) || lado[r] != -1) continue;
    lado[r] = 0;
    fila = {r};
    while (!fila.empty()) {
      const int u = fila.back();
      fila.pop_back();
      for (auto [w, s] : adj[u]) {
        const int quer = s == 1 ? lado[u] : 1 - lado[u];
        if (lado[w] == -1) {
          lado[w] = quer;
          fila.push_back(w);
        } else if (lado[w] != quer) {
          return false;
        }
      }
    }
  }
  return true;
}

// Every balanced vertex set of a small graph (n <= 20), as bit sets: the
// same test on neighbour masks, by sides grown a component at a time.
inline std::vector<uint32_t> conjuntosEquilibrados(int n, const std::vector<Aresta>& arestas) {
  std::vector<uint32_t> pos(n, 0), neg(n, 0), dup(n, 0);
  for (const Aresta& a : arestas) {
    std::vector<uint32_t>& m = a.s == 1 ? pos : a.s == -1 ? neg : dup;
    m[a.u] |= 1u << a.w;
    m[a.w] |= 1u << a.u;
  }
  std::vector<uint32_t> r;
  for (uint32_t S = 0; S < (1u << n); S++) {
    uint32_t visto = 0, lado1 = 0;
    bool ok = true;
    for (int raiz = 0; raiz < n && ok; raiz++) {
      if (!(S >> raiz & 1) || (visto >> raiz & 1)) continue;
      visto |= 1u << raiz;
      uint32_t fila = 1u << raiz;
      while (fila != 0 && ok) {
        const int u = __builtin_ctz(fila);
        fila &= fila - 1;
        const bool l = lado1 >> u & 1;
        const uint32_t mesmo = pos[u] & S, outro = neg[u] & S;
        const uint32_t querUm = l ? mesmo : outro, querZero = l ? outro : mesmo;
        if ((dup[u] & S) || (querUm & querZero) || (querUm & visto & ~lado1) ||
            (querZero & visto & lado1)) {
          ok = false;
          break;
        }
        const uint32_t novos = (querUm | querZero) & ~visto;
        lado1 |= querUm & novos;
        visto |= novos;
        fila |= novos;
      }
    }
    if (ok) r.push_back(S);
  }
  return r;
}

// The largest left-hand side of `corte` over the given vertex sets.
inline double maiorAtividade(const std::vector<uint32_t>& conjuntos, const Corte& corte) {
  double maior = 0;
  for (uint32_t S : conjuntos) {
    double a = 0;
    for (size_t t = 0; t < corte.colunas.size(); t++)
      if (S >> corte.colunas[t] & 1) a += corte.coefs[t];
    if (a > maior) maior = a;
  }
  return maior;
}

// A random signed graph: each pair an edge with probability `dens`, signs
// drawn from `sinais`; with `extras`, some repeated edges and positive loops.
inline std::vector<Aresta> grafoAleatorio(std::mt19937& rng, int n, double dens,
                                          const std::vector<int>& sinais, bool extras) {
  std::uniform_real_distribution<double> U(0, 1);
  std::uniform_int_distribution<size_t> S(0, sinais.size() - 1);
  std::vector<Aresta> r;
  for (int u = 0; u < n; u++)
    for (int w = u + 1; w < n; w++)
      if (U(rng) < dens) r.push_back({u, w, sinais[S(rng)]});
  if (extras && !r.empty()) {
    std::uniform_int_distribution<size_t> E(0, r.size() - 1);
    std::uniform_int_distribution<int> V(0, n - 1);
    for (int t = 0; t < n / 3; t++) {
      Aresta a = r[E(rng)];
      r.push_back({a.w, a.u, sinais[S(rng)]});
    }
    for (int t = 0; t < n / 4; t++) {
      const int v = V(rng);
      r.push_back({v, v, 1});
    }
    std::shuffle(r.begin(), r.end(), rng);
  }
  return r;
}

#endif
