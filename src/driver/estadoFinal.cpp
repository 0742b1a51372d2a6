// The final status line of a run given options.
#include "driver/estadoFinal.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "base/opcoes.h"
#include "base/parada.h"
#include "base/relogio.h"
#include "driver/parametros.h"

namespace {

// The deadline of the run, or the search's own limit of as many CPU seconds
// where it has one, has passed.
bool limiteDeTempo(const Prazo& prazo) {
  const double cpu = static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
  return prazo.tempoPassou() || (ajustesDasOpcoes().TEMPO_MAX > 0 && cpu >= TEMPO_MAX);
}

}  // namespace

std::string linhaDeEstado(const Relatorio& rel, bool verificado, const Prazo& prazo) {
  const bool temSolucao = rel.zstar > -1e20;
  const int valor = valorInteiro(rel.zstar);
  const double limitante = std::floor(limitanteDual(rel.zstar, rel.limitante) + 1e-6);
  const bool otimo = temSolucao && limitante <= valor;
  const int sinal = SINAL_DE_PARADA.load();
  std::string estado;
  if (!verificado) estado = "falha na verificacao";
  else if (otimo) estado = "otimo";
  else if (sinal != 0) estado = std::string("interrompido por ") + nomeDoSinal(sinal);
  else if (limiteDeTempo(prazo)) estado = "limite de tempo";
  else if (!temSolucao) estado = "sem solucao";
  else estado = "nao provado";
  char numeros[128];
  if (!temSolucao)
    std::snprintf(numeros, sizeof numeros, ", limitante %.0f", limitante);
  else if (valor > 0)
    std::snprintf(numeros, sizeof numeros, ", valor %d, limitante %.0f, gap %.2f%%", valor,
                  limitante, 100.0 * (limitante - valor) / valor);
  else
    std::snprintf(numeros, sizeof numeros, ", valor %d, limitante %.0f", valor, limitante);
  // "sem solucao" is said once, whatever ended the run.
  const bool digaSemSolucao = !temSolucao && estado != "sem solucao";
  return "Estado final: " + estado + (digaSemSolucao ? ", sem solucao" : "") + numeros + "\n";
}

void imprimeEstadoFinal(const Relatorio& rel, bool verificado, const Prazo& prazo) {
  if (!opcoesDadas()) return;
  const std::string linha = linhaDeEstado(rel, verificado, prazo);
  std::fputs(linha.c_str(), stdout);
  std::fflush(stdout);
}
