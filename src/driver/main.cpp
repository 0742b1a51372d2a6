// Entry point: the whole solve, from the command line to the final
// statistics, the directives file and the result record line.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <string>

#include "base/erro.h"
#include "base/opcoes.h"
#include "base/parada.h"
#include "base/perfil.h"
#include "base/relogio.h"
#include "driver/acompanhamento.h"
#include "driver/arquivosDoComando.h"
#include "driver/estadoFinal.h"
#include "driver/parametros.h"
#include "driver/pecas.h"
#include "driver/progresso.h"
#include "driver/relatorio.h"
#include "driver/resolucaoCombinatoria.h"
#include "driver/solucao.h"
#include "driver/solucaoViva.h"
#include "graph/GrafoSimples.h"
#include "graph/entrada.h"
#include "graph/leitura.h"
#include "search/Resolucao.h"

namespace {

const char* const kDiretivas = "tovsel.dir";
const char* const kRegistro = "BC_Improved_Vesku_Pre.out";
// Exit status of a run that finished but could not write one of its files.
const int kFalhaArquivo = 3;
// Exit status of a run whose rebuilt solution failed the final check.
const int kFalhaVerificacao = 5;

// Files that could not be written, with the reason, reported once at the end
// so that a read-only directory never costs the solve itself.
void anotaFalha(std::string& falhas, const char* arquivo, int erro) {
  if (!falhas.empty()) falhas += "; ";
  falhas += std::string("\"") + arquivo + "\": " + std::strerror(erro);
}

void escreveDiretivas(int colunas, std::string& falhas) {
  std::FILE* f = std::fopen(kDiretivas, "w");
  if (f == nullptr) {
    anotaFalha(falhas, kDiretivas, errno);
    return;
  }
  iniciaGravacao();
  for (int i = 1; i <= colunas; i++) std::fprintf(f, " PR C%d                  0\n", i);
  int erro = std::ferror(f) ? (errno != 0 ? errno : EIO) : 0;
  if (std::fclose(f) != 0 && erro == 0) erro = errno != 0 ? errno : EIO;
  terminaGravacao();
  if (erro != 0) anotaFalha(falhas, kDiretivas, erro);
}

// The record line goes out in a single append, so concurrent runs in one
// directory interleave whole lines and an interrupted run leaves no half one.
void acrescentaRegistro(const std::string& linha, std::string& falhas) {
  if (linha.empty()) {
    anotaFalha(falhas, kRegistro, EOVERFLOW);
    return;
  }
  const size_t tamanho = linha.size();
  const int fd = open(kRegistro, O_WRONLY | O_APPEND | O_CREAT, 0666);
  if (fd < 0) {
    anotaFalha(falhas, kRegistro, errno);
    return;
  }
  ssize_t escrito;
  iniciaGravacao();
  do {
    escrito = write(fd, linha.data(), tamanho);
  } while (escrito < 0 && errno == EINTR);
  terminaGravacao();
  int erro = 0;
  if (escrito < 0) erro = errno;
  else if (static_cast<size_t>(escrito) != tamanho) erro = ENOSPC;
  if (close(fd) != 0 && erro == 0) erro = errno;
  if (erro != 0) anotaFalha(falhas, kRegistro, erro);
}

// The one search of a whole instance, by the branch-and-cut or -c, and its
// figures in the report; false when its set failed the final check.
bool resolveInteira(const GrafoSimples& entrada, const Prazo& prazo,
                    const Acompanhamento& acompanhamento, Perfil& perfil, Relatorio& rel) {
  const AjustesDaBusca ajustes = ajustesDasOpcoes();
  const ResultadoBusca r =
      COMBINATORIO ? resolveCombinatorio(entrada, nullptr, prazo, ajustes, acompanhamento)
                   : resolveBranchAndCut(entrada, nullptr, prazo, ajustes, acompanhamento);
  perfil.soma(r.perfil);
  preencheDaBusca(rel, r);
  // The solution file gives each vertex its side, and the set is checked
  // on the input graph on the way.
  if (ARQUIVO_SOLUCAO == nullptr || r.zstar <= -1e20) return true;
  if (equilibrado(entrada, r.escolhido, &rel.lados)) {
    rel.escolhido = r.escolhido;
    return true;
  }
  rel.lados.clear();
  std::fprintf(stderr, "BCTovsel: erro interno: o melhor conjunto nao passou na "
                       "verificacao final\n");
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const auto inicio = Prazo::Relogio::now();
  // A stop signal ends the run like its deadline, with the full report.
  instalaSinais();
  // Storage in vectors fails the way malloc does: through the memory failure path.
  std::set_new_handler([] { errormsg("Main: memory allocation error.\n", __LINE__, -1); });
  extractParameters(argc, argv);
  // The run's one deadline, wall-clock time from its start; every stage is
  // handed it (or a share of it).
  const Prazo prazo(inicio, TEMPO_MAX);
  abreArquivoDaInstancia();
  confereCaminhoDaSolucao();
  Perfil perfil;  // the run's, the searches' added as they end
  perfil.ligado = PERFIL != 0;

  GrafoSimples entrada;  // the instance, in the one form every stage takes
  {
    MedeEtapa medida(perfil, ETAPA_LEITURA);
    entrada = GRAPH_INSTANCE ? leGrafoDe(stdin, prazo) : leMatrizDe(stdin, prazo);
  }
  leituraInterrompida();
  // What is printed survives a hard kill: stdout is flushed after each stage.
  std::fflush(stdout);

  // A reduced run checks its pieces' needs before any file is written.
  std::optional<ExecucaoPorPecas> reduzida;
  if (REDUZIR) {
    reduzida.emplace(entrada, prazo, perfil);
  } else if (COMBINATORIO) {
    // (-a always reduces: its choice is made per piece.)
    exigeMemoriaCombinatoria(entrada);
  }
  const GrafoSimples::Contagem contagem = entrada.contagem();
  // The progress lines, and with -s the best set kept on disk while the
  // searches run.
  Progresso progresso(prazo);
  SolucaoViva viva(ARQUIVO_SOLUCAO, entrada, contagem.arestas, prazo);
  Progresso* const comProgresso = PROGRESSO ? &progresso : nullptr;
  SolucaoViva* const comViva = ARQUIVO_SOLUCAO != nullptr ? &viva : nullptr;
  std::fflush(stdout);
  std::string falhas;
  escreveDiretivas(entrada.numVertices(), falhas);

  Relatorio rel;
  rel.vertices = entrada.numVertices();
  rel.arestas = contagem.arestas;
  rel.negativas = contagem.negativas;
  rel.positivas = contagem.positivas;
  rel.duplas = contagem.duplas;
  const bool verificado = reduzida ? reduzida->resolve(rel, comProgresso, comViva)
                                   : resolveInteira(entrada, prazo,
                                                    acompanhamentoDa(comProgresso, comViva), perfil, rel);

  imprimeEstatisticas(rel);
  acrescentaRegistro(linhaDeRegistro(rel), falhas);
  if (ARQUIVO_SOLUCAO != nullptr) {
    const int erro = escreveSolucao(ARQUIVO_SOLUCAO, rel, prazo.decorridos());
    if (erro != 0) anotaFalha(falhas, ARQUIVO_SOLUCAO, erro);
  }

  testaRetorno(nullptr, XPRSfree(), "Main: Erro na liberacao de memoria final.\n", 482);

  std::printf("========================================\n");
  std::fflush(stdout);
  imprimeEstadoFinal(rel, verificado, prazo);
  if (PERFIL) imprimePerfil(perfil, prazo.decorridos());
  // A run a signal stopped says so, with 128 + the signal's number unless a
  // failure above has a status of its own.
  const int sinal = SINAL_DE_PARADA.load();
  if (sinal != 0)
    std::fprintf(stderr, "BCTovsel: interrompido por %s; relatados o melhor conjunto e um "
                         "limitante valido\n", nomeDoSinal(sinal));
  if (!verificado) return kFalhaVerificacao;
  if (!falhas.empty()) {
    std::fprintf(stderr, "BCTovsel: nao foi possivel gravar %s\n", falhas.c_str());
    return kFalhaArquivo;
  }
  return sinal != 0 ? statusDaParada() : 0;
}
