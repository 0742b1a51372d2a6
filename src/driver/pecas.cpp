// The reduced run: reduction, first sets by local search, one search per
// piece (the large branch-and-cut pieces at once, on the run's threads), and
// the rebuilt whole.
//
// Figures of the report for the whole instance: the value is what the rules
// fixed plus the pieces' values; the bound, the first relaxation and the root
// value are what the rules fixed plus the pieces' (a piece the deadline left
// unsearched counts with its size, a bound on any of its sets); cuts, rows and
// nodes are summed; the times are those of the whole solve after reading.
// The pieces' figures are added in the order of the pieces (the smallest
// first), whatever the order their searches end in, so that the report does
// not depend on the number of threads.
#include "driver/pecas.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <numeric>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/memoria.h"
#include "base/opcoes.h"
#include "driver/acompanhamentoPorPeca.h"
#include "driver/resolucaoCombinatoria.h"
#include "localsearch/BuscaLocal.h"
#include "search/busca.h"

namespace {

// Pieces of the branch-and-cut from this size on are worth a thread each:
// smaller ones take well under a second, and their searches run one after
// another before the large ones.
const int MINIMO_PECA_CONCORRENTE = 300;

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

// What a piece's search prints, kept apart while pieces are searched at once
// and written out in the order of the pieces.
class SaidaGuardada {
 public:
  SaidaGuardada() : f_(open_memstream(&texto_, &tamanho_)) {}
  ~SaidaGuardada() {
    if (f_ != nullptr) std::fclose(f_);
    std::free(texto_);
  }
  SaidaGuardada(const SaidaGuardada&) = delete;
  SaidaGuardada& operator=(const SaidaGuardada&) = delete;
  // Where the search prints (standard output when no buffer could be had).
  std::FILE* arquivo() { return f_ != nullptr ? f_ : stdout; }
  void despeja() {
    if (f_ == nullptr) return;
    std::fclose(f_);
    f_ = nullptr;
    std::fwrite(texto_, 1, tamanho_, stdout);
  }

 private:
  char* texto_ = nullptr;
  size_t tamanho_ = 0;
  std::FILE* f_;
};

}  // namespace

ExecucaoPorPecas::ExecucaoPorPecas(const GrafoSimples& entrada, const Prazo& prazo, Perfil& perfil)
    : inicio_(agora()),
      grafo_(entrada),
      prazo_(prazo),
      perfil_(perfil),
      reducao_(reduz(grafo_, prazo, perfil)) {
  const std::vector<Peca>& pecas = reducao_.pecas();
  const int k = static_cast<int>(pecas.size());
  for (int i = 0; i < k; i++)
    if (maior_ < 0 || pecas[i].grafo.numVertices() > pecas[maior_].grafo.numVertices()) maior_ = i;
  const int n = maior_ < 0 ? 0 : pecas[maior_].grafo.numVertices();
  const int64_t m = maior_ < 0 ? 0 : pecas[maior_].grafo.numArestas();
  std::printf("Reducao: %d vertices fixados (%d na solucao), %d pecas, a maior com %d vertices e "
              "%lld arestas\n",
              reducao_.verticesFixados(), reducao_.valorFixo(), k, n, static_cast<long long>(m));
  // Each piece's engine: -c, or the rule of -a, or the branch-and-cut.
  motor_.assign(k, COMBINATORIO ? MotorAutomatico::combinatorio : MotorAutomatico::branchAndCut);
  if (AUTOMATICO)
    for (int i = 0; i < k; i++) motor_[i] = motorAutomatico(pecas[i].grafo);
  // -a gives the combinatorial engine only small or dense pieces, which fit.
  if (COMBINATORIO) {
    if (maior_ >= 0) exigeMemoriaCombinatoria(pecas[maior_].grafo);
    return;
  }
  // The searches run at once need their memory at once.
  std::vector<int> ordem(k);
  std::iota(ordem.begin(), ordem.end(), 0);
  std::stable_sort(ordem.begin(), ordem.end(), [&](int a, int b) {
    return pecas[a].grafo.numVertices() < pecas[b].grafo.numVertices();
  });
  int linhas = 0;
  const int juntas = std::min(pecasConcorrentes(ordem, &linhas), linhas);
  if (juntas < 2) {
    exigeMemoriaDaBusca(n, m);
    return;
  }
  int64_t precisa = 0;
  for (int t = 0; t < juntas; t++) {
    const GrafoSimples& g = pecas[ordem[k - 1 - t]].grafo;
    precisa += memoriaEstimada(g.numVertices(), g.numArestas(), true);
  }
  char descricao[160];
  std::snprintf(descricao, sizeof descricao, "%d pecas ao mesmo tempo, a maior com %d vertices e %lld arestas",
                juntas, n, static_cast<long long>(m));
  exigeBytes(precisa, descricao);
}

