// The combinatorial solve: first set, exact search, figures.
#include "driver/resolucaoCombinatoria.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "base/memoria.h"
#include "base/perfil.h"
#include "localsearch/BuscaLocal.h"
#include "combinatorial/Combinatorio.h"
#include "search/busca.h"

ResultadoBusca resolveCombinatorio(const GrafoSimples& g, const std::vector<char>* inicial,
                                   const Prazo& prazo, const AjustesDaBusca& ajustes,
                                   const Acompanhamento& acomp, std::FILE* saida) {
  if (ajustes.HEURISTICA_PRIMAL && ajustes.RELATA_MODELO)
    std::fprintf(saida, "*** Heuristica Primal sera usada\n");
  if (ajustes.RELATA_MODELO) std::fprintf(saida, "*** Algoritmo combinatorio.\n");
  std::fflush(saida);
  ResultadoBusca r;
  r.perfil.ligado = ajustes.PERFIL != 0;
  const clock_t inicio = agora();
  std::vector<signed char> lados;
  if (inicial != nullptr) {
    if (!equilibrado(g, *inicial, &lados)) lados.clear();
  } else if (ajustes.HEURISTICA_PRIMAL) {
    const double segundos = buscaLocal::tempoDoPrimeiroConjunto(prazo.restantes());
    lados = buscaLocal::comPaciencia(g, segundos, prazo).lado;
  }
  combinatorio::BuscaExata::Progresso progresso;
  if (acomp.progresso)
    progresso = [&acomp](int64_t nos, int abertos, int valor, int limitante) {
      acomp.progresso(nos, abertos, valor, limitante);
    };
  // The best set goes to disk while the search runs.
  combinatorio::BuscaExata::Vigia vigia;
  double limitanteVisto = 1e40;
  if (acomp.quer) {
    vigia.quer = [&limitanteVisto, &acomp](int valor, int limitante) {
      limitanteVisto = limitante;
      return acomp.quer(valor);
    };
    vigia.recebe = [&limitanteVisto, &acomp](const std::vector<signed char>& lado) {
      std::vector<char> escolhido(lado.size());
      for (size_t v = 0; v < lado.size(); v++) escolhido[v] = lado[v] >= 0;
      acomp.recebe(escolhido, limitanteVisto);
    };
  }
  combinatorio::Ajustes doMotor;
  doMotor.paralelo = ajustes.LINHAS;
  std::optional<MedeEtapa> medida(std::in_place, r.perfil, ETAPA_COMBINATORIO);
  const combinatorio::ResultadoExato e =
      combinatorio::resolveGrafo(g, lados, prazo, doMotor, progresso, &vigia);
  medida.reset();

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
  if (!ajustes.REDUZIR) registraConjunto(r.escolhido);
  return r;
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
