// The reduced run: reduction, first sets by local search, one search per
// piece, and the rebuilt whole.
//
// Figures of the report for the whole instance: the value is what the rules
// fixed plus the pieces' values; the bound, the first relaxation and the root
// value are what the rules fixed plus the pieces' (a piece the deadline left
// unsearched counts with its size, a bound on any of its sets); cuts, rows and
// nodes are summed; the times are those of the whole solve after reading.
#include "driver/pecas.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <optional>
#include <vector>

#include "base/erro.h"
#include "base/memoria.h"
#include "base/opcoes.h"
#include "base/perfil.h"
#include "base/relogio.h"
#include "localsearch/BuscaLocal.h"
#include "driver/resolucao.h"
#include "driver/resolucaoCombinatoria.h"
#include "driver/solucaoViva.h"
#include "graph/GrafoSimples.h"
#include "graph/grafo.h"
#include "reduction/Reducao.h"
#include "search/busca.h"
#include "search/progresso.h"

namespace {

// Two searches of one piece as one: the better set, the lower bound (each
// holds), the nodes and separation time of both.
void juntaBusca(ResultadoBusca& a, const ResultadoBusca& b) {
  if (a.zstar < b.zstar) {
    a.zstar = b.zstar;
    a.escolhido = b.escolhido;
  }
  a.limitante = std::min(std::max(a.limitante, a.zstar), std::max(b.limitante, b.zstar));
  a.tiquesSeparacao += b.tiquesSeparacao;
  a.nos += b.nos;
}

std::vector<char> membros(const buscaLocal::Conjunto& c) {
  std::vector<char> r(c.lado.size());
  for (size_t v = 0; v < c.lado.size(); v++) r[v] = c.lado[v] >= 0;
  return r;
}

}  // namespace

namespace {

Reducao reduz(const GrafoSimples& g) {
  MedeEtapa medida(ETAPA_REDUCAO);
  return Reducao(g, prazo());
}

}  // namespace

ExecucaoPorPecas::ExecucaoPorPecas(const GrafoSimples& entrada)
    : inicio_(agora()), grafo_(entrada), reducao_(reduz(grafo_)) {
  const std::vector<Peca>& pecas = reducao_.pecas();
  for (int i = 0; i < static_cast<int>(pecas.size()); i++)
    if (maior_ < 0 || pecas[i].grafo.numVertices() > pecas[maior_].grafo.numVertices()) maior_ = i;
  const int n = maior_ < 0 ? 0 : pecas[maior_].grafo.numVertices();
  const int64_t m = maior_ < 0 ? 0 : pecas[maior_].grafo.numArestas();
  std::printf("Reducao: %d vertices fixados (%d na solucao), %d pecas, a maior com %d vertices e "
              "%lld arestas\n",
              reducao_.verticesFixados(), reducao_.valorFixo(), static_cast<int>(pecas.size()), n,
              static_cast<long long>(m));
  // -a gives the combinatorial engine only small or dense pieces, which fit.
  if (COMBINATORIO && maior_ >= 0) exigeMemoriaCombinatoria(pecas[maior_].grafo);
  else if (!COMBINATORIO) exigeMemoriaDaBusca(n, m);
}

