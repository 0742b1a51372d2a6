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
#include "driver/arquivosDoComando.h"
#include "driver/estadoFinal.h"
#include "driver/parametros.h"
#include "driver/pecas.h"
#include "driver/relatorio.h"
#include "driver/resolucao.h"
#include "driver/resolucaoCombinatoria.h"
#include "driver/solucao.h"
#include "driver/solucaoViva.h"
#include "graph/GrafoSimples.h"
#include "graph/entrada.h"
#include "graph/grafo.h"
#include "graph/leitura.h"
#include "search/busca.h"

namespace {

const char* const kDiretivas = "tovsel.dir";
const char* const kRegistro = "BC_Improved_Vesku_Pre.out";
// Exit status of a run that finished but could not write one of its files.
const int kFalhaArquivo = 3;
// Exit status of a run whose rebuilt solution failed the final check.
const int kFalhaVerificacao = 5;

// Files that could not be written, with the reason, reported once at the end
// so that a read-only directory never costs the solve itself.
std::string falhasArquivo;

void anotaFalha(const char* arquivo, int erro) {
  if (!falhasArquivo.empty()) falhasArquivo += "; ";
  falhasArquivo += std::string("\"") + arquivo + "\": " + std::strerror(erro);
}

void escreveDiretivas() {
  std::FILE* f = std::fopen(kDiretivas, "w");
  if (f == nullptr) {
    anotaFalha(kDiretivas, errno);
    return;
  }
  iniciaGravacao();
  for (int i = 1; i <= nlin; i++) std::fprintf(f, " PR C%d                  0\n", i);
  int erro = std::ferror(f) ? (errno != 0 ? errno : EIO) : 0;
  if (std::fclose(f) != 0 && erro == 0) erro = errno != 0 ? errno : EIO;
  terminaGravacao();
  if (erro != 0) anotaFalha(kDiretivas, erro);
}

// The record line goes out in a single append, so concurrent runs in one
// directory interleave whole lines and an interrupted run leaves no half one.
void acrescentaRegistro(const char* linha, size_t tamanho) {
  const int fd = open(kRegistro, O_WRONLY | O_APPEND | O_CREAT, 0666);
  if (fd < 0) {
    anotaFalha(kRegistro, errno);
    return;
  }
  ssize_t escrito;
  iniciaGravacao();
  do {
    escrito = write(fd, linha, tamanho);
  } while (escrito < 0 && errno == EINTR);
  terminaGravacao();
  int erro = 0;
  if (escrito < 0) erro = errno;
  else if (static_cast<size_t>(escrito) != tamanho) erro = ENOSPC;
  if (close(fd) != 0 && erro == 0) erro = errno;
  if (erro != 0) anotaFalha(kRegistro, erro);
}

}  // namespace

