// The contracted doubled graph of a separation round and its search.
#include "separation/grafoContraido.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "graph/grafo.h"

namespace {

// The arcs a path from v to its copy may use: positive ones within a copy,
// negative ones across (see escrevePesos in the cycle separator).
bool permitido(int a, const nodo2* arco, int n) {
  const bool mesmaCopia = (a < n) == (arco->vertice < n);
  return (arco->sinal == 1 && mesmaCopia) || (arco->sinal == -1 && !mesmaCopia);
}

int raiz(std::vector<int>& pai, int a) {
  while (pai[a] != a) {
    pai[a] = pai[pai[a]];
    a = pai[a];
  }
  return a;
}

}  // namespace

void GrafoContraido::monta(const Armazem& grafo, const double* x) {
  const int n = grafo.nlin;
  nodo2** const gDup = grafo.gDup;
  gDup_ = gDup;
  const int total = 2 * n;
  n_ = n;
  // Regions of vertices at 1, joined by the arcs a path may use.
  pai_.resize(total);
  for (int a = 0; a < total; a++) pai_[a] = a;
  for (int a = 0; a < total; a++) {
    if (x[a % n] != 1.0) continue;
    for (const nodo2* arco = gDup[a]; arco != nullptr; arco = arco->prox) {
      const int b = arco->vertice;
      if (x[b % n] != 1.0 || !permitido(a, arco, n)) continue;
      const int ra = raiz(pai_, a), rb = raiz(pai_, b);
      if (ra != rb) pai_[std::max(ra, rb)] = std::min(ra, rb);
    }
  }
  // Nodes in the order of their lowest doubled vertex.
  no_.assign(total, -1);
  peso_.clear();
  marca_.assign(total, -1);
  for (int a = 0; a < total; a++) {
    const double xa = x[a % n];
    if (xa == 0.0) continue;
    if (xa == 1.0) {
      const int r = raiz(pai_, a);
      if (marca_[r] < 0) {
        marca_[r] = static_cast<int>(peso_.size());
        peso_.push_back(0.0);
      }
      no_[a] = marca_[r];
    } else {
      no_[a] = static_cast<int>(peso_.size());
      peso_.push_back(1.0 - xa);
    }
  }
  const int nos = numNos();
  inicioMembros_.assign(static_cast<size_t>(nos) + 1, 0);
  for (int a = 0; a < total; a++)
    if (no_[a] >= 0) inicioMembros_[no_[a] + 1]++;
  for (int p = 0; p < nos; p++) inicioMembros_[p + 1] += inicioMembros_[p];
  membros_.resize(static_cast<size_t>(inicioMembros_[nos]));
  {
    std::vector<int>& livre = pai_;  // the regions are numbered now
    livre.assign(inicioMembros_.begin(), inicioMembros_.end() - 1);
    for (int a = 0; a < total; a++)
      if (no_[a] >= 0) membros_[static_cast<size_t>(livre[no_[a]]++)] = a;
  }
  // Arcs between nodes, one per pair, in the order the members' lists give.
  inicio_.assign(static_cast<size_t>(nos) + 1, 0);
  cabeca_.clear();
  de_.clear();
  para_.clear();
  marca_.assign(static_cast<size_t>(nos), -1);
  for (int p = 0; p < nos; p++) {
    inicio_[p] = static_cast<int>(cabeca_.size());
    for (int i = inicioMembros_[p]; i < inicioMembros_[p + 1]; i++) {
      const int a = membros_[i];
      for (const nodo2* arco = gDup[a]; arco != nullptr; arco = arco->prox) {
        const int b = arco->vertice;
        const int q = no_[b];
        if (q < 0 || q == p || marca_[q] == p || !permitido(a, arco, n)) continue;
        marca_[q] = p;
        cabeca_.push_back(q);
        de_.push_back(a);
        para_.push_back(b);
      }
    }
  }
  inicio_[nos] = static_cast<int>(cabeca_.size());
}

