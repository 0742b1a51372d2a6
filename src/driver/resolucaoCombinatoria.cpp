// The combinatorial solve: first set, exact search, figures.
#include "driver/resolucaoCombinatoria.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "base/memoria.h"
#include "base/opcoes.h"
#include "base/perfil.h"
#include "base/relogio.h"
#include "localsearch/BuscaLocal.h"
#include "combinatorial/Combinatorio.h"
#include "driver/solucaoViva.h"
#include "search/busca.h"
#include "search/progresso.h"

namespace {

// The thresholds of -a (see motorAutomatico).
const int MAXIMO_DENSO = 5000;
const double DENSIDADE_MINIMA = 0.5;
const int MAXIMO_MINUSCULO = 20;
const int MAXIMO_ESPARSO = 300;

}  // namespace

ResultadoBusca resolveCombinatorio(const GrafoSimples& g, const std::vector<char>* inicial,
                                   std::chrono::steady_clock::time_point fim) {
  if (HEURISTICA_PRIMAL && RELATA_MODELO) std::printf("*** Heuristica Primal sera usada\n");
  if (RELATA_MODELO) std::printf("*** Algoritmo combinatorio.\n");
  std::fflush(stdout);
  const clock_t inicio = agora();
  std::vector<signed char> lados;
  if (inicial != nullptr) {
    if (!equilibrado(g, *inicial, &lados)) lados.clear();
  } else if (HEURISTICA_PRIMAL) {
    const double segundos = buscaLocal::tempoDoPrimeiroConjunto(segundosRestantes());
    lados = buscaLocal::comPaciencia(g, segundos, prazo()).lado;
  }
  combinatorio::BuscaExata::Progresso progresso;
  if (PROGRESSO)
    progresso = [](int64_t nos, int abertos, int valor, int limitante) {
      relataProgressoCombinatorio(nos, abertos, valor, limitante);
    };
  // -s: the best set goes to disk while the search runs.
  combinatorio::BuscaExata::Vigia vigia;
  double limitanteVisto = 1e40;
  if (ARQUIVO_SOLUCAO != nullptr) {
    vigia.quer = [&limitanteVisto](int valor, int limitante) {
      limitanteVisto = limitante;
      return solucaoVivaDevida(valor);
    };
    vigia.recebe = [&limitanteVisto](const std::vector<signed char>& lado) {
      std::vector<char> escolhido(lado.size());
      for (size_t v = 0; v < lado.size(); v++) escolhido[v] = lado[v] >= 0;
      gravaSolucaoViva(escolhido, limitanteVisto);
    };
  }
  combinatorio::Ajustes ajustes;
  ajustes.paralelo = LINHAS;
  std::optional<MedeEtapa> medida(ETAPA_COMBINATORIO);
  const combinatorio::ResultadoExato e =
      combinatorio::resolveGrafo(g, lados, std::min(fim, prazo()), ajustes, progresso, &vigia);
  medida.reset();

  ResultadoBusca r;
  r.tiques = static_cast<unsigned long>(agora() - inicio);
  r.zstar = e.valor;
  r.escolhido.resize(e.lado.size());
  for (size_t v = 0; v < e.lado.size(); v++) r.escolhido[v] = e.lado[v] >= 0;
  r.noMelhor = static_cast<int>(std::min<int64_t>(e.noMelhor, INT_MAX));
  r.limitante = e.limitante;
  r.relaxacao = e.limitanteInicial;
  r.raiz = e.limitanteRaiz;
  r.raizResolvida = true;
  r.nos = static_cast<int>(std::min<int64_t>(e.nos, INT_MAX));
  // A whole instance leaves its set on the verification trail; a reduced run
  // records the rebuilt whole itself.
  if (!REDUZIR) registraConjunto(r.escolhido);
  return r;
}

double segundosDaSonda() {
  // Read once: for measuring the automatic mode with and without its probe.
  static const double segundos = [] {
    const char* texto = std::getenv("BCTOVSEL_SONDA");
    if (texto == nullptr || *texto == '\0') return SEGUNDOS_DA_SONDA;
    char* fimTexto = nullptr;
    const double s = std::strtod(texto, &fimTexto);
    return *fimTexto == '\0' && s >= 0 && s <= 60 ? s : SEGUNDOS_DA_SONDA;
  }();
  return segundos;
}

MotorAutomatico motorAutomatico(const GrafoSimples& g) {
  const combinatorio::Componente c = combinatorio::maiorComponente(g);
  if (c.vertices <= MAXIMO_MINUSCULO) return MotorAutomatico::combinatorio;
  const double n = c.vertices;
  const bool denso = 2.0 * static_cast<double>(c.arestas) >= DENSIDADE_MINIMA * n * (n - 1);
  if (c.vertices > (denso ? MAXIMO_DENSO : MAXIMO_ESPARSO)) return MotorAutomatico::branchAndCut;
  const int64_t tem = memoriaDisponivel();
  if (tem >= 0 && combinatorio::BuscaExata::memoria(c.vertices, LINHAS) + (64ll << 20) > tem)
    return MotorAutomatico::branchAndCut;
  return denso ? MotorAutomatico::combinatorio : MotorAutomatico::raizDecide;
}

void exigeMemoriaCombinatoria(const GrafoSimples& g) {
  const int64_t vertices = combinatorio::maiorComponente(g).vertices;
  char descricao[160];
  if (LINHAS > 1)
    std::snprintf(descricao, sizeof descricao,
                  "o motor combinatorio sobre uma componente de %lld vertices, com %d linhas de execucao",
                  static_cast<long long>(vertices), LINHAS);
  else
    std::snprintf(descricao, sizeof descricao,
                  "o motor combinatorio sobre uma componente de %lld vertices",
                  static_cast<long long>(vertices));
  exigeBytes(combinatorio::BuscaExata::memoria(vertices, LINHAS) + (64ll << 20), descricao);
}
