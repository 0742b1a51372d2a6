// The command line: GNU-style options before the strategy, then the strategy
// string's four flags and the depth limit of cut separation.
#include "driver/parametros.h"

#include <getopt.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "base/opcoes.h"
#include "base/perfil.h"

#ifndef BCTOVSEL_VERSAO
#define BCTOVSEL_VERSAO "?"
#endif

namespace {

// -f, and whether any option came before the strategy: a run without
// options prints and writes exactly what it did before they existed.
const char* arquivoInstancia = nullptr;
bool algumaOpcao = false;

[[noreturn]] void abandona() {
  showUsage();
  std::exit(-1);
}

// Whether standard output and standard error are one file (a terminal, or
// 2>&1): a message written to the first is then already on the second.
bool mesmaSaida() {
  struct stat a, b;
  return fstat(STDOUT_FILENO, &a) == 0 && fstat(STDERR_FILENO, &b) == 0 && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino;
}

// A refused command line: the message and the usage text on standard output,
// as always; with an option given, the message on standard error as well,
// where scripts and terminals look for it.
[[noreturn]] __attribute__((format(printf, 1, 2))) void recusa(const char* formato, ...) {
  va_list args, copia;
  va_start(args, formato);
  va_copy(copia, args);
  // Whole, however long the argument it quotes.
  const int tamanho = std::vsnprintf(nullptr, 0, formato, copia);
  va_end(copia);
  std::string mensagem(tamanho > 0 ? static_cast<size_t>(tamanho) : 0, '\0');
  std::vsnprintf(mensagem.data(), mensagem.size() + 1, formato, args);
  va_end(args);
  std::fputs(mensagem.c_str(), stdout);
  if (algumaOpcao && !mesmaSaida()) {
    std::fflush(stdout);
    std::fprintf(stderr, "BCTovsel: %s", mensagem.c_str());
  }
  abandona();
}

// With options, a depth limit that is no number but names a file is the
// instance given in the wrong place: still read as before (strtol's value),
// and said on standard error, since the run then reads standard input.
void avisaArquivoComoProfundidade(const char* texto) {
  char* fim = nullptr;
  std::strtol(texto, &fim, 10);
  if (!algumaOpcao || arquivoInstancia != nullptr || *fim == '\0' || access(texto, F_OK) != 0)
    return;
  std::fprintf(stderr, "BCTovsel: aviso: \"%s\" e' lido como o limite de profundidade; a instancia "
                       "vem da entrada padrao, ou de um arquivo com -f %s\n", texto, texto);
}

// A whole number of seconds from 1 to INT_MAX, nothing else.
bool leSegundos(const char* texto, int* segundos) {
  if (texto == nullptr || *texto < '0' || *texto > '9') return false;
  char* fim = nullptr;
  errno = 0;
  const long t = std::strtol(texto, &fim, 10);
  if (errno != 0 || *fim != '\0' || t <= 0 || t > INT_MAX) return false;
  *segundos = static_cast<int>(t);
  return true;
}

// Threads for -j: 1 to MAXIMO_LINHAS, or 0 for one per processor.
const int MAXIMO_LINHAS = 256;
bool leLinhas(const char* texto, int* linhas) {
  if (texto == nullptr || *texto < '0' || *texto > '9') return false;
  char* fim = nullptr;
  errno = 0;
  const long t = std::strtol(texto, &fim, 10);
  if (errno != 0 || *fim != '\0' || t < 0 || t > MAXIMO_LINHAS) return false;
  *linhas = t > 0 ? static_cast<int>(t) : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return true;
}

// BCTOVSEL_TEMPO_MAX, when it holds a valid number of seconds; anything else
// there is ignored, as it always was.
int tempoDoAmbiente() {
  int segundos = 0;
  return leSegundos(std::getenv("BCTOVSEL_TEMPO_MAX"), &segundos) ? segundos : 3600;
}

// BCTOVSEL_DESLIGA: the parts of a reduced run to switch off, by name; a
// name it does not know is said on standard error and left out.
unsigned partesDesligadas() {
  const char* texto = std::getenv("BCTOVSEL_DESLIGA");
  if (texto == nullptr) return 0;
  static const struct {
    const char* nome;
    unsigned bit;
  } PARTES[] = {{"contracao", DESLIGA_CONTRACAO}, {"lote", DESLIGA_LOTE}, {"escolha", DESLIGA_ESCOLHA},
                {"cauda", DESLIGA_CAUDA}, {"heuristicaLP", DESLIGA_HEURISTICA_LP},
                {"semidefinida", DESLIGA_SEMIDEFINIDA}, {"melhorPrimeiro", DESLIGA_MELHOR_PRIMEIRO},
                {"ramificacaoForte", DESLIGA_RAMIFICACAO_FORTE}, {"arestaIngreme", DESLIGA_ARESTA_INGREME},
                {"lagrangiano", DESLIGA_LAGRANGIANO}, {"linhasDeFora", DESLIGA_LINHAS_DE_FORA},
                {"cedo", DESLIGA_CEDO}, {"restrita", DESLIGA_RESTRITA},
                {"corrida", DESLIGA_CORRIDA}};
  unsigned desligadas = 0;
  std::string lista(texto);
  size_t inicio = 0;
  while (inicio <= lista.size()) {
    size_t fim = lista.find(',', inicio);
    if (fim == std::string::npos) fim = lista.size();
    const std::string nome = lista.substr(inicio, fim - inicio);
    bool achou = nome.empty();
    for (const auto& p : PARTES)
      if (nome == p.nome) {
        desligadas |= p.bit;
        achou = true;
      }
    if (!achou)
      std::fprintf(stderr, "BCTovsel: BCTOVSEL_DESLIGA: parte desconhecida \"%s\" (contracao, lote, "
                           "escolha, cauda, heuristicaLP, semidefinida, melhorPrimeiro, ramificacaoForte, arestaIngreme, "
                           "lagrangiano, linhasDeFora, cedo, restrita, corrida), ignorada\n", nome.c_str());
    inicio = fim + 1;
  }
  return desligadas;
}

const struct option OPCOES[] = {
    {"reduzir", no_argument, nullptr, 'r'},
    {"tempo", required_argument, nullptr, 't'},
    {"solucao", required_argument, nullptr, 's'},
    {"progresso", no_argument, nullptr, 'p'},
    {"cortes-gerais", no_argument, nullptr, 'g'},
    {"combinatorio", no_argument, nullptr, 'c'},
    {"automatico", no_argument, nullptr, 'a'},
    {"paralelo", required_argument, nullptr, 'j'},
    {"perfil", no_argument, nullptr, 'v'},
    {"ajuda", no_argument, nullptr, 'h'},
    {"help", no_argument, nullptr, 'h'},
    {"arquivo", required_argument, nullptr, 'f'},
    {"versao", no_argument, nullptr, 'V'},
    {"version", no_argument, nullptr, 'V'},
    {nullptr, 0, nullptr, 0},
};

}  // namespace

