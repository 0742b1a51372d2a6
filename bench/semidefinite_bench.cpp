// The semidefinite bound on one instance: reduces it, takes the largest
// piece (or, with -g, the whole graph), and prints the bound-versus-time
// curve (seconds, certified bound, the relaxation's best feasible value,
// the certified lambda_min, outer iterations), then optionally rounds the
// low-rank primal (random hyperplanes, each improved by the local search)
// against the local search alone for the same time.
//
//   semidefinite_bench [-t seg] [-p posto] [-M posto] [-P passos] [-i seg] [-g] [-f] [-T] [-V] [-W] [-B parte] [-L seg] [-a voltas] [-b seg] [-s semente] instancia
//
// -p/-M: the primal's first and largest rank; -P: L-BFGS steps per outer
// iteration, at most;
// -W: the second block (the set's own products, Ajustes::produtos);
// -B: the share of the time left at the end to the spectral bundle;
// -V: how far the final primal breaks rows every balanced set keeps (0 <=
// s Y_uw <= min(Y_uu, Y_ww) on an edge, the triangles of negative sign);
// -T: the rows x_a + x_b + x_c <= 2 of every triangle no balanced set
// holds whole (what an LP would start from on a small dense graph);
// -f: the primal runs to the deadline, the last certificate after it;
// -L: the local search's first set (that many seconds) starts the primal
// (0: a random start); -a/-b: roundings, each with -b seconds of local search;
// -n/-c: child nodes (the most fractional vertices fixed out, then in),
// each bounded for -c seconds from a cold start and warm from the root's
// multipliers and primal.
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "graph/GrafoSimples.h"
#include "leInstancia.h"
#include "localsearch/BuscaLocal.h"
#include "reduction/Reducao.h"
#include "semidefinite/Arredondamento.h"
#include "semidefinite/Semidefinida.h"

