// Entry point: the whole solve, from the command line to the final
// statistics, the directives file and the result record line.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/erro.h"
#include "base/memoria.h"
#include "base/opcoes.h"
#include "base/relogio.h"
#include "driver/parametros.h"
#include "driver/relatorio.h"
#include "graph/grafo.h"
#include "graph/leitura.h"
#include "model/modelo.h"
#include "search/busca.h"
#include "separation/cortes.h"
#include "separation/lote.h"
#include "separation/trabalho.h"

namespace {

const char* const kDiretivas = "tovsel.dir";
const char* const kRegistro = "BC_Improved_Vesku_Pre.out";
// Exit status of a run that finished but could not write one of its files.
const int kFalhaArquivo = 3;

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
  for (int i = 1; i <= nlin; i++) std::fprintf(f, " PR C%d                  0\n", i);
  int erro = std::ferror(f) ? (errno != 0 ? errno : EIO) : 0;
  if (std::fclose(f) != 0 && erro == 0) erro = errno != 0 ? errno : EIO;
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
  do {
    escrito = write(fd, linha, tamanho);
  } while (escrito < 0 && errno == EINTR);
  int erro = 0;
  if (escrito < 0) erro = errno;
  else if (static_cast<size_t>(escrito) != tamanho) erro = ENOSPC;
  if (close(fd) != 0 && erro == 0) erro = errno;
  if (erro != 0) anotaFalha(kRegistro, erro);
}