void extractParameters(int argc, char** argv) {
  // "+": options end at the first operand, so the strategy and a negative
  // depth limit after it are never taken for options.
  int tempo = 0;
  bool linhasDadas = false;
  // On by default where someone watches; -p asks for it anywhere.
  PROGRESSO = isatty(STDERR_FILENO) ? 1 : 0;
  optind = 0;  // a full restart of getopt's scan, also for a second call
  opterr = 0;
  arquivoInstancia = nullptr;
  algumaOpcao = false;
  for (;;) {
    const int c = getopt_long(argc, argv, "+:rt:s:pgcaj:vhf:V", OPCOES, nullptr);
    if (c == -1) {
      // An empty or blank argument where options go, with the strategy
      // still to come, is no option: a script that passes "$OPCOES" (or
      // "$OPCOES " ) with none set still runs (not after "--"; an empty
      // strategy is still refused).
      const char* arg = optind < argc ? argv[optind] : "";
      if (optind + 1 < argc && arg[std::strspn(arg, " \t")] == '\0' &&
          std::strcmp(argv[optind - 1], "--") != 0) {
        optind++;
        continue;
      }
      break;
    }
    algumaOpcao = true;
    switch (c) {
      case 'r':
        REDUZIR = 1;
        break;
      case 't':
        if (!leSegundos(optarg, &tempo))
          recusa("Valor invalido para -t/--tempo: \"%s\" (um numero inteiro de segundos, de 1 "
                 "a %d).\n", optarg, INT_MAX);
        break;
      case 'p':
        PROGRESSO = 1;
        break;
      case 'g':
        CORTES_GERAIS = 1;
        break;
      case 'c':
        COMBINATORIO = 1;
        break;
      case 'a':
        AUTOMATICO = 1;
        break;
      case 'j':
        linhasDadas = true;
        if (!leLinhas(optarg, &LINHAS))
          recusa("Valor invalido para -j/--paralelo: \"%s\" (um numero inteiro de linhas de "
                 "execucao, de 1 a %d, ou 0 para uma por processador).\n", optarg, MAXIMO_LINHAS);
        break;
      case 's':
        if (*optarg == '\0') recusa("A opcao -s/--solucao exige um nome de arquivo.\n");
        ARQUIVO_SOLUCAO = optarg;
        break;
      case 'v':
        PERFIL = 1;
        break;
      case 'h':
        showUsage();
        std::exit(0);
      case 'V':
        std::printf("BCTovsel %s\n", BCTOVSEL_VERSAO);
        std::exit(0);
      case 'f':
        if (*optarg == '\0') recusa("A opcao -f/--arquivo exige um nome de arquivo.\n");
        arquivoInstancia = optarg;
        break;
      case ':':
        recusa("A opcao %s exige um valor.\n", optopt == 's'   ? "-s/--solucao"
                                              : optopt == 'j' ? "-j/--paralelo"
                                              : optopt == 'f' ? "-f/--arquivo"
                                                              : "-t/--tempo");
      default:
        // optopt holds a short option's letter; a long one is the argument
        // just passed.
        if (optopt != 0) recusa("Opcao desconhecida: -%c\n", optopt);
        recusa("Opcao desconhecida: %s\n", argv[optind - 1]);
    }
  }
  TEMPO_MAX = tempo > 0 ? tempo : tempoDoAmbiente();
  DESLIGADAS = partesDesligadas();
  // -a is the recommended mode: the reduction, the general-purpose cuts on
  // the pieces where they pay, and every processor unless -j says otherwise.
  if (AUTOMATICO) {
    REDUZIR = 1;
    // On a large piece the trial of the general-purpose cuts works on an LP
    // of thousands of cut rows, and costs more than it gives (wiki1000: 14 s
    // and 180 MB more, none kept); -g asks for them everywhere all the same.
    if (!CORTES_GERAIS) CORTES_GERAIS = 2;
    if (!linhasDadas) LINHAS = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  }
  if (COMBINATORIO && AUTOMATICO)
    recusa("As opcoes -c/--combinatorio e -a/--automatico se excluem: -a escolhe o motor.\n");
  if (COMBINATORIO && CORTES_GERAIS)
    recusa("A opcao -g/--cortes-gerais e' do branch-and-cut; o motor combinatorio (-c) nao "
           "resolve programas lineares.\n");

  const int resto = argc - optind;
  if (resto != 1 && resto != 2) {
    // The usage alone on standard output, as it always was; with options,
    // what is missing or left over is said on standard error.
    if (algumaOpcao)
      std::fprintf(stderr, resto == 0 ? "BCTovsel: falta a estrategia depois das opcoes\n"
                                      : "BCTovsel: argumentos demais depois da estrategia\n");
    abandona();
  }
  const char* estrategia = argv[optind];
  if (std::strlen(estrategia) != 4) recusa("First parameter with size 4 is mandatory. \n");
  int* const flags[4] = {&HEURISTICA_PRIMAL, &BRANCH_AND_CUT, &GRAPH_INSTANCE, &COMPLETE_PRINT};
  for (int pos = 0; pos < 4; pos++) {
    // Each flag is kept as soon as its position is accepted.
    if (estrategia[pos] == '0') {
      *flags[pos] = 0;
    } else if (estrategia[pos] == '1') {
      *flags[pos] = 1;
    } else {
      recusa("Primeiro parametro deve ter apenas \"0\"s e \"1\"s !\n");
    }
  }
  // The threads share the cycle searches of cut separation, or the
  // combinatorial engine's search: a run with neither has no use for them.
  if (linhasDadas && !COMBINATORIO && !AUTOMATICO && !BRANCH_AND_CUT)
    recusa("A opcao -j/--paralelo reparte as buscas dos cortes (2a. posicao da estrategia "
           "\"1\") ou o motor combinatorio (-c ou -a); sem cortes o branch-and-bound usa uma "
           "linha de execucao.\n");
  if (resto == 2) {
    // Any text is taken, like strtol takes it; a value beyond int is clamped
    // so that a huge limit still means "every depth".
    avisaArquivoComoProfundidade(argv[optind + 1]);
    const long profundidade = std::strtol(argv[optind + 1], nullptr, 10);
    MAX_NODE_DEPTH_FOR_SEP = profundidade > INT_MAX   ? INT_MAX
                             : profundidade < INT_MIN ? INT_MIN
                                                      : static_cast<int>(profundidade);
  }
}

