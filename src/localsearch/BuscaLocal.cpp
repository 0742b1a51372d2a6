// Greedy start and iterated local search (perturb, improve by swaps, accept
// or undo) for a maximum independent set of the doubled conflict graph.
#include "localsearch/BuscaLocal.h"

#include <algorithm>

#include "base/parada.h"
#include "localsearch/solucaoDupla.h"

namespace buscaLocal {

namespace {

// splitmix64: a fixed generator, so that a seed gives the same run with any
// standard library.
class Aleatorio {
 public:
  explicit Aleatorio(uint64_t semente) : s_(semente) {}
  uint64_t proximo() {
    uint64_t z = (s_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
  }
  int abaixo(int n) {  // uniform in 0..n-1
    return static_cast<int>((static_cast<unsigned __int128>(proximo()) * static_cast<uint64_t>(n)) >> 64);
  }
  double real() { return static_cast<double>(proximo() >> 11) * 0x1.0p-53; }

 private:
  uint64_t s_;
};

Conjunto conjuntoDe(std::vector<signed char> lado) {
  Conjunto c;
  c.tamanho = static_cast<int>(std::count_if(lado.begin(), lado.end(), [](signed char l) { return l >= 0; }));
  c.lado = std::move(lado);
  return c;
}

// Adjacency entries between two looks at the clock: well under a
// millisecond of work.
constexpr int64_t QUANTUM = 1 << 16;

// One run of the iterated local search of Andrade, Resende and Werneck on
// the conflict graph.
class Ils {
 public:
  Ils(const GrafoDuplo& h, Aleatorio& rng, const Prazo& prazo)
      : h_(h),
        s_(h),
        rng_(rng),
        prazo_(prazo),
        melhor_(static_cast<size_t>(h.numCopias() / 2), -1),
        visto_(static_cast<size_t>(h.numCopias()), 0) {}

  Conjunto executa(const Conjunto& inicial, int64_t maxIteracoes);

 private:
  bool esgotado();
  bool buscaLocal();
  void tentaTroca(int x);
  void forca(int x);
  void perturba();
  void guardaMelhor() {
    s_.passaMudancas(melhor_);
    melhorTam_ = s_.tamanho();
  }

