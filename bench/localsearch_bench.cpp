// What the local search reaches on an instance file (graph form: n m, then
// u w s per edge): its set-up time, the greedy set and its time, then the
// improved set (all times from the start of the set-up) after
// each time limit given; or, with -a, the fewest perturbations (and the time
// of a run with that cap) in which it reaches a target size, per seed.
//
//   localsearch_bench [-s semente] [-m maxIteracoes] arquivo segundos...
//   localsearch_bench -a alvo [-s semente] [-r sementes] [-m maxIteracoes] arquivo
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "localsearch/BuscaLocal.h"
#include "graph/GrafoSimples.h"

namespace {

using Relogio = std::chrono::steady_clock;

double segundosDesde(Relogio::time_point t0) {
  return std::chrono::duration<double>(Relogio::now() - t0).count();
}

GrafoSimples leGrafo(const char* caminho) {
  FILE* f = std::fopen(caminho, "r");
  if (f == nullptr) {
    std::fprintf(stderr, "nao abre %s\n", caminho);
    std::exit(2);
  }
  int n = 0;
  long m = 0;
  if (std::fscanf(f, "%d %ld", &n, &m) != 2) {
    std::fprintf(stderr, "cabecalho invalido em %s\n", caminho);
    std::exit(2);
  }
  std::vector<ArestaSinal> arestas(static_cast<size_t>(m));
  for (ArestaSinal& a : arestas)
    if (std::fscanf(f, "%d %d %d", &a.u, &a.w, &a.sinal) != 3) {
      std::fprintf(stderr, "aresta invalida em %s\n", caminho);
      std::exit(2);
    }
  std::fclose(f);
  return GrafoSimples(n, arestas);
}

bool confere(const GrafoSimples& g, const buscaLocal::Conjunto& c) {
  std::vector<char> escolhido(c.lado.size());
  int k = 0;
  for (size_t v = 0; v < c.lado.size(); v++) k += escolhido[v] = c.lado[v] >= 0;
  return k == c.tamanho && equilibrado(g, escolhido);
}

}  // namespace

int main(int argc, char** argv) {
  uint64_t semente = 1;
  int alvo = -1, sementes = 1;
  int64_t maxIteracoes = -1;
  int i = 1;
  for (; i + 1 < argc && argv[i][0] == '-'; i += 2) {
    if (!std::strcmp(argv[i], "-s")) semente = std::strtoull(argv[i + 1], nullptr, 10);
    else if (!std::strcmp(argv[i], "-a")) alvo = std::atoi(argv[i + 1]);
    else if (!std::strcmp(argv[i], "-r")) sementes = std::atoi(argv[i + 1]);
    else if (!std::strcmp(argv[i], "-m")) maxIteracoes = std::strtoll(argv[i + 1], nullptr, 10);
    else break;
  }
  if (i >= argc || (alvo < 0 && i + 1 >= argc)) {
    std::fprintf(stderr,
                 "uso: %s [-s semente] [-m maxIteracoes] arquivo segundos...\n"
                 "     %s -a alvo [-s semente] [-r sementes] [-m maxIteracoes] arquivo\n",
                 argv[0], argv[0]);
    return 2;
  }
  const char* arquivo = argv[i];
  const GrafoSimples g = leGrafo(arquivo);
  std::printf("%s: n %d, m %lld\n", arquivo, g.numVertices(), static_cast<long long>(g.numArestas()));

  if (alvo >= 0) {
    // A run is a function of its seed and cap, so the first cap that reaches
    // the target is found by doubling then bisection.
    for (int r = 0; r < sementes; r++) {
      const uint64_t sem = semente + static_cast<uint64_t>(r);
      auto roda = [&](int64_t cap, double* tempo) {
        const auto t0 = Relogio::now();
        buscaLocal::BuscaLocal b(g, sem);
        const buscaLocal::Conjunto c = b.melhora(b.guloso(), Relogio::time_point::max(), cap);
        if (tempo != nullptr) *tempo = segundosDesde(t0);
        return c.tamanho;
      };
      const int64_t teto = maxIteracoes < 0 ? int64_t{1} << 40 : maxIteracoes;
      int64_t alto = 0;
      while (roda(alto, nullptr) < alvo && alto < teto) alto = alto == 0 ? 1 : 2 * alto;
      if (roda(alto, nullptr) < alvo) {
        std::printf("semente %llu: alvo %d nao alcancado em %lld perturbacoes\n",
                    static_cast<unsigned long long>(sem), alvo, static_cast<long long>(alto));
        continue;
      }
      int64_t baixo = alto / 2;  // below the target (or 0)
      while (alto - baixo > 1) {
        const int64_t meio = (baixo + alto) / 2;
        (roda(meio, nullptr) >= alvo ? alto : baixo) = meio;
      }
      double tempo = 0;
      roda(alto, &tempo);
      std::printf("semente %llu: alvo %d em %lld perturbacoes, %.4f s\n",
                  static_cast<unsigned long long>(sem), alvo, static_cast<long long>(alto), tempo);
    }
    return 0;
  }

  for (int j = i + 1; j < argc; j++) {
    const double limite = std::atof(argv[j]);
    const auto t0 = Relogio::now();
    buscaLocal::BuscaLocal b(g, semente);
    const double tMontagem = segundosDesde(t0);
    const buscaLocal::Conjunto ini = b.guloso();
    const double tGuloso = segundosDesde(t0) - tMontagem;
    const auto prazo = t0 + std::chrono::duration_cast<Relogio::duration>(std::chrono::duration<double>(limite));
    const buscaLocal::Conjunto c = b.melhora(ini, prazo, maxIteracoes);
    const double tTotal = segundosDesde(t0);
    std::printf("limite %.1f s: montagem %.3f s, guloso %d (%.3f s), busca %d (%.2f s)%s\n", limite, tMontagem,
                ini.tamanho, tGuloso, c.tamanho, tTotal, confere(g, ini) && confere(g, c) ? "" : "  DESEQUILIBRADO");
    std::fflush(stdout);
  }
  return 0;
}