namespace {

int tamanho(const std::vector<signed char>& lado) {
  int t = 0;
  for (const signed char l : lado) t += l >= 0;
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  // One BLAS thread, as the program has: with a thread per processor the
  // certificates' timing, which decides when the primal stops for the last
  // one, is not the program's (two runs side by side waited on each other's
  // spinning threads, and one predicted so long a certificate that it never
  // started).
  using Define = void (*)(int);
  if (auto define = reinterpret_cast<Define>(dlsym(RTLD_DEFAULT, "openblas_set_num_threads"))) define(1);
  double segundos = 60, intervalo = 1, segundosBL = 5, segundosVolta = 2;
  int posto = 30, voltas = 0, filhos = 0, passos = 500, postoMax = 120;
  double segundosFilho = 10, parteFeixe = 0;
  bool inteiro = false, semReserva = false, triangulos = false, violacoes = false, produtos = false;
  uint64_t semente = 1;
  int i = 1;
  for (; i < argc && argv[i][0] == '-'; i++) {
    const char* o = argv[i];
    const bool temValor = i + 1 < argc;
    if (std::strcmp(o, "-g") == 0) inteiro = true;
    else if (std::strcmp(o, "-f") == 0) semReserva = true;
    else if (std::strcmp(o, "-T") == 0) triangulos = true;
    else if (std::strcmp(o, "-V") == 0) violacoes = true;
    else if (std::strcmp(o, "-W") == 0) produtos = true;
    else if (std::strcmp(o, "-t") == 0 && temValor) segundos = std::atof(argv[++i]);
    else if (std::strcmp(o, "-B") == 0 && temValor) parteFeixe = std::atof(argv[++i]);
    else if (std::strcmp(o, "-p") == 0 && temValor) posto = std::atoi(argv[++i]);
    else if (std::strcmp(o, "-P") == 0 && temValor) passos = std::atoi(argv[++i]);
    else if (std::strcmp(o, "-M") == 0 && temValor) postoMax = std::atoi(argv[++i]);
    else if (std::strcmp(o, "-i") == 0 && temValor) intervalo = std::atof(argv[++i]);
    else if (std::strcmp(o, "-L") == 0 && temValor) segundosBL = std::atof(argv[++i]);
    else if (std::strcmp(o, "-a") == 0 && temValor) voltas = std::atoi(argv[++i]);
    else if (std::strcmp(o, "-b") == 0 && temValor) segundosVolta = std::atof(argv[++i]);
    else if (std::strcmp(o, "-n") == 0 && temValor) filhos = std::atoi(argv[++i]);
    else if (std::strcmp(o, "-c") == 0 && temValor) segundosFilho = std::atof(argv[++i]);
    else if (std::strcmp(o, "-s") == 0 && temValor) semente = std::strtoull(argv[++i], nullptr, 10);
    else break;
  }
  if (i + 1 != argc) {
    std::fprintf(stderr,
                 "uso: %s [-t seg] [-p posto] [-M posto] [-P passos] [-i seg] [-g] [-f] [-T] [-V] [-W] [-B parte] [-L seg] [-a voltas] [-b seg] [-n filhos] [-c seg] [-s semente] "
                 "instancia\n",
                 argv[0]);
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
  std::printf("instancia %s: %d vertices, %lld arestas; peca %d vertices, %lld arestas, %zu pecas, "
              "fixo %d%s\n",
              argv[i], g.numVertices(), static_cast<long long>(g.numArestas()), peca->numVertices(),
              static_cast<long long>(peca->numArestas()), red.pecas().size(), fixo,
              red.pecas().size() == 1 || inteiro ? "" : " (varias pecas: total nao somado)");

  semidefinida::Parametros p;
  p.grafo = peca;
  p.ajustes.posto = posto;
  p.ajustes.postoMax = std::max(posto, postoMax);
  p.ajustes.passosPorIteracao = passos;
  p.ajustes.produtos = produtos;
  p.ajustes.parteFeixe = parteFeixe;
  p.ajustes.intervaloCertificado = intervalo;
  p.ajustes.guardaFator = voltas > 0 || filhos > 0 || violacoes;
  p.ajustes.semente = semente;
  p.ajustes.reservaCertificado = !semReserva;
  if (triangulos) {
    const GrafoSimples& h = *peca;
    for (int a = 0; a < h.numVertices(); a++)
      for (const int b : h.vizinhos(a)) {
        if (b <= a) continue;
        const int sab = h.sinal(a, b);
        for (const int c : h.vizinhos(b)) {
          if (c <= b) continue;
          const int sac = h.sinal(a, c), sbc = h.sinal(b, c);
          if (sac == 0) continue;
          if (sab == 2 || sac == 2 || sbc == 2 || sab * sac * sbc < 0)
            p.linhas.push_back({{a, b, c}, {1, 1, 1}, 2, 0});
        }
      }
    std::printf("linhas de triangulos: %zu\n", p.linhas.size());
  }
  int melhorBL = 0;
  if (segundosBL > 0) {
    const auto t0 = std::chrono::steady_clock::now();
    const buscaLocal::Conjunto c =
        buscaLocal::comPaciencia(*peca, segundosBL, std::chrono::steady_clock::time_point::max());
    p.ladoInicial = c.lado;
    melhorBL = c.tamanho;
    std::printf("busca local: %d vertices em %.2f s (total %d)\n", c.tamanho,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(),
                fixo + c.tamanho);
  }
  const auto inicio = std::chrono::steady_clock::now();
  p.prazo = inicio + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                         std::chrono::duration<double>(segundos));
  std::printf("%10s %14s %14s %14s %10s %10s\n", "segundos", "limitante", "primal", "lambda_min",
              "iteracoes", "total");
  p.aoCertificar = [&](const semidefinida::Ponto& q) {
    std::printf("%10.2f %14.3f %14.3f %14.3e %10lld %10d\n", q.segundos, q.limitante,
                q.valorPrimal, q.lambdaMin, static_cast<long long>(q.iteracoes),
                fixo + static_cast<int>(q.limitante + 1e-9));
    std::fflush(stdout);
  };
  const semidefinida::Resultado r = semidefinida::limita(p);
  const semidefinida::Estatisticas& e = r.estatisticas;
  std::printf("limitante %.3f (inicial %.3f), primal %.3f; %.2f s, %lld iteracoes, %lld passos, "
              "%d certificados, %d fatoracoes, %.2f s nos certificados\n",
              r.limitante, r.limitanteInicial, r.valorPrimal, e.segundos,
              static_cast<long long>(e.iteracoes), static_cast<long long>(e.passosInternos),
              e.certificados, e.fatoracoes, e.segundosCertificado);

  if (violacoes) {
    // Rows a balanced set satisfies and the relaxation need not, at the
    // final primal: with X_uw = s Y_uw on an edge of sign s, 0 <= X_uw <=
    // min(Y_uu, Y_ww), and X_ab + X_bc + X_ac <= 1 on a triangle of
    // negative sign product (never whole in a balanced set).
    const GrafoSimples& h = *peca;
    const int rr = r.posto;
    auto prod = [&](int a, int b) {
      double s = 0;
      for (int j = 0; j < rr; j++) s += r.fator[static_cast<size_t>(a) * rr + j] * r.fator[static_cast<size_t>(b) * rr + j];
      return s;
    };
    int64_t negativos = 0, acima = 0, tri = 0, triViol = 0;
    double somaTri = 0, maxTri = 0, somaNeg = 0, somaAcima = 0;
    for (int a = 0; a < h.numVertices(); a++)
      for (const int b : h.vizinhos(a)) {
        if (b <= a) continue;
        const int sab = h.sinal(a, b);
        if (sab == 2) continue;
        const double xab = sab * prod(a, b);
        if (xab < -1e-3) negativos++, somaNeg -= xab;
        const double lim = std::min(prod(a, a), prod(b, b));
        if (xab > lim + 1e-3) acima++, somaAcima += xab - lim;
        for (const int c : h.vizinhos(b)) {
          if (c <= b) continue;
          const int sac = h.sinal(a, c), sbc = h.sinal(b, c);
          if (sac == 0 || sac == 2 || sbc == 2 || sab * sac * sbc > 0) continue;
          tri++;
          const double t = xab + sac * prod(a, c) + sbc * prod(b, c) - 1;
          if (t > 1e-3) triViol++, somaTri += t, maxTri = std::max(maxTri, t);
        }
      }
    std::printf("X < 0: %lld (soma %.2f); X > min(Y_uu, Y_ww): %lld (soma %.2f); triangulos de sinal "
                "negativo: %lld, violados %lld (soma %.2f, maior %.3f)\n",
                static_cast<long long>(negativos), somaNeg, static_cast<long long>(acima), somaAcima,
                static_cast<long long>(tri), static_cast<long long>(triViol), somaTri, maxTri);
  }

  if (filhos > 0) {
    // The most fractional vertices: |r_v|^2 nearest 1/2.
    std::vector<std::pair<double, int>> frac;
    for (int v = 0; v < peca->numVertices(); v++) {
      double q = 0;
      for (int j = 0; j < r.posto; j++) q += r.fator[static_cast<size_t>(v) * r.posto + j] * r.fator[static_cast<size_t>(v) * r.posto + j];
      frac.push_back({std::fabs(q - 0.5), v});
    }
    std::sort(frac.begin(), frac.end());
    std::printf("%6s %6s %6s %12s %12s %12s %12s\n", "filho", "vertice", "fixo", "frio", "s_frio",
                "morno", "s_morno");
    for (int f = 0; f < std::min(filhos, peca->numVertices()); f++)
      for (const semidefinida::Fixo fx : {semidefinida::Fixo::fora, semidefinida::Fixo::dentro}) {
        const int v = frac[f].second;
        double lim[2], seg[2];
        for (int morno = 0; morno < 2; morno++) {
          semidefinida::Parametros q;
          q.grafo = peca;
          q.ajustes = p.ajustes;
          q.ajustes.guardaFator = false;
          q.fixos.assign(static_cast<size_t>(peca->numVertices()), semidefinida::Fixo::livre);
          q.fixos[v] = fx;
          if (morno) {
            q.inicio = r.multiplicadores;
            q.fatorInicial = r.fator;
            q.postoInicial = r.posto;
            q.ajustes.sigmaInicial = r.sigma;
          }
          std::vector<std::pair<double, double>> curva;
          q.aoCertificar = [&](const semidefinida::Ponto& z) { curva.push_back({z.segundos, z.limitante}); };
          q.prazo = std::chrono::steady_clock::now() +
                    std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                        std::chrono::duration<double>(segundosFilho));
          const semidefinida::Resultado rf = semidefinida::limita(q);
          lim[morno] = rf.limitante;
          seg[morno] = rf.estatisticas.segundos;
          // When the curve first came within a half of its end.
          for (const auto& [t, b] : curva)
            if (b <= rf.limitante + 0.5) {
              seg[morno] = t;
              break;
            }
        }
        std::printf("%6d %6d %6s %12.3f %12.2f %12.3f %12.2f\n", f, v,
                    fx == semidefinida::Fixo::fora ? "fora" : "dentro", lim[0], seg[0], lim[1], seg[1]);
        std::fflush(stdout);
      }
  }

