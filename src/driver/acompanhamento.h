// The searches' view of the run's progress lines and of its solution file
// kept on disk: what an engine is handed as its Acompanhamento.
#ifndef BCT_DRIVER_ACOMPANHAMENTO_H
#define BCT_DRIVER_ACOMPANHAMENTO_H

#include "driver/progresso.h"
#include "driver/solucaoViva.h"
#include "search/resultado.h"

// Either may be null: no progress lines, no solution file.
inline Acompanhamento acompanhamentoDa(Progresso* progresso, SolucaoViva* viva) {
  Acompanhamento a;
  if (progresso != nullptr)
    a.progresso = [progresso](long long nos, long long abertos, double valor, double limitante) {
      progresso->relata(nos, abertos, valor, limitante);
    };
  if (viva != nullptr) {
    a.quer = [viva](double valor) { return viva->devida(valor); };
    a.recebe = [viva](const std::vector<char>& escolhido, double limitante) {
      viva->grava(escolhido, limitante);
    };
  }
  return a;
}

#endif
