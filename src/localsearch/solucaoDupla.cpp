// The implicit doubled conflict graph and the independent set kept on it.
#include "localsearch/solucaoDupla.h"

#include <numeric>
#include <utility>

namespace buscaLocal {

GrafoDuplo::GrafoDuplo(const GrafoSimples& g) {
  const int n = g.numVertices();
  inicio_.assign(static_cast<size_t>(n) + 1, 0);
  for (int v = 0; v < n; v++) {
    int64_t k = 0;
    for (const signed char s : g.sinais(v)) k += s == 2 ? 2 : 1;
    inicio_[v + 1] = inicio_[v] + k;
  }
  codigo_.resize(static_cast<size_t>(inicio_[n]));
  for (int v = 0; v < n; v++) {
    int64_t k = inicio_[v];
    const std::span<const int> viz = g.vizinhos(v);
    const std::span<const signed char> sin = g.sinais(v);
    for (size_t i = 0; i < viz.size(); i++) {
      const int w = viz[i];
      if (sin[i] != 1) codigo_[k++] = 2 * w;
      if (sin[i] != -1) codigo_[k++] = 2 * w + 1;
    }
  }
}

SolucaoDupla::SolucaoDupla(const GrafoDuplo& h)
    : h_(h),
      perm_(static_cast<size_t>(h.numCopias())),
      pos_(perm_.size()),
      vertice_(perm_.size() / 2),
      posVertice_(perm_.size() / 2),
      cont_(perm_.size()),
      nLivre_(h.numCopias()),
      ehCandidato_(perm_.size(), 0),
      mudou_(perm_.size() / 2, 0) {
  std::iota(perm_.begin(), perm_.end(), 0);
  std::iota(pos_.begin(), pos_.end(), 0);
  std::iota(vertice_.begin(), vertice_.end(), 0);
  std::iota(posVertice_.begin(), posVertice_.end(), 0);
}

namespace {

// Swaps two places of a permutation and keeps its inverse in step.
void trocaNaPermutacao(std::vector<int>& perm, std::vector<int>& pos, int p, int q) {
  const int a = perm[p], b = perm[q];
  perm[p] = b;
  pos[b] = p;
  perm[q] = a;
  pos[a] = q;
}

}  // namespace

void SolucaoDupla::troca(int p, int q) { trocaNaPermutacao(perm_, pos_, p, q); }

void SolucaoDupla::trocaVertice(int p, int q) { trocaNaPermutacao(vertice_, posVertice_, p, q); }

void SolucaoDupla::candidato(int x) {
  if (ehCandidato_[x]) return;
  ehCandidato_[x] = 1;
  candidatos_.push_back(x);
}

void SolucaoDupla::insere(int x) {
  troca(pos_[x], nSol_);  // first free slot becomes the last member's
  trocaVertice(posVertice_[x >> 1], nSol_);
  nSol_++;
  nLivre_--;
  bool novoAperto1 = false;
  h_.paraVizinhos(x, [&](int y) {
    Contagem& c = cont_[y];
    c.xorMembros ^= x;
    if (++c.aperto == 1) {  // was free: leaves the free run
      troca(pos_[y], nSol_ + nLivre_ - 1);
      nLivre_--;
      novoAperto1 = true;
    }
  });
  trabalho_ += h_.grau(x);
  mudou(x >> 1);
  if (novoAperto1) candidato(x);
  if (registrando_) registro_.push_back(x + 1);
}

void SolucaoDupla::remove(int x) {
  troca(pos_[x], nSol_ - 1);  // now the first free copy
  trocaVertice(posVertice_[x >> 1], nSol_ - 1);
  mudou(x >> 1);
  nSol_--;
  nLivre_++;
  h_.paraVizinhos(x, [&](int y) {
    Contagem& c = cont_[y];
    c.xorMembros ^= x;
    const int a = --c.aperto;
    if (a == 0) {
      troca(pos_[y], nSol_ + nLivre_);
      nLivre_++;
    } else if (a == 1) {
      candidato(c.xorMembros);
    }
  });
  trabalho_ += h_.grau(x);
  if (registrando_) registro_.push_back(-(x + 1));
}

void SolucaoDupla::desfaz() {
  registrando_ = false;
  for (size_t i = registro_.size(); i-- > 0;) {
    const int r = registro_[i];
    if (r > 0)
      remove(r - 1);
    else
      insere(-r - 1);
  }
  registro_.clear();
}

int SolucaoDupla::tiraCandidato(size_t i) {
  const int x = candidatos_[i];
  candidatos_[i] = candidatos_.back();
  candidatos_.pop_back();
  ehCandidato_[x] = 0;
  return x;
}

void SolucaoDupla::esqueceCandidatos() {
  for (const int x : candidatos_) ehCandidato_[x] = 0;
  candidatos_.clear();
}

std::vector<signed char> SolucaoDupla::lados() const {
  std::vector<signed char> lado(perm_.size() / 2, -1);
  for (int i = 0; i < nSol_; i++) lado[perm_[i] >> 1] = static_cast<signed char>(perm_[i] & 1);
  return lado;
}

void SolucaoDupla::passaMudancas(std::vector<signed char>& lado) {
  for (const int v : mudados_) {
    mudou_[v] = 0;
    lado[v] = membro(2 * v) ? 0 : membro(2 * v + 1) ? 1 : -1;
  }
  mudados_.clear();
}

}  // namespace buscaLocal
