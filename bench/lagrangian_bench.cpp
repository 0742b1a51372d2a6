// The first-order dual bound on one instance: reduces it, takes the largest
// piece (or, with -g, the whole graph), and prints the bound-versus-time
// curve (seconds, bound, iterations, rows in the pool).
//
//   lagrangian_bench [-t seg] [-g] [-L seg] [-k linhas] [-e iteracoes] instancia
//
// -L: seconds of local search for the set whose value steers the steps;
// -k: new rows per separation at most; -e: steps between separations.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "graph/GrafoSimples.h"
#include "lagrangian/Lagrangiano.h"
#include "leInstancia.h"
#include "localsearch/BuscaLocal.h"
#include "reduction/Reducao.h"

int main(int argc, char** argv) {
  double segundos = 60, segundosBL = 2;
  bool inteiro = false;
  lagrangiano::Ajustes ajustes;
  int i = 1;
  for (; i < argc && argv[i][0] == '-'; i++) {
    const char* o = argv[i];
    const bool temValor = i + 1 < argc;
    if (std::strcmp(o, "-g") == 0) inteiro = true;
    else if (std::strcmp(o, "-t") == 0 && temValor) segundos = std::atof(argv[++i]);
    else if (std::strcmp(o, "-L") == 0 && temValor) segundosBL = std::atof(argv[++i]);
    else if (std::strcmp(o, "-k") == 0 && temValor) ajustes.linhasPorSeparacao = std::atoi(argv[++i]);
    else if (std::strcmp(o, "-e") == 0 && temValor) ajustes.iteracoesPorSeparacao = std::atoi(argv[++i]);
    else break;
  }
  if (i + 1 != argc) {
    std::fprintf(stderr, "uso: %s [-t seg] [-g] [-L seg] [-k linhas] [-e iteracoes] instancia\n", argv[0]);
    return 2;
  }
  GrafoSimples g;
  if (!leInstancia(argv[i], g)) {
    std::fprintf(stderr, "%s: instancia ilegivel\n", argv[i]);
    return 2;
  }
  const Reducao red(g);
  int fixo = 0;
  const GrafoSimples* peca = maiorPeca(g, red, inteiro, fixo);
  std::printf("instancia %s: peca %d vertices, %lld arestas, fixo %d\n", argv[i], peca->numVertices(),
              static_cast<long long>(peca->numArestas()), fixo);
  lagrangiano::Parametros p;
  p.grafo = peca;
  p.ajustes = ajustes;
  if (segundosBL > 0) {
    const buscaLocal::Conjunto c =
        buscaLocal::comPaciencia(*peca, segundosBL, std::chrono::steady_clock::time_point::max());
    p.alvo = c.tamanho;
    std::printf("busca local: %d vertices\n", c.tamanho);
  }
  p.prazo = Prazo(std::chrono::steady_clock::now() +
                  std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                      std::chrono::duration<double>(segundos)));
  double ultimo = -1;
  p.aoMelhorar = [&](const lagrangiano::Ponto& pt) {
    if (pt.segundos - ultimo < 1.0 && pt.iteracoes > 0) return;
    ultimo = pt.segundos;
    std::printf("%8.2f s  limitante %12.2f  iteracoes %8lld  linhas %8d\n", pt.segundos, pt.limitante,
                static_cast<long long>(pt.iteracoes), pt.linhas);
    std::fflush(stdout);
  };
  lagrangiano::Resultado r;
  lagrangiano::limita(p, &r);
  std::printf("fim: limitante %.2f (total %.2f), %lld iteracoes, %zu linhas\n", r.limitante,
              r.limitante + fixo, static_cast<long long>(r.iteracoes), r.linhas.size());
}