  if (voltas > 0) {
    buscaLocal::BuscaLocal bl(*peca, semente);
    int melhor = 0;
    for (int v = 0; v < voltas; v++) {
      const auto t0 = std::chrono::steady_clock::now();
      buscaLocal::Conjunto c;
      c.lado = semidefinida::hiperplano(*peca, r.fator, r.posto, semente + 100 + v, 0.5);
      c.tamanho = tamanho(c.lado);
      const int antes = c.tamanho;
      const buscaLocal::Conjunto m =
          bl.melhora(c, t0 + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                 std::chrono::duration<double>(segundosVolta)));
      melhor = std::max(melhor, m.tamanho);
      std::printf("arredondamento %d: hiperplano %d, busca local %d (total %d)\n", v, antes,
                  m.tamanho, fixo + m.tamanho);
    }
    // The local search alone, as long as all the roundings' searches.
    const auto t0 = std::chrono::steady_clock::now();
    const buscaLocal::Conjunto so = bl.melhora(
        bl.guloso(), t0 + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(segundosVolta * voltas)));
    std::printf("melhor arredondado %d (total %d); busca local so, %.0f s: %d (total %d); "
                "primeiro conjunto %d\n",
                melhor, fixo + melhor, segundosVolta * voltas, so.tamanho, fixo + so.tamanho,
                melhorBL);
  }
  return 0;
}
