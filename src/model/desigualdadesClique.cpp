// K1K2 clique rows: two vertex sets, each pairwise joined by non-positive
// edges and joined to each other by non-negative ones, hold at most two chosen
// vertices between them.  Found once from the graph and added to the loaded
// problem as ordinary rows.  A vertex joins a set when its count of members
// it is joined to reaches the set's size, so each neighbour counts once, with
// the sign of all its records together: counted record by record, a repeated
// edge would let a vertex in beside a member it is not joined to, and the
// row would cut off balanced sets.
#include "model/desigualdadesClique.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <unordered_set>
#include <vector>

#include "base/VarreduraEsparsa.h"
#include "base/erro.h"
#include "base/relogio.h"
#include "model/modelo.h"

namespace {

uint64_t chave(int u, int w) {
  const uint64_t a = static_cast<uint32_t>(u < w ? u : w), b = static_cast<uint32_t>(u < w ? w : u);
  return a << 32 | b;
}

}  // namespace

int montaLinhasK1K2(const Armazem& grafo, const Prazo& prazo, LinhasK1K2& l) {
  const int n = grafo.nlin;
  // Vertex pairs already inside some row (the attempt from a negative edge
  // that is one is skipped), symmetric, so kept once with the lower vertex
  // first.  Only edges are ever covered, so it grows with the edges.
  std::unordered_set<uint64_t> cobertos;
  auto cobre = [&cobertos](int u, int w) { cobertos.insert(chave(u, w)); };
  auto coberto = [&cobertos](int u, int w) { return cobertos.count(chave(u, w)) != 0; };
  // An attempt's counters hold base's values at k's neighbours and zero
  // elsewhere, but at the vertices marked in the sweep since; each pass
  // visits the marked vertices alone in ascending order, since a vertex
  // whose counter is zero can never join.
  std::vector<int> count(n, 0), base(n, 0);
  std::vector<int> membros;
  std::vector<std::pair<int, int>> vizinhosDeK;  // k's neighbours and the signs of their edges
  VarreduraEsparsa passada;
  l.qrtype.clear();
  l.drhs.clear();
  l.mstart.clear();
  l.mcols.clear();
  l.dmatval.clear();
  passada.dimensiona(n);

  int linhas = 0, elems = 0;
  for (int k = 0; k < n && linhas < n; k++) {
    // Past the deadline the rows found so far are all added.
    if (k % 64 == 0 && prazo.passou()) break;
    for (const auto& [w, sinal] : vizinhosDeK) base[w] = 0;
    vizinhosDeK.clear();
    grafo.paraCadaVizinho(k, [&](int w, int sinal) {
      vizinhosDeK.push_back({w, sinal});
      base[w] = sinal == 1 ? n + 1 : 1;
    });
    for (const auto& [j, sinalJ] : vizinhosDeK) {
      if (j >= k || linhas >= n) break;
      if (sinalJ != -1 || coberto(j, k)) continue;

      for (int w : passada.marcadas()) count[w] = 0;
      passada.esquece();
      for (const auto& [w, sinal] : vizinhosDeK) {
        passada.marca(w);
        count[w] = base[w];
      }
      grafo.paraCadaVizinho(j, [&](int w, int sinal) {
        passada.marca(w);
        if (sinal == -1) { if (count[w] < n) count[w]++; }
        else if (sinal == 1) { if (count[w] > n) count[w]++; }
        else if (sinal == 2) count[w]++;
      });
      passada.marca(k);
      passada.marca(j);
      count[k] = -1;
      count[j] = -1;
      membros.assign({k, j});
      int t = 2;

      // K1: joined to k by a non-positive edge and to every other K1 member
      // by a negative or double one.
      for (int v = passada.proxima(); v >= 0; v = passada.proxima()) {
        if (count[v] != t) continue;
        if (t == 2) cobre(j, k);
        membros.push_back(v);
        t++;
        count[v] = -1;
        grafo.paraCadaVizinho(v, [&](int w, int sinal) {
          if ((sinal == -1 && count[w] < n) || (sinal == 1 && count[w] > n) || sinal == 2) {
            if (count[w] == -1) {
              cobre(v, w);
            } else {
              passada.marca(w);
              count[w]++;
            }
          }
        });
      }

      // K2: joined positively (or doubly) to all of K1 and non-positively to
      // every earlier K2 member.
      int m = 0;
      passada.recomeca();
      for (int v = passada.proxima(); v >= 0; v = passada.proxima()) {
        if (count[v] != n + t + m) continue;
        if (t == 2) cobre(j, k);
        membros.push_back(v);
        m++;
        count[v] = -2;
        grafo.paraCadaVizinho(v, [&](int w, int sinal) {
          if (sinal == 1) return;
          if (count[w] == -2) {
            cobre(v, w);
          } else {
            passada.marca(w);
            count[w]++;
          }
        });
      }

      if (t + m > 3) {
        l.qrtype.push_back('L');
        l.drhs.push_back(2.0);
        l.mstart.push_back(elems);
        for (int v : membros) {
          l.mcols.push_back(v);
          l.dmatval.push_back(1.0);
          elems++;
        }
        linhas++;
      }
    }
  }
  l.mstart.push_back(elems);
  return linhas;
}

int gerarDesigualdadesClique(XPRSprob prob, const Armazem& grafo, const Prazo& prazo,
                             std::FILE* saida, bool relata) {
  LinhasK1K2 l;
  const int linhas = montaLinhasK1K2(grafo, prazo, l);

  if (relata) std::fprintf(saida, "Total de desigualdades clique K1K2: %d\n", linhas);
  testaRetorno(prob,
               XPRSaddrows(prob, linhas, static_cast<int>(l.mcols.size()), l.qrtype.data(),
                           l.drhs.data(), nullptr, l.mstart.data(), l.mcols.data(),
                           l.dmatval.data()),
               "Cortes: erro na chamada da rotina XPRSaddrows.\n", 1452);
  return linhas;
}
