// Heuristic clique separation: sets grown greedily in order of decreasing LP
// value, either all joined by double edges (at most one can be chosen) or two
// sides with negative edges within and positive edges across (at most two).
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <vector>

#include "base/VarreduraEsparsa.h"
#include "base/relogio.h"
#include "graph/grafo.h"
#include "separation/lote.h"
#include "separation/separadores.h"
#include "separation/trabalho.h"

namespace {

// A member's counters are parked far below any set size, so that no list
// entry pointing back at it can make it join twice.
const int MEMBRO = INT_MIN / 2;

// Kept between calls.  Counters are zero outside the vertices marked in
// the sweep, by their positions in xh, which each start vertex resets; a
// sweep visits only those positions (see cresce).
std::vector<int> contDupla, contPos;  // contDupla doubles as the first side's count
std::vector<int> posicaoEmXh;  // xh[posicaoEmXh[v]].indice == v
VarreduraEsparsa varredura;

// A counter of w is about to move off zero (or be parked): the sweep under
// way will reach w only if its position lies ahead, as in a scan of all of xh.
void toca(int w) { varredura.marca(posicaoEmXh[w]); }

void limpaTocados() {
  for (int p : varredura.marcadas()) contDupla[xh[p].indice] = contPos[xh[p].indice] = 0;
  varredura.esquece();
}

// The joining test compares a counter with the set size, so each member may
// add at most one to a neighbour whatever number of list entries (repeated
// edges) join them; lists are ascending, so a neighbour's entries are
// consecutive.  For each neighbour w of m: nega[w] += 1 if some entry is
// negative or double, posi[w] += 1 if some entry is positive or double.
void contaPrimeiroLado(int m, int* nega, int* posi) {
  nodo* e = gMat[m];
  while (e != nullptr) {
    const int w = e->vertice;
    bool negativo = false, positivo = false;
    for (; e != nullptr && e->vertice == w; e = e->prox) {
      if (e->sinal == -1 || e->sinal == 2) negativo = true;
      if (e->sinal == 1 || e->sinal == 2) positivo = true;
    }
    if (negativo || positivo) toca(w);
    if (negativo) nega[w]++;
    if (positivo) posi[w]++;
  }
}

// Neighbours of m joined to it by an entry of the given sign (igual) or of
// any sign but it (!igual), each counted once.
void contaVizinhos(int m, int sinal, bool igual, int* cont) {
  nodo* e = gMat[m];
  while (e != nullptr) {
    const int w = e->vertice;
    bool achou = false;
    for (; e != nullptr && e->vertice == w; e = e->prox)
      if ((e->sinal == sinal) == igual) achou = true;
    if (achou) {
      toca(w);
      cont[w]++;
    }
  }
}

void escreveCorte(int* ultimoCorte, int* ultimoCoef, int tamanho, double rhs) {
  abreCorte(ultimoCorte, ultimoCoef, CORTE_CLIQUE);
  for (int p = 0; p < tamanho; p++) {
    poeTermo(ultimoCoef, clique[p], 1.0);
    pertence[clique[p]] = 1;
  }
  fechaCorte(*ultimoCorte, rhs);
}

// One greedy sweep in order of decreasing LP value: every vertex whose
// counter equals the current size is joined to every member so far, so it
// joins; junta(v) then counts its neighbours and parks its counters.  A
// vertex with a zero counter never equals the size (at least one), so the
// sweep visits the touched vertices alone, in xh order: the heap holds the
// positions of those ahead of it, and junta adds those touched on the way.
template <class Junta>
void cresce(const int* cont, int& tamanho, double& soma, Junta junta) {
  for (int p = varredura.proxima(); p >= 0; p = varredura.proxima()) {
    const int v = xh[p].indice;
    if (cont[v] != tamanho) continue;
    clique[tamanho++] = v;
    soma += xh[p].valor;
    junta(v);
  }
}

}  // namespace

int separacaoHeuristicaDesigualdadesClique(double* x, int* ultimoCorte, int* ultimoCoef,
                                           int ncortes) {
  const int n = nlin;
  contDupla.assign(n, 0);
  contPos.assign(n, 0);
  varredura.dimensiona(n);
  posicaoEmXh.resize(n);
  int* contNeg = contDupla.data();

  for (int v = 0; v < n; v++) {
    xh[v] = RegAux{x[v], v};
    pertence[v] = 0;
  }
  std::qsort(xh, static_cast<size_t>(n), sizeof(RegAux), ComparaRegAux);
  for (int p = 0; p < n; p++) posicaoEmXh[xh[p].indice] = p;

  int conta = 0;
  if (n >= 1 && ncortes <= MAX_CORTES - 1) {
    // First pass: sets whose every pair is a double edge.
    for (int j = 0; j < n && ncortes + conta <= MAX_CORTES - 1; j++) {
      if (j % 64 == 0 && tempoEsgotado()) break;
      const int s = xh[j].indice;
      if (pertence[s] == 1) continue;
      limpaTocados();
      int tamanho = 1;
      double soma = xh[j].valor;
      clique[0] = s;
      auto juntaDupla = [&](int v) {
        contaVizinhos(v, 2, true, contDupla.data());
        toca(v);
        contDupla[v] = MEMBRO;
      };
      juntaDupla(s);
      cresce(contDupla.data(), tamanho, soma, juntaDupla);
      if (soma > 1.000001) {
        escreveCorte(ultimoCorte, ultimoCoef, tamanho, 1.0);
        conta++;
      }
    }

    // Second pass: a first side pairwise negative or double, a second side
    // pairwise non-positive, and positive or double across.
    for (int k = 0; k < n && ncortes + conta <= MAX_CORTES - 1; k++) {
      if (k % 64 == 0 && tempoEsgotado()) break;
      const int s = xh[k].indice;
      if (pertence[s] == 1) continue;
      limpaTocados();
      int tamanho = 1;
      double soma = xh[k].valor;
      clique[0] = s;
      auto juntaPrimeiro = [&](int v) {
        contaPrimeiroLado(v, contNeg, contPos.data());
        toca(v);
        contNeg[v] = contPos[v] = MEMBRO;
      };
      juntaPrimeiro(s);
      cresce(contNeg, tamanho, soma, juntaPrimeiro);
      varredura.recomeca();
      cresce(contPos.data(), tamanho, soma, [&](int v) {
        contaVizinhos(v, 1, false, contPos.data());
        contPos[v] = MEMBRO;
      });
      if (tamanho > 3 && soma > 2.000001) {
        escreveCorte(ultimoCorte, ultimoCoef, tamanho, 2.0);
        conta++;
      }
    }
  }
  return conta;
}