double BuscaContraida::busca(const GrafoContraido& g, int origem, int alvo, double limiar) {
  const int p0 = g.no_[origem], pt = g.no_[alvo];
  if (p0 < 0 || pt < 0) return limiar;
  const int nos = g.numNos();
  if (static_cast<int>(rotulo_.size()) != nos) {
    rotulo_.assign(static_cast<size_t>(nos), INFINITY);
    fechado_.assign(static_cast<size_t>(nos), 0);
    arcoPred_.assign(static_cast<size_t>(nos), -1);
    tocados_.clear();
  }
  for (int p : tocados_) {
    rotulo_[p] = INFINITY;
    fechado_[p] = 0;
  }
  tocados_.clear();
  heap_.clear();
  rotulo_[p0] = 0.0;
  arcoPred_[p0] = -1;
  tocados_.push_back(p0);
  heap_.push_back({0.0, p0});
  while (!heap_.empty()) {
    std::pop_heap(heap_.begin(), heap_.end(), std::greater<Entrada>());
    const Entrada e = heap_.back();
    heap_.pop_back();
    const int p = e.no;
    if (fechado_[p]) continue;
    fechado_[p] = 1;
    if (p == pt) return e.rotulo;
    const double novo = e.rotulo + g.peso_[p];
    // Every label still to come is at least this one.
    if (!(e.rotulo < limiar)) return limiar;
    if (!(novo < limiar)) continue;
    for (int arco = g.inicio_[p]; arco < g.inicio_[p + 1]; arco++) {
      const int q = g.cabeca_[arco];
      if (!(novo < rotulo_[q])) continue;
      if (rotulo_[q] == INFINITY) tocados_.push_back(q);
      rotulo_[q] = novo;
      arcoPred_[q] = arco;
      heap_.push_back({novo, q});
      std::push_heap(heap_.begin(), heap_.end(), std::greater<Entrada>());
    }
  }
  return limiar;
}

void BuscaContraida::escreveCaminho(const GrafoContraido& g, int origem, int alvo, int* pred) {
  caminho_.clear();
  for (int p = g.no_[alvo]; arcoPred_[p] >= 0 && p != g.no_[origem];) {
    const int arco = arcoPred_[p];
    caminho_.push_back(arco);
    p = g.no_[g.de_[arco]];
  }
  pred[origem] = -1;
  int atual = origem;
  for (auto it = caminho_.rbegin(); it != caminho_.rend(); ++it) {
    const int a = g.de_[*it], b = g.para_[*it];
    if (atual != a) atravessa(g, atual, a, pred);
    pred[b] = a;
    atual = b;
  }
  if (atual != alvo) atravessa(g, atual, alvo, pred);
}

// A breadth-first search from both ends, a whole layer of the side with the
// smaller frontier at a time: the regions of the real networks' pieces hold
// tens of thousands of vertices a few arcs apart, and a search from one end
// flooded most of a region for every crossing (on Slashdot's piece four in
// ten of the root's seconds).  The first meeting gives a fewest-arcs path:
// with nothing met, the ends are further apart than the two depths.
void BuscaContraida::atravessa(const GrafoContraido& g, int de, int para, int* pred) {
  const int n = g.n_;
  const int p = g.no_[de];
  if (visto_.size() != 2 * g.no_.size()) {
    visto_.assign(2 * g.no_.size(), 0);
    paiReal_.assign(2 * g.no_.size(), -1);
    carimbo_ = 0;
  }
  if (++carimbo_ == 0) {
    std::fill(visto_.begin(), visto_.end(), 0);
    carimbo_ = 1;
  }
  // Side 0 grows from de, side 1 from para; entry lado * total + a.
  const size_t total = g.no_.size();
  filas_[0].assign(1, de);
  filas_[1].assign(1, para);
  visto_[de] = carimbo_;
  visto_[total + para] = carimbo_;
  size_t comeco[2] = {0, 0};
  int encontroA = -1, encontroB = -1;  // an arc of the path, a on de's side
  if (de == para) encontroA = encontroB = de;
  while (encontroA < 0) {
    const size_t tam0 = filas_[0].size() - comeco[0], tam1 = filas_[1].size() - comeco[1];
    if (tam0 == 0 && tam1 == 0) return;  // not joined: cannot happen within a region
    const int lado = tam0 == 0 ? 1 : tam1 == 0 ? 0 : tam1 < tam0 ? 1 : 0;
    std::vector<int>& f = filas_[lado];
    const size_t fim = f.size();
    const size_t meu = lado * total, outro = (1 - lado) * total;
    for (size_t i = comeco[lado]; i < fim && encontroA < 0; i++) {
      const int a = f[i];
      for (const nodo2* arco = g.gDup_[a]; arco != nullptr; arco = arco->prox) {
        const int b = arco->vertice;
        if (visto_[meu + b] == carimbo_ || g.no_[b] != p || !permitido(a, arco, n)) continue;
        if (visto_[outro + b] == carimbo_) {
          encontroA = lado == 0 ? a : b;
          encontroB = lado == 0 ? b : a;
          break;
        }
        visto_[meu + b] = carimbo_;
        paiReal_[meu + b] = a;
        f.push_back(b);
      }
    }
    comeco[lado] = fim;
  }
  // de ... encontroA, encontroB ... para
  for (int b = encontroA; b != de; b = paiReal_[b]) pred[b] = paiReal_[b];
  if (encontroA != encontroB) pred[encontroB] = encontroA;
  for (int b = encontroB; b != para;) {
    const int proximo = paiReal_[total + b];
    pred[proximo] = b;
    b = proximo;
  }
}