int main(int argc, char** argv) {
  marcaInicio();
  // A stop signal ends the run like its deadline, with the full report.
  instalaSinais();
  // Storage in vectors fails the way malloc does: through the memory failure path.
  std::set_new_handler([] { errormsg("Main: memory allocation error.\n", __LINE__, -1); });
  extractParameters(argc, argv);
  definePrazo(TEMPO_MAX);
  abreArquivoDaInstancia();
  confereCaminhoDaSolucao();

  {
    MedeEtapa medida(ETAPA_LEITURA);
    if (GRAPH_INSTANCE) leGrafo();
    else leMatriz();
  }
  leituraInterrompida();
  // What is printed survives a hard kill: stdout is flushed after each stage.
  std::fflush(stdout);

  // A reduced run checks its pieces' needs before any file is written.
  std::optional<ExecucaoPorPecas> reduzida;
  std::optional<GrafoSimples> grafo;  // the instance, for the combinatorial engine
  std::optional<GrafoSimples> entrada;  // the instance, for the solution file's checks
  if (REDUZIR) {
    reduzida.emplace();
  } else if (COMBINATORIO) {
    // (-a always reduces: its choice is made per piece.)
    grafo.emplace(GrafoSimples::doArmazem());
    exigeMemoriaCombinatoria(*grafo);
  }
  // -s: the best set is kept on disk while the search runs (a reduced run
  // sets this up over its own copy of the instance).
  if (ARQUIVO_SOLUCAO != nullptr && !reduzida) {
    if (!grafo) entrada.emplace(GrafoSimples::doArmazem());
    iniciaSolucaoViva(grafo ? &*grafo : &*entrada, narco);
    ganchoDeMelhora = solucaoVivaDoArmazem;
  }
  std::fflush(stdout);
  escreveDiretivas();

  Relatorio rel;
  rel.vertices = nlin;
  rel.arestas = narco;
  rel.negativas = nneg;
  rel.positivas = npos;
  rel.duplas = nduplo;
  bool verificado = true;
  if (reduzida) {
    verificado = reduzida->resolve(rel);
  } else {
    const ResultadoBusca r = grafo ? resolveCombinatorio(*grafo, nullptr) : resolveArmazem(nullptr);
    const unsigned long tiques = static_cast<unsigned long>(sysconf(_SC_CLK_TCK));
    rel.zstar = r.zstar;
    rel.noMelhor = r.noMelhor;
    rel.tempo = r.tiques / tiques;
    rel.tempoSeparacao = static_cast<unsigned long>(r.tiquesSeparacao) / tiques;
    rel.limitante = r.limitante;
    rel.relaxacao = r.relaxacao;
    rel.raiz = r.raiz;
    rel.cortes = r.cortes;
    rel.cortesCiclo = r.cortesCiclo;
    rel.cortesClique = r.cortesClique;
    rel.cortesIndSet = r.cortesIndSet;
    rel.cortesGerais = r.cortesGerais;
    rel.linhasClique = r.linhasClique;
    rel.linhasCiclo = r.linhasCiclo;
    rel.linhasK1K2 = r.linhasK1K2;
    rel.nos = r.nos;
    // The solution file gives each vertex its side, and the set is checked
    // on the input graph on the way.
    if (ARQUIVO_SOLUCAO != nullptr && r.zstar > -1e20) {
      if (equilibrado(grafo ? *grafo : *entrada, r.escolhido, &rel.lados)) {
        rel.escolhido = r.escolhido;
      } else {
        rel.lados.clear();
        verificado = false;
        std::fprintf(stderr, "BCTovsel: erro interno: o melhor conjunto nao passou na "
                             "verificacao final\n");
      }
    }
  }

  imprimeEstatisticas(rel);
  const std::string registro = linhaDeRegistro(rel);
  if (!registro.empty())
    acrescentaRegistro(registro.data(), registro.size());
  else
    anotaFalha(kRegistro, EOVERFLOW);
  if (ARQUIVO_SOLUCAO != nullptr) {
    const int erro = escreveSolucao(ARQUIVO_SOLUCAO, rel, segundosDecorridos());
    if (erro != 0) anotaFalha(ARQUIVO_SOLUCAO, erro);
  }
  liberaGrafo();

  testaRetorno(XPRSfree(), "Main: Erro na liberacao de memoria final.\n", 482);

  std::printf("========================================\n");
  std::fflush(stdout);
  imprimeEstadoFinal(rel, verificado);
  if (PERFIL) imprimePerfil(segundosDecorridos());
  // A run a signal stopped says so, with 128 + the signal's number unless a
  // failure above has a status of its own.
  const int sinal = SINAL_DE_PARADA.load();
  if (sinal != 0)
    std::fprintf(stderr, "BCTovsel: interrompido por %s; relatados o melhor conjunto e um "
                         "limitante valido\n", nomeDoSinal(sinal));
  if (!verificado) return kFalhaVerificacao;
  if (!falhasArquivo.empty()) {
    std::fprintf(stderr, "BCTovsel: nao foi possivel gravar %s\n", falhasArquivo.c_str());
    return kFalhaArquivo;
  }
  return sinal != 0 ? statusDaParada() : 0;
}
