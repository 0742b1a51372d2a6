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
#include <cstdio>
#include <numeric>
#include <vector>

#include "base/memoria.h"
#include "base/opcoes.h"
#include "base/relogio.h"
#include "driver/acompanhamento.h"
#include "driver/escolhaDoMotor.h"
#include "driver/resolucaoCombinatoria.h"
#include "localsearch/BuscaLocal.h"
#include "search/busca.h"

namespace {

std::vector<char> membros(const buscaLocal::Conjunto& c) {
  std::vector<char> r(c.lado.size());
  for (size_t v = 0; v < c.lado.size(); v++) r[v] = c.lado[v] >= 0;
  return r;
}

Reducao reduz(const GrafoSimples& g, const Prazo& prazo, Perfil& perfil) {
  MedeEtapa medida(perfil, ETAPA_REDUCAO);
  return Reducao(g, prazo);
}

int tamanho(const std::vector<char>& escolhido) {
  return static_cast<int>(std::count(escolhido.begin(), escolhido.end(), 1));
}

}  // namespace

ExecucaoPorPecas::ExecucaoPorPecas(const GrafoSimples& entrada, const Prazo& prazo, Perfil& perfil)
    : inicio_(agora()),
      grafo_(entrada),
      prazo_(prazo),
      perfil_(perfil),
      reducao_(reduz(grafo_, prazo, perfil)) {
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

int ExecucaoPorPecas::primeirosConjuntos() {
  // Greedy for every piece, then local search, each piece taking a share of
  // the time in proportion to its size.
  const std::vector<Peca>& pecas = reducao_.pecas();
  const int k = static_cast<int>(pecas.size());
  MedeEtapa medida(perfil_, ETAPA_BUSCA_LOCAL);
  solucoes_.assign(k, {});
  int total = reducao_.valorFixo();
  const double segundos = buscaLocal::tempoDoPrimeiroConjunto(prazo_.restantes());
  int64_t soma = 0;
  for (const Peca& p : pecas) soma += p.grafo.numVertices();
  for (int i = 0; i < k; i++) {
    const double fatia = soma > 0 ? segundos * pecas[i].grafo.numVertices() / soma : 0.0;
    const buscaLocal::Conjunto melhor = buscaLocal::comPaciencia(pecas[i].grafo, fatia, prazo_);
    solucoes_[i] = membros(melhor);
    total += melhor.tamanho;
  }
  return total;
}

bool ExecucaoPorPecas::resolve(Relatorio& rel, Progresso* progresso, SolucaoViva* viva) {
  const Reducao& reducao = reducao_;
  const std::vector<Peca>& pecas = reducao.pecas();
  const int k = static_cast<int>(pecas.size());

  int total = primeirosConjuntos();
  std::printf("Solucao inicial: %d vertices\n", total);
  std::fflush(stdout);
  // The first set goes to disk at once, and each piece's better sets as its
  // search finds them, lifted onto the input with the others' sets.
  if (viva != nullptr && viva->devida(total)) {
    double cota = reducao.valorFixo();
    for (const Peca& p : pecas) cota += p.grafo.numVertices();
    viva->grava(reducao.reconstroi(solucoes_), cota);
  }
  const Acompanhamento acompanhamento = acompanhamentoDa(progresso, viva);

  // One search per piece, the smallest first, while there is time.
  std::vector<int> ordem(k);
  std::iota(ordem.begin(), ordem.end(), 0);
  std::stable_sort(ordem.begin(), ordem.end(), [&](int a, int b) {
    return pecas[a].grafo.numVertices() < pecas[b].grafo.numVertices();
  });
  AjustesDaBusca ajustes = ajustesDasOpcoes();
  ajustes.RELATA_MODELO = COMPLETE_PRINT;
  if (HEURISTICA_PRIMAL) std::printf("*** Heuristica Primal sera usada\n");
  // Each piece's engine: -c, or the rule of -a, or the branch-and-cut.
  std::vector<MotorAutomatico> motor(k, COMBINATORIO ? MotorAutomatico::combinatorio
                                                     : MotorAutomatico::branchAndCut);
  if (AUTOMATICO)
    for (int i = 0; i < k; i++) motor[i] = motorAutomatico(pecas[i].grafo);
  const auto combinatorios = std::count(motor.begin(), motor.end(), MotorAutomatico::combinatorio);
  const bool algumaCombinatoria =
      combinatorios + std::count(motor.begin(), motor.end(), MotorAutomatico::raizDecide) > 0;
  if (algumaCombinatoria) std::printf("*** Algoritmo combinatorio.\n");
  if (!algumaCombinatoria || combinatorios < k)
    std::printf(BRANCH_AND_CUT ? "*** Algoritmo de branch-and-cut.\n"
                               : "*** Algoritmo de branch-and-bound puro.\n");
  double limitante = reducao.valorFixo(), relaxacao = limitante, raiz = limitante;
  long tiquesSeparacao = 0;
  int64_t naoResolvidos = 0;  // vertices of the pieces not searched yet
  for (const Peca& p : pecas) naoResolvidos += p.grafo.numVertices();
  for (const int i : ordem) {
    const GrafoSimples& g = pecas[i].grafo;
    naoResolvidos -= g.numVertices();
    const int tamanhoInicial = tamanho(solucoes_[i]);
    if (prazo_.passou()) {
      limitante += g.numVertices();
      relaxacao += g.numVertices();
      raiz += g.numVertices();
      continue;
    }
    if (COMPLETE_PRINT)
      std::printf("Peca %d: %d vertices, %lld arestas, solucao inicial %d\n", i, g.numVertices(),
                  static_cast<long long>(g.numArestas()), tamanhoInicial);
    const double fora = total - tamanhoInicial;
    const double limitanteFora = limitante + static_cast<double>(naoResolvidos);
    if (progresso != nullptr) progresso->fora(fora, limitanteFora);
    if (viva != nullptr)
      viva->fora(fora, limitanteFora, [&, i](const std::vector<char>& daPeca) {
        std::vector<std::vector<char>> todas = solucoes_;
        todas[i] = daPeca;
        return reducao.reconstroi(todas);
      });
    const ResultadoBusca r =
        resolvePeca(g, solucoes_[i], motor[i], prazo_, ajustes, acompanhamento, stdout);
    perfil_.soma(r.perfil);
    if (r.zstar > tamanhoInicial + 0.5) {
      total += static_cast<int>(r.zstar + 0.5) - tamanhoInicial;
      solucoes_[i] = r.escolhido;
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
    somaContagens(rel, r);
    if (i == maior_) rel.noMelhor = r.noMelhor;
    std::fflush(stdout);
  }
  if (progresso != nullptr) progresso->fora(0, 0);
  if (viva != nullptr) viva->fora(0, 0, nullptr);

  // The whole set, checked on the input graph by code that shares nothing
  // with the search, before anything is reported.
  const std::vector<char> escolhido = reducao.reconstroi(solucoes_);
  const int obtido = tamanho(escolhido);
  const bool valido = obtido == total && equilibrado(grafo_, escolhido, &rel.lados);
  const unsigned long tiques = static_cast<unsigned long>(sysconf(_SC_CLK_TCK));
  rel.zstar = valido ? total : -1e20;
  if (maior_ < 0) rel.noMelhor = 0;
  rel.tempo = static_cast<unsigned long>(agora() - inicio_) / tiques;
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
                         "esperados) nao passou na verificacao final\n", obtido, total);
  return valido;
}