void ExecucaoPorPecas::iniciaLimitantesCedo(const AjustesDaBusca& ajustes) {
  const std::vector<Peca>& pecas = reducao_.pecas();
  cedo_.clear();
  cedo_.resize(pecas.size());
  for (size_t i = 0; i < pecas.size(); i++) {
    const GrafoSimples& g = pecas[i].grafo;
    if ((ajustes.DESLIGADAS & DESLIGA_CEDO) || motor_[i] != MotorAutomatico::branchAndCut ||
        g.numVertices() < VERTICES_DO_LIMITANTE_CEDO || !querLimitanteSemidefinido(g, ajustes))
      continue;
    buscaLocal::BuscaLocal busca(g, 1);
    cedo_[i] = std::make_unique<LimitanteSemidefinido>(g, membros(busca.guloso()), prazo_, 0.0,
                                                       ajustes.PERFIL != 0,
                                                       !(ajustes.DESLIGADAS & DESLIGA_LAGRANGIANO), true);
  }
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
    if (i < static_cast<int>(cedo_.size()) && cedo_[i]) cedo_[i]->conjuntoInicial(solucoes_[i]);
  }
  return total;
}

int ExecucaoPorPecas::pecasConcorrentes(const std::vector<int>& ordem, int* linhas) const {
  // The large branch-and-cut pieces, at the end of the order; only with
  // threads to spare and two of them at least.
  const std::vector<Peca>& pecas = reducao_.pecas();
  int juntas = 0;
  for (auto it = ordem.rbegin(); it != ordem.rend(); ++it) {
    if (pecas[*it].grafo.numVertices() < MINIMO_PECA_CONCORRENTE ||
        motor_[*it] != MotorAutomatico::branchAndCut)
      break;
    juntas++;
  }
  *linhas = LINHAS;
  return LINHAS > 1 && juntas >= 2 ? juntas : 0;
}

ResultadoBusca ExecucaoPorPecas::resolvePeca(int i, const AjustesDaBusca& ajustes,
                                             AcompanhamentoPorPeca& acomp, std::FILE* saida) {
  const GrafoSimples& g = reducao_.pecas()[i].grafo;
  if (COMPLETE_PRINT)
    std::fprintf(saida, "Peca %d: %d vertices, %lld arestas, solucao inicial %d\n", i, g.numVertices(),
                 static_cast<long long>(g.numArestas()), tamanho(solucoes_[i]));
  ResultadoBusca r =
      ::resolvePeca(g, solucoes_[i], motor_[i], prazo_, ajustes, acomp.daPeca(i), saida,
                    i < static_cast<int>(cedo_.size()) ? cedo_[i].get() : nullptr);
  acomp.terminou(i, r);
  return r;
}

void ExecucaoPorPecas::contaPeca(int i, const ResultadoBusca* r, Relatorio& rel, Soma& soma) {
  const GrafoSimples& g = reducao_.pecas()[i].grafo;
  if (r == nullptr) {
    // Unsearched, a piece's bound is its size, or the one its early bound
    // proved, whose time counts in the profile all the same.
    const bool cedo = i < static_cast<int>(cedo_.size()) && cedo_[i];
    soma.limitante += cedo ? std::min<double>(g.numVertices(), cedo_[i]->termina()) : g.numVertices();
    if (cedo) perfil_.soma(cedo_[i]->perfil());
    soma.relaxacao += g.numVertices();
    soma.raiz += g.numVertices();
    return;
  }
  perfil_.soma(r->perfil);
  const int tamanhoInicial = tamanho(solucoes_[i]);
  if (r->zstar > tamanhoInicial + 0.5) {
    soma.total += static_cast<int>(r->zstar + 0.5) - tamanhoInicial;
    solucoes_[i] = r->escolhido;
  }
  const double limitantePeca = std::max(r->zstar, r->limitante);
  soma.limitante += limitantePeca;
  // A root LP the deadline cut short leaves the piece's size as its value.
  // One the first incumbent cut off never reaches the separation, which
  // records the root values (an LP of a nonempty piece is at least 1): the
  // piece's own bound, which that root proved, stands for them.
  const bool raizCortada = r->raizResolvida && r->relaxacao <= 0;
  soma.relaxacao += !r->raizResolvida ? g.numVertices() : raizCortada ? limitantePeca : r->relaxacao;
  soma.raiz += !r->raizResolvida ? g.numVertices() : raizCortada ? limitantePeca : r->raiz;
  soma.tiquesSeparacao += r->tiquesSeparacao;
  somaContagens(rel, *r);
  if (i == maior_) rel.noMelhor = r->noMelhor;
}

