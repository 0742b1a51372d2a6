// The run's profile and its table.
#include "base/perfil.h"

#include <cstdio>


namespace {

const char* const NOMES[NUM_ETAPAS] = {
    "leitura",           "reducao",          "busca local",       "modelo inicial",
    "buscas de ciclos",  "ciclos e lifting", "cortes clique",     "ciclos ind set",
    "cortes do pool",    "heuristica",       "heuristica LP+BL",  "teste de solucao",  "ramificacao",
    "otimizador (LPs)",  "motor combinatorio", "limitante SDP",     "limitante 1a ordem",
    "linhas de fora",
};
const char* const RESULTADOS[NUM_ETAPAS] = {
    "",        "",      "",        "",       "caminhos", "cortes",  "cortes",
    "cortes",  "cortes", "melhoras", "melhoras", "",      "",         "iteracoes", "",
    "certificados", "melhoras", "cortes",
};

}  // namespace

void Perfil::soma(const Perfil& outro) {
  for (int e = 0; e < NUM_ETAPAS; e++) {
    segundos[e] += outro.segundos[e];
    chamadas[e] += outro.chamadas[e];
    resultados[e] += outro.resultados[e];
  }
  rodadas += outro.rodadas;
  termos += outro.termos;
  linhasModelo += outro.linhasModelo;
  cortesNoLp += outro.cortesNoLp;
  cortesJustos += outro.cortesJustos;
  if (outro.linhasBuscas > linhasBuscas) linhasBuscas = outro.linhasBuscas;
  buscasFeitas += outro.buscasFeitas;
}

void imprimePerfil(const Perfil& perfil, double segundosTotais) {
  std::fprintf(stderr, "BCTovsel: perfil da execucao (%.2f s)\n", segundosTotais);
  std::fprintf(stderr, "  %-20s %10s %6s %12s %12s\n", "etapa", "segundos", "%", "chamadas",
               "resultados");
  for (int e = 0; e < NUM_ETAPAS; e++) {
    if (perfil.chamadas[e] == 0) continue;
    const double parte = segundosTotais > 0 ? 100.0 * perfil.segundos[e] / segundosTotais : 0.0;
    if (RESULTADOS[e][0] != '\0')
      std::fprintf(stderr, "  %-20s %10.2f %6.1f %12lld %12lld %s\n", NOMES[e], perfil.segundos[e],
                   parte, perfil.chamadas[e], perfil.resultados[e], RESULTADOS[e]);
    else
      std::fprintf(stderr, "  %-20s %10.2f %6.1f %12lld\n", NOMES[e], perfil.segundos[e], parte,
                   perfil.chamadas[e]);
  }
  std::fprintf(stderr, "  rodadas de separacao com cortes: %lld\n", perfil.rodadas);
  if (perfil.linhasBuscas > 0)
    std::fprintf(stderr, "  buscas de ciclos em %d linhas: %lld feitas, %lld lidas\n",
                 perfil.linhasBuscas, perfil.buscasFeitas, perfil.chamadas[ETAPA_BUSCAS_CICLO]);
  const long long separados = perfil.resultados[ETAPA_CICLOS] + perfil.resultados[ETAPA_CLIQUE] +
                              perfil.resultados[ETAPA_IND_SET];
  if (separados > 0)
    std::fprintf(stderr, "  termos por corte separado: %.1f\n",
                 static_cast<double>(perfil.termos) / static_cast<double>(separados));
  if (perfil.linhasModelo > 0)
    std::fprintf(stderr, "  linhas do modelo, sem cortes: %lld\n", perfil.linhasModelo);
  if (perfil.cortesNoLp > 0)
    std::fprintf(stderr, "  cortes no LP ao fim dos lacos: %lld, justos: %lld (%.1f%%)\n",
                 perfil.cortesNoLp, perfil.cortesJustos,
                 100.0 * static_cast<double>(perfil.cortesJustos) / static_cast<double>(perfil.cortesNoLp));
}
