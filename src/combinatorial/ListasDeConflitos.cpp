// The colouring's refinements over lists of conflicts.  On a sparse graph a
// copy conflicts with a few copies while the colouring has tens of cliques
// of several words each: moving a blocker or forcing a member then costs
// its conflicts, not a pass over every clique's row.  Each function takes
// the same steps in the same order as its counterpart over rows, so the
// search is the same tree either way.
#include <algorithm>

#include "combinatorial/BuscaExata.h"

namespace combinatorio {

namespace {

// Lists pay while a copy's conflicts are fewer than this share of the copies
// (a forcing over rows reads about a word per 64 copies of every clique):
// measured, lists win at density 0.1 (r_n100_d0.1 9.2 s against 10.2) and
// on the sparse matrices, rows from density 0.2 (0.47 s against 1.05 at 0.3).
const int COPIAS_POR_CONFLITO = 16;

// Clears the members from k up of the word holding k (the cliques of an
// earlier colouring).
void cortaEm(std::vector<uint64_t>& conjunto, int k) {
  if (k & 63) conjunto[k >> 6] &= (uint64_t{1} << (k & 63)) - 1;
}

// Walks the members of a set of cliques in ascending order.
template <typename F>
void paraCada(const std::vector<uint64_t>& conjunto, int palavras, F&& f) {
  for (int j = 0; j < palavras; j++)
    for (uint64_t b = conjunto[j]; b != 0; b &= b - 1) f((j << 6) + std::countr_zero(b));
}

}  // namespace

bool BuscaExata::listasConvem(const GrafoSimples& g) {
  int64_t conflitos = 0;  // over both copies of every vertex, mirrors aside
  for (int v = 0; v < g.numVertices(); v++)
    for (const signed char s : g.sinais(v)) conflitos += s == 2 ? 4 : 2;
  const int64_t copias = 2 * static_cast<int64_t>(g.numVertices());
  return copias > 0 && conflitos * COPIAS_POR_CONFLITO <= copias * copias;
}

void BuscaExata::listaConflitos(const GrafoSimples& g, const std::vector<int>& posicao) {
  porListas_ = true;
  std::vector<int>& conflito = comum_->conflito;
  std::vector<int>& inicio = comum_->inicioConflitos;
  inicio.assign(copias_ + 1, 0);
  conflito.clear();
  for (int x = 0; x < copias_; x++) {
    inicio[x] = static_cast<int>(conflito.size());
    conflito.push_back(espelho(x));
    const int v = vertice_[posicaoDa(x)], lado = ladoDa(x);
    const auto viz = g.vizinhos(v);
    const auto sin = g.sinais(v);
    for (size_t k = 0; k < viz.size(); k++) {
      const int y = posicao[viz[k]];
      if (sin[k] != -1) conflito.push_back(copia(y, lado ^ 1));
      if (sin[k] != 1) conflito.push_back(copia(y, lado));
    }
    // A loop would list the copy itself; the rows never hold it either.
    const auto deX = conflito.begin() + inicio[x];
    std::sort(deX, conflito.end());
    conflito.erase(std::unique(deX, conflito.end()), conflito.end());
    conflito.erase(std::remove(deX, conflito.end(), x), conflito.end());
  }
  inicio[copias_] = static_cast<int>(conflito.size());
  conflito_ = conflito.data();
  inicioConflitos_ = inicio.data();
}

void BuscaExata::novaColoracao() {
  // Every copy's mark of an earlier colouring becomes stale at once; after
  // 2^32 colourings the marks start over, so none is ever read as new.
  if (++cores_ >> 32 != 0) {
    std::fill(cliqueEm_.begin(), cliqueEm_.end(), 0);
    cores_ = 1;
  }
}

// As recolore: the first clique x fits in, or the first where it is
// blocked by one member that fits another clique.  Only the cliques its
// conflicts touch, and those of one member, can be either.
bool BuscaExata::recoloraPorListas(int x, int k) {
  tocadas_.clear();
  for (int i = inicioConflitos_[x]; i < inicioConflitos_[x + 1]; i++) {
    const int a = cliqueAtual(conflito_[i]);
    if (a >= 0 && contagem_[a]++ == 0) tocadas_.push_back(a);
  }
  const int nk = bits::palavras(k);
  std::copy(unitarias_.begin(), unitarias_.begin() + nk, escolha_.begin());
  cortaEm(escolha_, k);
  for (const int a : tocadas_) {
    if (tamanho_[a] - contagem_[a] <= 1) bits::liga(escolha_.data(), a);
    else bits::desliga(escolha_.data(), a);
  }
  const uint64_t* hx = compat(x);
  bool coube = false;
  for (int j = 0; j < nk && !coube; j++)
    for (uint64_t bs = escolha_[j]; bs != 0 && !coube; bs &= bs - 1) {
      const int a = (j << 6) + std::countr_zero(bs);
      if (tamanho_[a] == contagem_[a]) {
        if (tamanho_[a] == 1) bits::desliga(unitarias_.data(), a);
        bits::liga(classe(a), x);
        poeNaClique(x, a);
        tamanho_[a]++;
        coube = true;
        break;
      }
      int y = -1;
      bits::contaAteDois(classe(a), hx, w_, &y);
      if (semLugar_[y] == versao_) continue;
      // The first other clique every member of which conflicts with y (the
      // cliques y's conflicts touch counted in contagemY_, listed in
      // tocadasY_, which holds at most y's conflicts).
      const int* const conflito = conflito_;
      const uint64_t* const cliqueEm = cliqueEm_.data();
      const uint64_t cores = cores_ << 32;
      int* const contagemY = contagemY_.data();
      int* const tocadasY = tocadasY_.data();
      int nt = 0;
      for (int i = inicioConflitos_[y], fim = inicioConflitos_[y + 1]; i < fim; i++) {
        const uint64_t c = cliqueEm[conflito[i]];
        const int b = static_cast<int>(static_cast<uint32_t>(c));
        if ((c & ~uint64_t{0xffffffff}) == cores && b != a && contagemY[b]++ == 0) tocadasY[nt++] = b;
      }
      int destino = -1;
      for (int t = 0; t < nt; t++) {
        const int b = tocadasY[t];
        if (contagemY[b] == tamanho_[b] && (destino < 0 || b < destino)) destino = b;
        contagemY[b] = 0;
      }
      if (destino < 0) {
        semLugar_[y] = versao_;
        continue;
      }
      if (tamanho_[destino] == 1) bits::desliga(unitarias_.data(), destino);
      bits::desliga(classe(a), y);
      bits::liga(classe(destino), y);
      poeNaClique(y, destino);
      tamanho_[destino]++;
      bits::liga(classe(a), x);
      poeNaClique(x, a);
      versao_++;
      coube = true;
    }
  for (const int a : tocadas_) contagem_[a] = 0;
  return coube;
}

// As propaga: the members a forcing strikes out are found through the
// forced copy's conflicts, and the cliques it touched are then taken in
// ascending order, as the pass over rows takes them.  A clique's count,
// causes and mark are set when the propagation first meets it.  (The
// arrays are read through local pointers, which the compiler can keep in
// registers across the stores.)
bool BuscaExata::propagaPorListas(int x, int k) {
  const uint64_t inicio = ++passo_;  // a copy struck out since then is out
  const int* const inicioDe = inicioConflitos_;
  const int* const conflito = conflito_;
  const uint64_t* const cliqueEm = cliqueEm_.data();
  const uint64_t cores = cores_ << 32;
  const char* const usada = usada_.data();
  const int* const tamanho = tamanho_.data();
  const uint64_t* const classes = classes_.data();
  uint64_t* const tirada = tirada_.data();
  uint64_t* const vista = vista_.data();
  uint64_t* const tocada = tocada_.data();
  int* const restantes = restantes_.data();
  char* const propagada = propagada_.data();
  const int w = w_;
  // The clique of copy z, if one of the first k not used up; else -1.
  auto cliqueViva = [&](int z) {
    const uint64_t c = cliqueEm[z];
    const int a = static_cast<int>(static_cast<uint32_t>(c));
    if ((c & ~uint64_t{0xffffffff}) != cores || usada[a]) return -1;
    if (vista[a] != inicio) {
      vista[a] = inicio;
      causas_[a].clear();
      propagada[a] = 0;
      restantes[a] = tamanho[a];
    }
    return a;
  };
  fila_.clear();
  tocadas_.clear();
  for (int i = inicioDe[x]; i < inicioDe[x + 1]; i++) {
    const int z = conflito[i], a = cliqueViva(z);
    if (a < 0) continue;
    tirada[z] = inicio;
    if (restantes[a]-- == tamanho[a]) tocadas_.push_back(a);
  }
  int vazia = -1;
  for (const int a : tocadas_)
    if (restantes[a] == 0 && (vazia < 0 || a < vazia)) vazia = a;
  if (vazia < 0) {
    // The cliques left with one member, in ascending order.
    const int nk = bits::palavras(k);
    for (int j = 0; j < nk; j++) escolha_[j] = unitarias_[j] & ~usadas_[j];
    cortaEm(escolha_, k);
    for (const int a : tocadas_) {
      if (restantes[a] == 1) bits::liga(escolha_.data(), a);
      else bits::desliga(escolha_.data(), a);
    }
    paraCada(escolha_, nk, [&](int a) {
      if (vista[a] != inicio) {
        vista[a] = inicio;
        causas_[a].clear();
        propagada[a] = 0;
        restantes[a] = tamanho[a];
      }
      fila_.push_back(a);
    });
  }
  for (size_t f = 0; f < fila_.size() && vazia < 0; f++) {
    const int a = fila_[f];
    if (propagada[a]) continue;
    propagada[a] = 1;
    const uint64_t* ca = classes + static_cast<size_t>(a) * w;
    int y = -1;
    for (int j = 0; j < w && y < 0; j++)
      for (uint64_t b = ca[j]; b != 0; b &= b - 1) {
        const int z = (j << 6) + std::countr_zero(b);
        if (tirada[z] < inicio) {
          y = z;
          break;
        }
      }
    const uint64_t marca = ++passo_;
    tocadas_.clear();
    for (int i = inicioDe[y]; i < inicioDe[y + 1]; i++) {
      const int z = conflito[i];
      if (tirada[z] >= inicio) continue;
      const int b = cliqueViva(z);
      if (b < 0 || b == a) continue;
      tirada[z] = marca;
      restantes[b]--;
      if (tocada[b] != marca) {
        tocada[b] = marca;
        tocadas_.push_back(b);
      }
    }
    // Usually one or two: sorted by insertion.
    for (size_t i = 1; i < tocadas_.size(); i++)
      for (size_t j = i; j > 0 && tocadas_[j - 1] > tocadas_[j]; j--) std::swap(tocadas_[j - 1], tocadas_[j]);
    for (const int b : tocadas_) {
      causas_[b].push_back(a);
      if (restantes[b] == 0) {
        vazia = b;
        break;
      }
      if (restantes[b] == 1 && !propagada[b]) fila_.push_back(b);
    }
  }
  if (vazia < 0) return false;
  marcaConflito(vazia);
  return true;
}

}  // namespace combinatorio