bool ExecucaoPorPecas::resolve(Relatorio& rel, Progresso* progresso, SolucaoViva* viva) {
  const Reducao& reducao = reducao_;
  const std::vector<Peca>& pecas = reducao.pecas();
  const int k = static_cast<int>(pecas.size());

  AjustesDaBusca ajustes = ajustesDasOpcoes();
  ajustes.RELATA_MODELO = COMPLETE_PRINT;
  iniciaLimitantesCedo(ajustes);
  Soma soma;
  soma.total = primeirosConjuntos();
  std::printf("Solucao inicial: %d vertices\n", soma.total);
  std::fflush(stdout);
  // The first set goes to disk at once, and each piece's better sets as its
  // search finds them, lifted onto the input with the others' sets.
  if (viva != nullptr && viva->devida(soma.total)) {
    double cota = reducao.valorFixo();
    for (const Peca& p : pecas) cota += p.grafo.numVertices();
    viva->grava(reducao.reconstroi(solucoes_), cota);
  }
  AcompanhamentoPorPeca acompanhamentos(reducao, solucoes_, progresso, viva);

  // One search per piece, the smallest first, while there is time.
  std::vector<int> ordem(k);
  std::iota(ordem.begin(), ordem.end(), 0);
  std::stable_sort(ordem.begin(), ordem.end(), [&](int a, int b) {
    return pecas[a].grafo.numVertices() < pecas[b].grafo.numVertices();
  });
  if (HEURISTICA_PRIMAL) std::printf("*** Heuristica Primal sera usada\n");
  const auto combinatorios = std::count(motor_.begin(), motor_.end(), MotorAutomatico::combinatorio);
  bool algumaCombinatoria =
      combinatorios + std::count(motor_.begin(), motor_.end(), MotorAutomatico::raizDecide) > 0;
  for (int i = 0; i < k && !algumaCombinatoria; i++)
    algumaCombinatoria = motor_[i] == MotorAutomatico::branchAndCut && querCombinatorioAoLado(pecas[i].grafo, ajustes);
  if (algumaCombinatoria) std::printf("*** Algoritmo combinatorio.\n");
  if (!algumaCombinatoria || combinatorios < k)
    std::printf(BRANCH_AND_CUT ? "*** Algoritmo de branch-and-cut.\n"
                               : "*** Algoritmo de branch-and-bound puro.\n");
  soma.limitante = soma.relaxacao = soma.raiz = reducao.valorFixo();
  int linhas = 0;
  const int juntas = pecasConcorrentes(ordem, &linhas);
  const int sozinhas = k - juntas;
  for (int p = 0; p < sozinhas; p++) {
    const int i = ordem[p];
    if (prazo_.passou()) {
      contaPeca(i, nullptr, rel, soma);
      continue;
    }
    const ResultadoBusca r = resolvePeca(i, ajustes, acompanhamentos, stdout);
    contaPeca(i, &r, rel, soma);
    std::fflush(stdout);
  }
  if (juntas > 0) {
    // The large pieces at once: each thread takes the next piece, its
    // search's cycle searches on its share of the threads.  Their lines and
    // figures come out in the order of the pieces.
    const int fios = std::min(juntas, linhas);
    AjustesDaBusca daJunta = ajustes;
    daJunta.LINHAS = std::max(1, linhas / fios);
    std::vector<std::optional<ResultadoBusca>> resultados(juntas);
    std::vector<std::unique_ptr<SaidaGuardada>> saidas(juntas);
    for (auto& s : saidas) s = std::make_unique<SaidaGuardada>();
    std::atomic<int> proxima{0};
    auto trabalha = [&] {
      for (int p = proxima++; p < juntas; p = proxima++) {
        if (prazo_.passou()) continue;
        resultados[p] = resolvePeca(ordem[sozinhas + p], daJunta, acompanhamentos, saidas[p]->arquivo());
      }
    };
    std::vector<std::thread> ajudantes;
    for (int t = 1; t < fios; t++) ajudantes.emplace_back(trabalha);
    trabalha();
    for (std::thread& t : ajudantes) t.join();
    for (int p = 0; p < juntas; p++) {
      saidas[p]->despeja();
      contaPeca(ordem[sozinhas + p], resultados[p] ? &*resultados[p] : nullptr, rel, soma);
      std::fflush(stdout);
    }
  }

  // The whole set, checked on the input graph by code that shares nothing
  // with the search, before anything is reported.
  const std::vector<char> escolhido = reducao.reconstroi(solucoes_);
  const int obtido = tamanho(escolhido);
  const bool valido = obtido == soma.total && equilibrado(grafo_, escolhido, &rel.lados);
  const unsigned long tiques = static_cast<unsigned long>(sysconf(_SC_CLK_TCK));
  rel.zstar = valido ? soma.total : -1e20;
  if (maior_ < 0) rel.noMelhor = 0;
  rel.tempo = static_cast<unsigned long>(agora() - inicio_) / tiques;
  rel.tempoSeparacao = static_cast<unsigned long>(soma.tiquesSeparacao) / tiques;
  rel.limitante = soma.limitante;
  rel.relaxacao = soma.relaxacao;
  rel.raiz = soma.raiz;
  if (valido) {
    registraConjunto(escolhido);
    rel.escolhido = escolhido;
  } else {
    rel.lados.clear();
  }
  if (!valido)
    std::fprintf(stderr, "BCTovsel: erro interno: o conjunto reconstruido (%d vertices, %d "
                         "esperados) nao passou na verificacao final\n", obtido, soma.total);
  return valido;
}
