// The effect of each part of the combinatorial engine: solves one instance
// with every part on, then with each switched off in turn, and prints a row
// per variant (seconds, nodes, root bound, value, bound).
//
//   build-bench/combinatorial_bench [-m] [-1] [-b|-l] [-j threads] [-t seconds] instance
//
// -m reads the instance as a matrix; -1 runs only the variant with every
// part on; -b and -l make the refinements find conflicts by rows of bits or
// by lists (by default the graph's density chooses); -j searches with that
// many threads; -t limits each variant (default 60).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/opcoes.h"
#include "localsearch/BuscaLocal.h"
#include "combinatorial/Combinatorio.h"
#include "graph/GrafoSimples.h"
#include "graph/grafo.h"
#include "graph/leitura.h"

int main(int argc, char** argv) {
  bool matriz = false, soTudo = false;
  auto conflitos = combinatorio::Ajustes::Conflitos::automatico;
  int linhas = 1;
  double segundos = 60;
  int c;
  while ((c = getopt(argc, argv, "m1blj:t:")) != -1) {
    if (c == 'm') matriz = true;
    else if (c == '1') soTudo = true;
    else if (c == 'b') conflitos = combinatorio::Ajustes::Conflitos::bits;
    else if (c == 'l') conflitos = combinatorio::Ajustes::Conflitos::listas;
    else if (c == 'j') linhas = std::atoi(optarg);
    else if (c == 't') segundos = std::atof(optarg);
    else return 2;
  }
  if (optind + 1 != argc) {
    std::fprintf(stderr, "uso: %s [-m] [-1] [-b|-l] [-j linhas] [-t segundos] instancia\n", argv[0]);
    return 2;
  }
  std::FILE* in = std::fopen(argv[optind], "r");
  if (in == nullptr) {
    std::perror(argv[optind]);
    return 1;
  }
  // The readers report on standard output; only the rows belong there.
  std::fflush(stdout);
  const int salva = dup(STDOUT_FILENO);
  std::freopen("/dev/null", "w", stdout);
  GRAPH_INSTANCE = matriz ? 0 : 1;
  const GrafoSimples g = matriz ? leMatrizDe(in, Prazo()) : leGrafoDe(in, Prazo());
  std::fclose(in);
  std::fflush(stdout);
  dup2(salva, STDOUT_FILENO);

  using Relogio = std::chrono::steady_clock;
  const auto inicial = buscaLocal::comPaciencia(g, 1.0, Relogio::now() + std::chrono::seconds(1)).lado;
  struct Variante {
    const char* nome;
    combinatorio::Ajustes ajustes;
  };
  const Variante variantes[] = {
      {"tudo", {}},
      {"sem-simetria", {.simetria = false}},
      {"sem-recoloracao", {.recoloracao = false}},
      {"sem-maxsat", {.maxsat = false}},
      {"sem-reducao", {.reducao = false}},
      {"sem-grupos", {.grupos = false}},
      {"sem-dinamica", {.dinamica = false}},
      {"so-cobertura", {.simetria = false, .recoloracao = false, .maxsat = false, .reducao = false,
                        .grupos = false, .dinamica = false}},
  };
  std::printf("variante\tsegundos\tnos\traiz\tvalor\tlimitante\tprovado\n");
  for (Variante v : variantes) {
    v.ajustes.conflitos = conflitos;
    v.ajustes.paralelo = linhas;
    const Relogio::time_point inicio = Relogio::now();
    const auto prazo = inicio + std::chrono::duration_cast<Relogio::duration>(
                                    std::chrono::duration<double>(segundos));
    const combinatorio::ResultadoExato r = combinatorio::resolveGrafo(g, inicial, prazo, v.ajustes);
    const double s = std::chrono::duration<double>(Relogio::now() - inicio).count();
    std::printf("%s\t%.2f\t%lld\t%d\t%d\t%d\t%s\n", v.nome, s, static_cast<long long>(r.nos),
                r.limitanteRaiz, r.valor, r.limitante, r.completo ? "sim" : "nao");
    std::fflush(stdout);
    if (soTudo) break;
  }
  return 0;
}
