// Heuristic clique separation: sets grown greedily in order of decreasing LP
// value, either all joined by double edges (at most one can be chosen) or two
// sides with negative edges within and positive edges across (at most two).
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <vector>

#include "base/relogio.h"
#include "separation/cortes.h"

namespace {

// A member's counters are parked far below any set size, so that no list
// entry pointing back at it can make it join twice.
const int MEMBRO = INT_MIN / 2;

// One call's view of the separator's data and the solve's arrays.
struct Passo {
  nodo** gMat;
  RegAux* xh;
  int* clique;
  int* pertence;
  Lote& lote;
  DadosClique& d;

  // A counter of w is about to move off zero (or be parked): the sweep under
  // way will reach w only if its position lies ahead, as in a scan of all of
  // xh.
  void toca(int w) { d.varredura.marca(d.posicaoEmXh[w]); }

  void limpaTocados() {
    for (int p : d.varredura.marcadas()) d.contDupla[xh[p].indice] = d.contPos[xh[p].indice] = 0;
    d.varredura.esquece();
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
    lote.abreCorte(ultimoCorte, ultimoCoef, CORTE_CLIQUE);
    for (int p = 0; p < tamanho; p++) {
      lote.poeTermo(ultimoCoef, clique[p], 1.0);
      pertence[clique[p]] = 1;
    }
    lote.fechaCorte(*ultimoCorte, rhs);
  }

  // One greedy sweep in order of decreasing LP value: every vertex whose
  // counter equals the current size is joined to every member so far, so it
  // joins; junta(v) then counts its neighbours and parks its counters.  A
  // vertex with a zero counter never equals the size (at least one), so the
  // sweep visits the touched vertices alone, in xh order: the heap holds the
  // positions of those ahead of it, and junta adds those touched on the way.
  template <class Junta>
  void cresce(const int* cont, int& tamanho, double& soma, Junta junta) {
    for (int p = d.varredura.proxima(); p >= 0; p = d.varredura.proxima()) {
      const int v = xh[p].indice;
      if (cont[v] != tamanho) continue;
      clique[tamanho++] = v;
      soma += xh[p].valor;
      junta(v);
    }
  }
};

}  // namespace

int separacaoHeuristicaDesigualdadesClique(Separacao& s, double* x, int* ultimoCorte,
                                           int* ultimoCoef, int ncortes) {
  const int n = s.grafo.nlin;
  const int MAX_CORTES = s.lote.MAX_CORTES;
  DadosClique& d = s.cliques;
  Passo passo{s.grafo.gMat, s.trabalho.xh, s.trabalho.clique, s.trabalho.pertence, s.lote, d};
  RegAux* const xh = passo.xh;
  int* const clique = passo.clique;
  int* const pertence = passo.pertence;
  std::vector<int>& contDupla = d.contDupla;
  std::vector<int>& contPos = d.contPos;
  std::vector<int>& posicaoEmXh = d.posicaoEmXh;
  contDupla.assign(n, 0);
  contPos.assign(n, 0);
  d.varredura.dimensiona(n);
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
      if (j % 64 == 0 && s.prazo.passou()) break;
      const int inicio = xh[j].indice;
      if (pertence[inicio] == 1) continue;
      passo.limpaTocados();
      int tamanho = 1;
      double soma = xh[j].valor;
      clique[0] = inicio;
      auto juntaDupla = [&](int v) {
        passo.contaVizinhos(v, 2, true, contDupla.data());
        passo.toca(v);
        contDupla[v] = MEMBRO;
      };
      juntaDupla(inicio);
      passo.cresce(contDupla.data(), tamanho, soma, juntaDupla);
      if (soma > 1.000001) {
        passo.escreveCorte(ultimoCorte, ultimoCoef, tamanho, 1.0);
        conta++;
      }
    }

    // Second pass: a first side pairwise negative or double, a second side
    // pairwise non-positive, and positive or double across.
    for (int k = 0; k < n && ncortes + conta <= MAX_CORTES - 1; k++) {
      if (k % 64 == 0 && s.prazo.passou()) break;
      const int inicio = xh[k].indice;
      if (pertence[inicio] == 1) continue;
      passo.limpaTocados();
      int tamanho = 1;
      double soma = xh[k].valor;
      clique[0] = inicio;
      auto juntaPrimeiro = [&](int v) {
        passo.contaPrimeiroLado(v, contNeg, contPos.data());
        passo.toca(v);
        contNeg[v] = contPos[v] = MEMBRO;
      };
      juntaPrimeiro(inicio);
      passo.cresce(contNeg, tamanho, soma, juntaPrimeiro);
      d.varredura.recomeca();
      passo.cresce(contPos.data(), tamanho, soma, [&](int v) {
        passo.contaVizinhos(v, 1, false, contPos.data());
        contPos[v] = MEMBRO;
      });
      if (tamanho > 3 && soma > 2.000001) {
        passo.escreveCorte(ultimoCorte, ultimoCoef, tamanho, 2.0);
        conta++;
      }
    }
  }
  return conta;
}