template <typename T>
void libera(T*& p) {
  if (p != nullptr) std::free(p);
  p = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  marcaInicio();
  extractParameters(argc, argv);
  definePrazo(TEMPO_MAX);

  totcuts = 0;
  itersep = 0;
  zstar = -1e20;

  if (GRAPH_INSTANCE) leGrafo();
  else leMatriz();

  escreveDiretivas();

  const size_t n = static_cast<size_t>(nlin);
  const size_t linhasModelo = static_cast<size_t>(nduplo) + n;
  const size_t elementosModelo = n * (n + static_cast<size_t>(nduplo));
  char* qgtype = static_cast<char*>(aloca(n, sizeof(char), 63));
  double* obj = static_cast<double*>(aloca(n, sizeof(double), 65));
  double* dlb = static_cast<double*>(aloca(n, sizeof(double), 67));
  double* dub = static_cast<double*>(aloca(n, sizeof(double), 69));
  int* mgcols = static_cast<int*>(aloca(n, sizeof(int), 71));
  qrtype = static_cast<char*>(aloca(linhasModelo, sizeof(char), 79));
  double* rhs = static_cast<double*>(aloca(linhasModelo, sizeof(double), 81));
  mstart = static_cast<int*>(aloca(n + 1, sizeof(int), 83));
  int* mrwind = static_cast<int*>(aloca(elementosModelo, sizeof(int), 85));
  dmatval = static_cast<double*>(aloca(elementosModelo, sizeof(double), 87));

  const int nlinhas =
      cargaDosVetores(qgtype, obj, dlb, dub, mgcols, qrtype, rhs, mstart, mrwind, dmatval);

  testaRetorno(XPRSinit(""), "Main: Erro de inicializacao do XPRESS.\n", 94);
  testaRetorno(XPRScreateprob(&prob), "Main: Erro na initializacao do problema", 98);

  testaRetorno(XPRSsetdblcontrol(prob, XPRS_MIPRELCUTOFF, 0.0), "Main: XPRSsetdblcontrol.\n", 107);
  testaRetorno(XPRSsetdblcontrol(prob, XPRS_MIPADDCUTOFF, -static_cast<double>(nlin)),
               "Main: XPRSsetdblcontrol.\n", 112);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_CPUTIME, 1),
               "Main: Erro ao tentar setar o XPRS_CPUTIME.\n", 117);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_MAXTIME, -TEMPO_MAX),
               "Main: Erro ao tentar setar o XPRS_MAXTIME.\n", 121);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_EXTRAROWS, 40000),
               "Main: Erro ao tentar setar o XPRS_EXTRAROWS.\n", 127);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_EXTRAELEMS, 40000000),
               "Main: Erro ao tentar setar o XPRS_EXTRAELEMS.", 134);

  testaRetorno(XPRSloadglobal(prob, "tovsel", nlin, nlinhas, qrtype, rhs, nullptr, obj, mstart,
                              nullptr, mrwind, dmatval, dlb, dub, nlin, 0, qgtype, mgcols, nullptr,
                              nullptr, nullptr, nullptr, nullptr),
               "Main: Erro na carga do modelo.", 139);

  libera(qrtype);
  libera(rhs);
  libera(obj);
  libera(mstart);
  libera(mrwind);
  libera(dmatval);
  libera(dlb);
  libera(dub);
  libera(qgtype);
  libera(mgcols);

  gerarDesigualdadesClique();

  testaRetorno(XPRSsetintcontrol(prob, XPRS_PRESOLVE, 0), "Main: Erro ao desabilitar o presolve.",
               169);

  if (HEURISTICA_PRIMAL) std::printf("*** Heuristica Primal sera usada\n");

  if (BRANCH_AND_CUT) {
    std::printf("*** Algoritmo de branch-and-cut.\n");
    qrtype = static_cast<char*>(aloca(MAX_CORTES, sizeof(char), 188));
    mtype = static_cast<int*>(aloca(MAX_CORTES, sizeof(int), 190));
    drhs = static_cast<double*>(aloca(MAX_CORTES, sizeof(double), 192));
    mstart = static_cast<int*>(aloca(MAX_CORTES + 1, sizeof(int), 194));
    mcols = static_cast<int*>(aloca(MAX_CORTES * n, sizeof(int), 197));
    dmatval = static_cast<double*>(aloca(MAX_CORTES * n, sizeof(double), 199));
    mcutind = static_cast<XPRScut*>(aloca(MAX_CORTES, sizeof(XPRScut), 201));
    position = static_cast<int*>(aloca(n, sizeof(int), 205));
    ciclo = static_cast<int*>(aloca(2 * n, sizeof(int), 207));
    vecAlfa = static_cast<double*>(aloca(n, sizeof(double), 209));
    indAlfa = static_cast<int*>(aloca(n, sizeof(int), 211));
    clique = static_cast<int*>(aloca(n, sizeof(int), 213));
    testaRetorno(XPRSsetcbcutmgr(prob, Cortes, nullptr),
                 "Main: Erro na chamada da rotina XPRSsetcbcutmgr.\n", 219);
  } else {
    std::printf("*** Algoritmo de branch-and-bound puro.\n");
    qrtype = nullptr;
    mtype = nullptr;
    drhs = nullptr;
    mstart = nullptr;
    mcols = nullptr;
    dmatval = nullptr;
    position = static_cast<int*>(aloca(n, sizeof(int), 205));
    if (HEURISTICA_PRIMAL)
      testaRetorno(XPRSsetcbcutmgr(prob, Cortes, nullptr), "Main: rotina XPRSsetcbcutmgr.\n", 236);
  }

  testaRetorno(XPRSsetintcontrol(prob, XPRS_CUTSTRATEGY, 1),
               "Main: Erro ao tentar setar o XPRS_CUTSTRATEGY.\n", 243);
  testaRetorno(XPRSsetintcontrol(prob, 8028, 0), "Main: Erro ao tentar setar o XPRS_CUTSTRATEGY.\n",
               248);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_MIPPRESOLVE, 0),
               "Main: Erro ao tentar setar o XPRS_MIPPRESOLVE.\n", 254);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_HEURSTRATEGY, 0),
               "Main: Erro ao tentar setar o XPRS_HEURSTRATEGY.\n", 259);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_MAXMIPSOL, 0),
               "Main: Erro ao tentar setar o XPRS_MAXMIPSOL.\n", 265);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_NODESELECTION, 5),
               "Main: Erro ao tentar setar o XPRS_NODESELECTION.\n", 270);
  testaRetorno(XPRSsetintcontrol(prob, XPRS_SBBEST, 0),
               "Main: Erro ao tentar setar o XPRS_SBBEST.\n", 275);

  testaRetorno(XPRSsetcbintsol(prob, salvaMelhorSol, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcbintsol.\n", 286);
  testaRetorno(XPRSsetcboptnode(prob, nodeOptimal, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcboptnode.\n", 297);
  testaRetorno(XPRSsetcbchgbranch(prob, varSelection, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcbchgbranch.\n", 302);
  testaRetorno(XPRSsetcbchgbranchobject(prob, cbChangeBranchObject, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcbchgbranchobject.\n", 307);
  testaRetorno(XPRSsetcbchgnode(prob, nodeSelection, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcbchgnode.\n", 312);
  testaRetorno(XPRSsetcbinfnode(prob, nodeInfeasible, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcbinfnode.\n", 317);
  testaRetorno(XPRSsetcbnodecutoff(prob, nodeCutoff, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcbnodeCutoff.\n", 322);
  // The run's deadline holds in the search too, in wall-clock time.
  testaRetorno(XPRSsetcbchecktime(prob, verificaTempo, nullptr),
               "Main: Erro na chamada da rotina XPRSsetcbchecktime.\n", 323);

  x = static_cast<double*>(aloca(n, sizeof(double), 336));
  xstar = static_cast<double*>(aloca(n, sizeof(double), 338));
  xh = static_cast<RegAux*>(aloca(n, sizeof(RegAux), 340));
  pertence = static_cast<int*>(aloca(n, sizeof(int), 342));
  pred = static_cast<int*>(aloca(2 * n, sizeof(int), 344));

  const clock_t inicio = agora();
  testaRetorno(XPRSmaxim(prob, "g"), "Main: Erro na chamada da rotina XPRSmaxim.\n", 352);
  const clock_t fim = agora();
  const unsigned long tiques = static_cast<unsigned long>(sysconf(_SC_CLK_TCK));
  const unsigned long tempo = static_cast<unsigned long>(fim - inicio) / tiques;

  int xpress_status = 0;
  testaRetorno(XPRSgetintattrib(prob, XPRS_MIPSTATUS, &xpress_status),
               "Main: Erro na chamada da rotina XPRSgetintatrib.\n", 362);

  // A status of 6 or 4 only says the optimizer met integral points of its
  // own, which the balance test may all have rejected; the solution reported
  // is the system's incumbent, so that alone decides.
  if (zstar > -1e20) {
    if (COMPLETE_PRINT) {
      std::printf("\n");
      std::printf("- Valor da solucao otima =%12.6f \n", zstar);
      std::printf("- Variaveis otimas: (no' %d)\n", NODE_BEST_INTEGER_SOL);
    }
  } else {
    std::printf("Main: programa terminou sem achar solucao inteira !\n");
  }

  const unsigned long tempoSeparacao = static_cast<unsigned long>(cut_time) / tiques;
  std::printf("********************\n");
  std::printf("Estatisticas finais:\n");
  std::printf("********************\n");
  std::printf(".total de cortes inseridos ........ = %d\n", totcuts);
  std::printf("..cortes ciclo C- impar............ = %d\n", totDesCicloCMenosOdd);
  std::printf("..cortes clique.................... = %d\n", totDesClique);
  std::printf("..cortes ciclo ind set............. = %d\n", totDesCicloCIndSet);
  std::printf(".valor da FO da primeira relaxacao. = %.6lf\n", objval_relax);
  std::printf(".valor da FO no no' raiz ........... = %.6lf\n", objval_node1);
  std::printf(".tempo de CPU....................... = %.lu\n", tempo);
  std::printf(".tempo de CPU em separacao.......... = %.lu\n", tempoSeparacao);
  int totnodes = 0;
  testaRetorno(XPRSgetintattrib(prob, XPRS_NODES, &totnodes),
               "Main: Erro na chamada da rotina XPRSgetintatrib.\n", 401);
  std::printf(".total de nos explorados ....... = %d\n", totnodes);
  std::printf(".no' da melhor solucao inteira .. = %d\n", NODE_BEST_INTEGER_SOL);
  const int valor = valorInteiro(zstar);
  std::printf(".valor da melhor solucao inteira . = %d\n", valor);
  double limitante = 0.0;
  testaRetorno(XPRSgetdblattrib(prob, XPRS_BESTBOUND, &limitante),
               "Main: Erro na chamada de XPRSgetdblattrib.\n", 410);
  limitante = limitanteDual(zstar, limitante);
  std::printf(".melhor limitante dual ........... = %.6f\n", limitante);
  std::fflush(stdout);

  char registro[512];
  const int tamanho = std::snprintf(
      registro, sizeof registro,
      "%d %d %d %d %d %d %lu %lu %.2f %.2f %.2f %d %d %d %d %d %d %d %d\n", nlin, narco, nneg,
      npos, nduplo, valor, tempo, tempoSeparacao, limitante, objval_relax, objval_node1,
      nCliqueIndSetIF, nCycleIF, nCliqueSigIF, totDesCicloCMenosOdd, totDesClique,
      totDesCicloCIndSet, totnodes, NODE_BEST_INTEGER_SOL);
  if (tamanho > 0 && static_cast<size_t>(tamanho) < sizeof registro)
    acrescentaRegistro(registro, static_cast<size_t>(tamanho));
  else
    anotaFalha(kRegistro, EOVERFLOW);

  libera(qrtype);
  libera(mtype);
  libera(drhs);
  libera(mstart);
  libera(mcols);
  libera(dmatval);
  libera(x);
  libera(xstar);
  libera(mcutind);
  libera(pertence);
  libera(position);
  libera(ciclo);
  libera(pred);
  libera(vecAlfa);
  libera(indAlfa);
  libera(xh);
  libera(clique);
  liberaGrafo();

  testaRetorno(XPRSfree(), "Main: Erro na liberacao de memoria final.\n", 482);

  std::printf("========================================\n");
  std::fflush(stdout);
  if (!falhasArquivo.empty()) {
    std::fprintf(stderr, "BCTovsel: nao foi possivel gravar %s\n", falhasArquivo.c_str());
    return kFalhaArquivo;
  }
  return 0;
}
