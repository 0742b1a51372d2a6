// Reduction figures per instance: what is left for the exact search
// (vertices, edges, pieces, the largest piece), the fixed value and the
// time taken; with -c, how often each rule was applied.  Each rebuild from
// empty piece sets is checked to be balanced and of the fixed value.
//
//   reduction_bench [-c] instancia...
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "graph/GrafoSimples.h"
#include "leInstancia.h"
#include "reduction/Reducao.h"

int main(int argc, char** argv) {
  bool regras = false;
  int primeiro = 1;
  if (argc > 1 && std::strcmp(argv[1], "-c") == 0) {
    regras = true;
    primeiro = 2;
  }
  if (primeiro >= argc) {
    std::fprintf(stderr, "uso: %s [-c] instancia...\n", argv[0]);
    return 2;
  }
  std::printf("%-28s %8s %8s %8s %8s %6s %8s %8s %7s %8s\n", "instancia", "n", "m", "n_nucleo",
              "m_nucleo", "pecas", "n_maior", "m_maior", "fixo", "tempo_s");
  int falhas = 0;
  for (int i = primeiro; i < argc; i++) {
    GrafoSimples g;
    if (!leInstancia(argv[i], g)) {
      std::fprintf(stderr, "%s: instancia ilegivel\n", argv[i]);
      falhas++;
      continue;
    }
    const auto inicio = std::chrono::steady_clock::now();
    const Reducao r(g);
    const double segundos =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    int64_t nNucleo = 0, mNucleo = 0, nMaior = 0, mMaior = 0;
    std::vector<std::vector<char>> vazios;
    for (const Peca& p : r.pecas()) {
      nNucleo += p.grafo.numVertices();
      mNucleo += p.grafo.numArestas();
      if (p.grafo.numVertices() > nMaior) {
        nMaior = p.grafo.numVertices();
        mMaior = p.grafo.numArestas();
      }
      vazios.emplace_back(static_cast<size_t>(p.grafo.numVertices()), 0);
    }
    const std::vector<char> s = r.reconstroi(vazios);
    int tamanho = 0;
    for (const char c : s) tamanho += c != 0;
    const bool certo = equilibrado(g, s) && tamanho == r.valorFixo() &&
                       r.verticesFixados() + nNucleo == g.numVertices();
    if (!certo) falhas++;
    const char* nome = std::strrchr(argv[i], '/');
    std::printf("%-28s %8d %8lld %8lld %8lld %6zu %8lld %8lld %7d %8.3f%s\n",
                nome ? nome + 1 : argv[i], g.numVertices(), static_cast<long long>(g.numArestas()),
                static_cast<long long>(nNucleo), static_cast<long long>(mNucleo), r.pecas().size(),
                static_cast<long long>(nMaior), static_cast<long long>(mMaior), r.valorFixo(),
                segundos, certo ? "" : "  FALHA");
    if (regras) {
      std::printf("   ");
      for (const auto& [regra, vezes] : r.contagens())
        std::printf(" %s=%lld", regra, static_cast<long long>(vezes));
      std::printf("\n");
    }
    std::fflush(stdout);
  }
  return falhas == 0 ? 0 : 1;
}