void showUsage() {
  std::printf("Uso: BCTovsel <estrategia> <prof_max_para_corte> <  <instancia> \n");
  std::printf("  - 1a. posicao \"1\" se a heuristica primal e' usada. \n");
  std::printf("  - 2a. posicao \"1\" se ocorrera geracao de cortes.\n");
  std::printf("  - 3a. posicao \"1\" se a instancia e' grafo e \"0\" se a instancia e' matriz.\n");
  std::printf("  - 4a. posicao \"1\" se a impress\xe3o e' detalhada ao longo da execucao.\n");
  std::printf("- prof_max_para_corte: maior altura de um no para aplicar cortes\n");
  std::printf("  (default=1000000) \n");
  std::printf("- instancia: nome do arquivo contendo a instancia \n");
  std::printf("Opcoes, antes da estrategia (BCTovsel [opcoes] <estrategia> ...):\n");
  std::printf("  -r, --reduzir     reducao exata e decomposicao da instancia antes da busca\n");
  std::printf("  -t, --tempo SEG   limite de tempo da execucao em segundos (padrao: 3600,\n");
  std::printf("                    ou BCTOVSEL_TEMPO_MAX)\n");
  std::printf("  -s, --solucao ARQ grava em ARQ o melhor conjunto, cada vertice com seu lado\n");
  std::printf("  -p, --progresso   uma linha de progresso na saida de erro a cada poucos\n");
  std::printf("                    segundos (padrao quando ela e' um terminal)\n");
  std::printf("  -g, --cortes-gerais cortes gerais do otimizador (Gomory, zero-half, MIR,\n");
  std::printf("                    clique, ciclo impar) na raiz, depois dos cortes proprios\n");
  std::printf("  -c, --combinatorio motor exato combinatorio (ramificacao e poda no grafo dos\n");
  std::printf("                    lados, com coloracao) no lugar do branch-and-cut; a 2a.\n");
  std::printf("                    posicao da estrategia nao se aplica\n");
  std::printf("  -a, --automatico  o modo recomendado: reducao (-r), cortes gerais (-g) nas\n");
  std::printf("                    pecas pequenas, todos os processadores, e para cada peca o\n");
  std::printf("                    motor escolhido por uma sonda de cada um\n");
  std::printf("  -j, --paralelo N  reparte entre N linhas de execucao as buscas de ciclos dos\n");
  std::printf("                    cortes e a busca do motor combinatorio (0: uma por\n");
  std::printf("                    processador; padrao: 1)\n");
  std::printf("  -v, --perfil      ao fim, na saida de erro, o tempo de cada etapa (separadores,\n");
  std::printf("                    buscas, heuristicas, LPs) e os cortes achados e justos\n");
  std::printf("  -h, --ajuda       mostra este texto\n");
  std::printf("  -f, --arquivo ARQ le a instancia de ARQ (\"-\": da entrada padrao) e termina\n");
  std::printf("                    com a linha \"Estado final: ...\" (otimo, limite de tempo,\n");
  std::printf("                    interrompido, sem solucao ou nao provado)\n");
  std::printf("  -V, --versao      mostra a versao (e --version; --help e' -h)\n");
}

const char* arquivoDaInstancia() { return arquivoInstancia; }

bool opcoesDadas() { return algumaOpcao; }