bool ExecucaoPorPecas::resolve(Relatorio& rel) {
  const GrafoSimples& grafo = grafo_;
  const Reducao& reducao = reducao_;
  const clock_t inicio = inicio_;
  const int maior = maior_;
  const std::vector<Peca>& pecas = reducao.pecas();
  const int k = static_cast<int>(pecas.size());

  // First sets: greedy for every piece, then local search, each piece taking
  // a share of the time in proportion to its size.
  std::vector<std::vector<char>> solucoes(k);
  int total = reducao.valorFixo();
  {
    MedeEtapa medida(ETAPA_BUSCA_LOCAL);
    const double segundos = buscaLocal::tempoDoPrimeiroConjunto(segundosRestantes());
    int64_t soma = 0;
    for (const Peca& p : pecas) soma += p.grafo.numVertices();
    for (int i = 0; i < k; i++) {
      const double fatia = soma > 0 ? segundos * pecas[i].grafo.numVertices() / soma : 0.0;
      const buscaLocal::Conjunto melhor = buscaLocal::comPaciencia(pecas[i].grafo, fatia, prazo());
      solucoes[i] = membros(melhor);
      total += melhor.tamanho;
    }
  }
  std::printf("Solucao inicial: %d vertices\n", total);
  std::fflush(stdout);
  // -s: the first set goes to disk at once, and each piece's better sets as
  // its search finds them, lifted onto the input with the others' sets.
  if (ARQUIVO_SOLUCAO != nullptr) {
    iniciaSolucaoViva(&grafo, rel.arestas);
    ganchoDeMelhora = solucaoVivaDoArmazem;
    if (solucaoVivaDevida(total)) {
      double cota = reducao.valorFixo();
      for (const Peca& p : pecas) cota += p.grafo.numVertices();
      gravaSolucaoViva(reducao.reconstroi(solucoes), cota);
    }
  }

  // One search per piece, the smallest first, while there is time.
  std::vector<int> ordem(k);
  std::iota(ordem.begin(), ordem.end(), 0);
  std::stable_sort(ordem.begin(), ordem.end(), [&](int a, int b) {
    return pecas[a].grafo.numVertices() < pecas[b].grafo.numVertices();
  });
  const int relataModelo = RELATA_MODELO;
  RELATA_MODELO = COMPLETE_PRINT;
  if (HEURISTICA_PRIMAL) std::printf("*** Heuristica Primal sera usada\n");
  // Each piece's engine: -c, or the rule of -a, or the branch-and-cut.
  std::vector<MotorAutomatico> motor(k, COMBINATORIO ? MotorAutomatico::combinatorio
                                                     : MotorAutomatico::branchAndCut);
  if (AUTOMATICO)
    for (int i = 0; i < k; i++) motor[i] = motorAutomatico(pecas[i].grafo);
  const bool algumaCombinatoria = std::count(motor.begin(), motor.end(), MotorAutomatico::combinatorio) +
                                      std::count(motor.begin(), motor.end(), MotorAutomatico::raizDecide) > 0;
  if (algumaCombinatoria) std::printf("*** Algoritmo combinatorio.\n");
  if (!algumaCombinatoria || std::count(motor.begin(), motor.end(), MotorAutomatico::combinatorio) < k)
    std::printf(BRANCH_AND_CUT ? "*** Algoritmo de branch-and-cut.\n"
                               : "*** Algoritmo de branch-and-bound puro.\n");
  double limitante = reducao.valorFixo(), relaxacao = limitante, raiz = limitante;
  long tiquesSeparacao = 0;
  int64_t naoResolvidos = 0;  // vertices of the pieces not searched yet
  for (const Peca& p : pecas) naoResolvidos += p.grafo.numVertices();
  for (const int i : ordem) {
    const GrafoSimples& g = pecas[i].grafo;
    naoResolvidos -= g.numVertices();
    const int tamanhoInicial =
        static_cast<int>(std::count(solucoes[i].begin(), solucoes[i].end(), 1));
    if (tempoEsgotado()) {
      limitante += g.numVertices();
      relaxacao += g.numVertices();
      raiz += g.numVertices();
      continue;
    }
    if (COMPLETE_PRINT)
      std::printf("Peca %d: %d vertices, %lld arestas, solucao inicial %d\n", i, g.numVertices(),
                  static_cast<long long>(g.numArestas()), tamanhoInicial);
    progressoFora(total - tamanhoInicial, limitante + static_cast<double>(naoResolvidos));
    solucaoVivaFora(total - tamanhoInicial, limitante + static_cast<double>(naoResolvidos),
                    [&, i](const std::vector<char>& daPeca) {
                      std::vector<std::vector<char>> todas = solucoes;
                      todas[i] = daPeca;
                      return reducao.reconstroi(todas);
                    });
    ResultadoBusca r;
    // A piece the root decides is first given a short probe of the
    // combinatorial engine, which proves most small sparse pieces in it; the
    // branch-and-cut then starts from the probe's best set, and the probe's
    // bound and nodes count with its own.
    std::optional<ResultadoBusca> sonda;
    bool resolvida = false;
    if (motor[i] == MotorAutomatico::raizDecide && segundosDaSonda() > 0) {
      const auto fimDaSonda = std::chrono::steady_clock::now() +
                              std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                  std::chrono::duration<double>(segundosDaSonda()));
      sonda = resolveCombinatorio(g, &solucoes[i], fimDaSonda);
      if (sonda->limitante < sonda->zstar + 0.5 || tempoEsgotado()) {
        r = std::move(*sonda);
        sonda.reset();
        resolvida = true;
      }
    }
    if (resolvida) {
      // proved by the probe (or stopped by the deadline within it)
    } else if (motor[i] == MotorAutomatico::combinatorio) {
      r = resolveCombinatorio(g, &solucoes[i]);
    } else {
      const std::vector<char>& inicial =
          sonda && sonda->zstar > tamanhoInicial + 0.5 ? sonda->escolhido : solucoes[i];
      carregaArmazem(g);
      if (motor[i] == MotorAutomatico::raizDecide)
        armaDesistencia(GAP_DE_DESISTENCIA, segundosDaRaizAutomatica(segundosRestantes()));
      r = resolveArmazem(g, &inicial);
      const bool desistiu = buscaDesistida();
      desarmaDesistencia();
      XPRSdestroyprob(prob);
      prob = nullptr;
      liberaGrafo();
      if (desistiu && !tempoEsgotado()) {
        // The combinatorial engine takes over from the best set so far; what
        // the branch-and-cut spent is counted, and its bound still holds.
        const bool melhorou = r.zstar > tamanhoInicial + 0.5;
        ResultadoBusca c = resolveCombinatorio(g, melhorou ? &r.escolhido : &solucoes[i]);
        juntaBusca(c, r);
        c.cortes = r.cortes;
        c.cortesCiclo = r.cortesCiclo;
        c.cortesClique = r.cortesClique;
        c.cortesIndSet = r.cortesIndSet;
        c.cortesGerais = r.cortesGerais;
        c.linhasClique = r.linhasClique;
        c.linhasCiclo = r.linhasCiclo;
        c.linhasK1K2 = r.linhasK1K2;
        r = std::move(c);
      }
      if (sonda) juntaBusca(r, *sonda);
    }
    if (r.zstar > tamanhoInicial + 0.5) {
      total += static_cast<int>(r.zstar + 0.5) - tamanhoInicial;
      solucoes[i] = r.escolhido;
    }
    const double limitantePeca = std::max(r.zstar, r.limitante);
    limitante += limitantePeca;
    // A root LP the deadline cut short leaves the piece's size as its value.
    // One the first incumbent cut off never reaches the separation, which
    // records the root values (an LP of a nonempty piece is at least 1): the
    // piece's own bound, which that root proved, stands for them.
    const bool raizCortada = r.raizResolvida && r.relaxacao <= 0;
    relaxacao += !r.raizResolvida ? g.numVertices() : raizCortada ? limitantePeca : r.relaxacao;
    raiz += !r.raizResolvida ? g.numVertices() : raizCortada ? limitantePeca : r.raiz;
    tiquesSeparacao += r.tiquesSeparacao;
    rel.cortes += r.cortes;
    rel.cortesCiclo += r.cortesCiclo;
    rel.cortesClique += r.cortesClique;
    rel.cortesIndSet += r.cortesIndSet;
    rel.cortesGerais += r.cortesGerais;
    rel.linhasClique += r.linhasClique;
    rel.linhasCiclo += r.linhasCiclo;
    rel.linhasK1K2 += r.linhasK1K2;
    rel.nos += r.nos;
    if (i == maior) rel.noMelhor = r.noMelhor;
    std::fflush(stdout);
  }
  RELATA_MODELO = relataModelo;
  ganchoDeMelhora = nullptr;
  solucaoVivaFora(0, 0, nullptr);

  // The whole set, checked on the input graph by code that shares nothing
  // with the search, before anything is reported.
  const std::vector<char> escolhido = reducao.reconstroi(solucoes);
  const int tamanho = static_cast<int>(std::count(escolhido.begin(), escolhido.end(), 1));
  const bool valido = tamanho == total && equilibrado(grafo, escolhido, &rel.lados);
  const unsigned long tiques = static_cast<unsigned long>(sysconf(_SC_CLK_TCK));
  rel.zstar = valido ? total : -1e20;
  if (maior < 0) rel.noMelhor = 0;
  rel.tempo = static_cast<unsigned long>(agora() - inicio) / tiques;
  rel.tempoSeparacao = static_cast<unsigned long>(tiquesSeparacao) / tiques;
  rel.limitante = limitante;
  rel.relaxacao = relaxacao;
  rel.raiz = raiz;
  if (valido) {
    registraConjunto(escolhido);
    rel.escolhido = escolhido;
  } else {
    rel.lados.clear();
  }
  if (!valido)
    std::fprintf(stderr, "BCTovsel: erro interno: o conjunto reconstruido (%d vertices, %d "
                         "esperados) nao passou na verificacao final\n", tamanho, total);
  return valido;
}