  const GrafoDuplo& h_;
  SolucaoDupla s_;
  Aleatorio& rng_;
  Prazo prazo_;
  int64_t proximoRelogio_ = 0;
  bool fim_ = false;
  std::vector<signed char> melhor_;  // written from the moves made since it last was
  int melhorTam_ = -1;
  std::vector<int> lista_;        // the copies of aperto 1 around a member
  std::vector<uint32_t> visto_;  // marks by stamp
  uint32_t carimbo_ = 0;
};

bool Ils::esgotado() {
  if (fim_) return true;
  if (s_.trabalho() < proximoRelogio_) return false;
  proximoRelogio_ = s_.trabalho() + QUANTUM;
  fim_ = prazo_.passou();
  return fim_;
}

// A (1,2)-swap at member x: two copies that conflict with x alone and not
// with each other replace it.  Copies that then conflict with nothing are
// left free for the caller to insert.
void Ils::tentaTroca(int x) {
  lista_.clear();
  h_.paraVizinhos(x, [&](int y) {
    if (s_.aperto(y) == 1) lista_.push_back(y);
  });
  int64_t custo = h_.grau(x);
  const int k = static_cast<int>(lista_.size());
  if (k >= 2) {
    const int inicio = rng_.abaixo(k);
    for (int i = 0; i < k; i++) {
      const int y = lista_[(inicio + i) % k];
      if (++carimbo_ == 0) {
        std::fill(visto_.begin(), visto_.end(), 0);
        carimbo_ = 1;
      }
      int vizinhosNaLista = 0;
      h_.paraVizinhos(y, [&](int z) {
        if (s_.aperto(z) == 1 && s_.unicoMembro(z) == x) {
          visto_[z] = carimbo_;
          vizinhosNaLista++;
        }
      });
      custo += h_.grau(y);
      if (vizinhosNaLista >= k - 1) continue;
      visto_[y] = carimbo_;
      for (int j = 1; j < k; j++) {
        const int z = lista_[(inicio + i + j) % k];
        if (visto_[z] == carimbo_) continue;
        s_.remove(x);
        s_.insere(y);
        s_.insere(z);
        break;
      }
      break;
    }
  }
  s_.somaTrabalho(custo);
}

// Free copies go in at random, then swaps at candidates until none is left;
// false when the clock ran out first.
bool Ils::buscaLocal() {
  for (;;) {
    while (s_.numLivres() > 0) s_.insere(s_.livre(rng_.abaixo(s_.numLivres())));
    if (!s_.temCandidato()) return true;
    if (esgotado()) return false;
    const int x = s_.tiraCandidato(static_cast<size_t>(rng_.abaixo(static_cast<int>(s_.numCandidatos()))));
    if (s_.membro(x)) tentaTroca(x);
  }
}

// Puts x in, its conflicting members out.
void Ils::forca(int x) {
  if (s_.membro(x)) return;
  h_.paraVizinhos(x, [&](int y) {
    if (s_.membro(y)) s_.remove(y);
  });
  s_.insere(x);
}

// Mostly one copy forced in; now and then (about once in 2|S| rounds)
// k = i + 1 with probability 2^-i, the others drawn at distance two from the
// first so that the change stays in one region.  The first copy is the less
// tight of two drawn among the copies of vertices out of the set.  Drawn
// among all outside copies it would mostly be a member's other side, whose
// forcing moves that member and throws out its neighbours: on the real
// networks that wastes most rounds.  Yet three first draws in ten are of
// that kind, which keeps the search from circling in one region.
void Ils::perturba() {
  int k = 1;
  if (rng_.real() * 2.0 * std::max(1, s_.tamanho()) < 1.0) {
    k = 2;
    while (rng_.abaixo(2) == 0) k++;
  }
  auto sorteia = [&] { return 2 * s_.verticeFora(rng_.abaixo(s_.numVerticesFora())) + rng_.abaixo(2); };
  int x = rng_.abaixo(10) < 3 ? s_.fora(rng_.abaixo(s_.numFora())) : sorteia();
  const int y = sorteia();
  if (s_.aperto(y) < s_.aperto(x)) x = y;
  forca(x);
  if (k == 1) return;
  lista_.clear();
  h_.paraVizinhos(x, [&](int w) {
    h_.paraVizinhos(w, [&](int z) {
      if (z != x && !s_.membro(z)) lista_.push_back(z);
    });
  });
  s_.somaTrabalho(static_cast<int64_t>(lista_.size()));
  for (int i = 1; i < k && !lista_.empty(); i++) {
    const int z = lista_[static_cast<size_t>(rng_.abaixo(static_cast<int>(lista_.size())))];
    if (s_.membro(z)) continue;
    bool conflitaComX = false;
    h_.paraVizinhos(z, [&](int w) { conflitaComX |= w == x; });
    if (!conflitaComX) forca(z);
  }
}

Conjunto Ils::executa(const Conjunto& inicial, int64_t maxIteracoes) {
  const int n = h_.numCopias() / 2;
  if (static_cast<int>(inicial.lado.size()) == n)
    for (int v = 0; v < n; v++) {
      const int l = inicial.lado[v];
      if (l < 0) continue;
      const int x = 2 * v + (l & 1);
      if (!s_.membro(x) && s_.aperto(x) == 0) s_.insere(x);
    }
  const bool completou = buscaLocal();
  guardaMelhor();
  if (!completou || n == 0) return conjuntoDe(std::move(melhor_));
  for (int64_t it = 0; maxIteracoes < 0 || it < maxIteracoes; it++) {
    if (esgotado() || s_.numVerticesFora() == 0) break;  // 0: the whole graph
    const int antes = s_.tamanho();
    s_.registra();
    perturba();
    const bool terminou = buscaLocal();
    const int depois = s_.tamanho();
    if (depois > melhorTam_) guardaMelhor();
    if (!terminou) break;
    // A smaller set is kept with probability 1 / (1 + d * d*), d and d*
    // its distances to the set before the round and to the best set.
    if (depois >= antes ||
        rng_.real() * (1.0 + static_cast<double>(antes - depois) * (melhorTam_ - depois)) < 1.0) {
      s_.esquece();
    } else {
      s_.desfaz();
      s_.esqueceCandidatos();
    }
  }
  return conjuntoDe(std::move(melhor_));
}

}  // namespace

BuscaLocal::BuscaLocal(const GrafoSimples& g, uint64_t semente)
    : h_(std::make_unique<const GrafoDuplo>(g)), semente_(semente) {}

BuscaLocal::~BuscaLocal() = default;

// Vertices in order of increasing degree, each on its preferred side when
// that copy is still open, else on the other.  What makes the start good is
// that the sides agree across the graph: chosen copy by copy (ties broken at
// random, say) they split it into patches whose sides clash along their
// borders, and the swaps cannot mend that, since mending a border means
// moving a whole patch.  So every vertex first prefers side 0, the right
// side for the positive edges that dominate real networks, then takes the
// side most of its neighbours' preferences ask for, in a few sweeps.
Conjunto BuscaLocal::guloso() {
  const GrafoDuplo& h = *h_;
  const int n = h.numCopias() / 2;
  std::vector<signed char> preferido(static_cast<size_t>(n), 0);
  for (int varredura = 0; varredura < 3; varredura++)
    for (int v = 0; v < n; v++) {
      // Code c for w asks v to take side 1 ^ (c & 1) ^ side(w); the two
      // codes of a double edge ask for both and cancel out.
      int votos[2] = {0, 0};
      for (const int c : h.codigos(v)) votos[1 ^ (c & 1) ^ preferido[c >> 1]]++;
      if (votos[0] != votos[1]) preferido[v] = votos[1] > votos[0];
    }
  // Counting sort by degree.
  int grauMax = 0;
  for (int v = 0; v < n; v++) grauMax = std::max(grauMax, static_cast<int>(h.codigos(v).size()));
  std::vector<int> inicio(static_cast<size_t>(grauMax) + 2, 0), ordem(static_cast<size_t>(n));
  for (int v = 0; v < n; v++) inicio[h.codigos(v).size() + 1]++;
  for (int d = 0; d <= grauMax; d++) inicio[d + 1] += inicio[d];
  for (int v = 0; v < n; v++) ordem[inicio[h.codigos(v).size()]++] = v;

  std::vector<char> fechado(static_cast<size_t>(2 * n), 0);
  std::vector<signed char> lado(static_cast<size_t>(n), -1);
  for (const int v : ordem) {
    int x = 2 * v + preferido[v];
    if (fechado[x]) x ^= 1;
    if (fechado[x]) continue;
    lado[v] = static_cast<signed char>(x & 1);
    h.paraVizinhos(x, [&](int y) { fechado[y] = 1; });
  }
  return conjuntoDe(std::move(lado));
}

Conjunto BuscaLocal::melhora(const Conjunto& inicial, const Prazo& prazo, int64_t maxIteracoes) {
  Aleatorio rng(semente_);
  semente_ = rng.proximo();
  Ils ils(*h_, rng, prazo);
  return ils.executa(inicial, maxIteracoes);
}

}  // namespace buscaLocal
