// The final report: outcome, statistics and record line.
#include "driver/relatorio.h"

#include <unistd.h>

#include <cstdio>

#include "base/opcoes.h"

void somaContagens(Relatorio& rel, const ResultadoBusca& r) {
  rel.cortes += r.cortes;
  rel.cortesCiclo += r.cortesCiclo;
  rel.cortesClique += r.cortesClique;
  rel.cortesIndSet += r.cortesIndSet;
  rel.cortesGerais += r.cortesGerais;
  rel.linhasClique += r.linhasClique;
  rel.linhasCiclo += r.linhasCiclo;
  rel.linhasK1K2 += r.linhasK1K2;
  rel.nos += r.nos;
}

void preencheDaBusca(Relatorio& rel, const ResultadoBusca& r) {
  const unsigned long tiques = static_cast<unsigned long>(sysconf(_SC_CLK_TCK));
  rel.zstar = r.zstar;
  rel.noMelhor = r.noMelhor;
  rel.tempo = r.tiques / tiques;
  rel.tempoSeparacao = static_cast<unsigned long>(r.tiquesSeparacao) / tiques;
  rel.limitante = r.limitante;
  rel.relaxacao = r.relaxacao;
  rel.raiz = r.raiz;
  somaContagens(rel, r);
}

int valorInteiro(double zstar) {
  return zstar > -1e20 ? static_cast<int>(zstar + 0.5) : -1;
}

double limitanteDual(double zstar, double limitante) {
  return zstar + 1e-6 > limitante ? zstar : limitante;
}

void imprimeEstatisticas(const Relatorio& r) {
  // A status of 6 or 4 only says the optimizer met integral points of its
  // own, which the balance test may all have rejected; the solution reported
  // is the system's incumbent, so that alone decides.
  if (r.zstar > -1e20) {
    if (COMPLETE_PRINT) {
      std::printf("\n");
      std::printf("- Valor da solucao otima =%12.6f \n", r.zstar);
      std::printf("- Variaveis otimas: (no' %d)\n", r.noMelhor);
    }
  } else {
    std::printf("Main: programa terminou sem achar solucao inteira !\n");
  }
  std::printf("********************\n");
  std::printf("Estatisticas finais:\n");
  std::printf("********************\n");
  std::printf(".total de cortes inseridos ........ = %d\n", r.cortes);
  std::printf("..cortes ciclo C- impar............ = %d\n", r.cortesCiclo);
  std::printf("..cortes clique.................... = %d\n", r.cortesClique);
  std::printf("..cortes ciclo ind set............. = %d\n", r.cortesIndSet);
  if (CORTES_GERAIS) std::printf(".cortes gerais do otimizador (-g). = %d\n", r.cortesGerais);
  std::printf(".valor da FO da primeira relaxacao. = %.6lf\n", r.relaxacao);
  std::printf(".valor da FO no no' raiz ........... = %.6lf\n", r.raiz);
  std::printf(".tempo de CPU....................... = %.lu\n", r.tempo);
  std::printf(".tempo de CPU em separacao.......... = %.lu\n", r.tempoSeparacao);
  std::printf(".total de nos explorados ....... = %d\n", r.nos);
  std::printf(".no' da melhor solucao inteira .. = %d\n", r.noMelhor);
  std::printf(".valor da melhor solucao inteira . = %d\n", valorInteiro(r.zstar));
  std::printf(".melhor limitante dual ........... = %.6f\n", limitanteDual(r.zstar, r.limitante));
  std::fflush(stdout);
}

std::string linhaDeRegistro(const Relatorio& r) {
  char linha[512];
  const int tamanho = std::snprintf(
      linha, sizeof linha, "%d %d %d %d %d %d %lu %lu %.2f %.2f %.2f %d %d %d %d %d %d %d %d\n",
      r.vertices, r.arestas, r.negativas, r.positivas, r.duplas, valorInteiro(r.zstar), r.tempo,
      r.tempoSeparacao, limitanteDual(r.zstar, r.limitante), r.relaxacao, r.raiz, r.linhasClique,
      r.linhasCiclo, r.linhasK1K2, r.cortesCiclo, r.cortesClique, r.cortesIndSet, r.nos,
      r.noMelhor);
  // Nineteen numbers always fit; a failed format leaves the line empty.
  return tamanho > 0 && static_cast<size_t>(tamanho) < sizeof linha ? std::string(linha) : "";
}
