// Command-line options: the flags, the depth limit and every way the command
// line is refused (usage text, status 255).
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "driver/capturaSaida.h"
#include "base/opcoes.h"
#include "driver/parametros.h"

namespace {

const char* const USO =
    "Uso: BCTovsel <estrategia> <prof_max_para_corte> <  <instancia> \n"
    "  - 1a. posicao \"1\" se a heuristica primal e' usada. \n"
    "  - 2a. posicao \"1\" se ocorrera geracao de cortes.\n"
    "  - 3a. posicao \"1\" se a instancia e' grafo e \"0\" se a instancia e' matriz.\n"
    "  - 4a. posicao \"1\" se a impress\xe3o e' detalhada ao longo da execucao.\n"
    "- prof_max_para_corte: maior altura de um no para aplicar cortes\n"
    "  (default=1000000) \n"
    "- instancia: nome do arquivo contendo a instancia \n"
    "Opcoes, antes da estrategia (BCTovsel [opcoes] <estrategia> ...):\n"
    "  -r, --reduzir     reducao exata e decomposicao da instancia antes da busca\n"
    "  -t, --tempo SEG   limite de tempo da execucao em segundos (padrao: 3600,\n"
    "                    ou BCTOVSEL_TEMPO_MAX)\n"
    "  -s, --solucao ARQ grava em ARQ o melhor conjunto, cada vertice com seu lado\n"
    "  -p, --progresso   uma linha de progresso na saida de erro a cada poucos\n"
    "                    segundos (padrao quando ela e' um terminal)\n"
    "  -g, --cortes-gerais cortes gerais do otimizador (Gomory, zero-half, MIR,\n"
    "                    clique, ciclo impar) na raiz, depois dos cortes proprios\n"
    "  -c, --combinatorio motor exato combinatorio (ramificacao e poda no grafo dos\n"
    "                    lados, com coloracao) no lugar do branch-and-cut; a 2a.\n"
    "                    posicao da estrategia nao se aplica\n"
    "  -a, --automatico  o modo recomendado: reducao (-r), cortes gerais (-g) nas\n"
    "                    pecas pequenas, todos os processadores, e para cada peca o\n"
    "                    motor escolhido por uma sonda de cada um\n"
    "  -j, --paralelo N  reparte entre N linhas de execucao as buscas de ciclos dos\n"
    "                    cortes e a busca do motor combinatorio (0: uma por\n"
    "                    processador; padrao: 1)\n"
    "  -v, --perfil      ao fim, na saida de erro, o tempo de cada etapa (separadores,\n"
    "                    buscas, heuristicas, LPs) e os cortes achados e justos\n"
    "  -h, --ajuda       mostra este texto\n"
    "  -f, --arquivo ARQ le a instancia de ARQ (\"-\": da entrada padrao) e termina\n"
    "                    com a linha \"Estado final: ...\" (otimo, limite de tempo,\n"
    "                    interrompido, sem solucao ou nao provado)\n"
    "  -V, --versao      mostra a versao (e --version; --help e' -h)\n";

void extrai(std::vector<std::string> args) {
  // Kept until the next call, as a program's arguments outlive its options.
  static std::vector<std::string> guardados;
  guardados = std::move(args);
  std::vector<char*> argv;
  for (auto& a : guardados) argv.push_back(a.data());
  argv.push_back(nullptr);
  extractParameters(static_cast<int>(guardados.size()), argv.data());
}

class Opcoes : public ::testing::Test {
 protected:
  void SetUp() override {
    HEURISTICA_PRIMAL = BRANCH_AND_CUT = GRAPH_INSTANCE = COMPLETE_PRINT = 7;
    MAX_NODE_DEPTH_FOR_SEP = 1000000;
    REDUZIR = 0;
    COMBINATORIO = AUTOMATICO = CORTES_GERAIS = 0;
    LINHAS = 1;
    TEMPO_MAX = 0;
    ARQUIVO_SOLUCAO = nullptr;
    unsetenv("BCTOVSEL_TEMPO_MAX");
  }
  // The modes back to a run's defaults, for the tests that follow in the
  // same process (a reduced mode or threads left on change what the
  // separators' tests see).
  void TearDown() override {
    REDUZIR = COMBINATORIO = AUTOMATICO = CORTES_GERAIS = 0;
    LINHAS = 1;
  }
};

}  // namespace

TEST_F(Opcoes, Estrategia0000SemProfundidade) {
  extrai({"BCTovsel", "0000"});
  EXPECT_EQ(HEURISTICA_PRIMAL, 0);
  EXPECT_EQ(BRANCH_AND_CUT, 0);
  EXPECT_EQ(GRAPH_INSTANCE, 0);
  EXPECT_EQ(COMPLETE_PRINT, 0);
  EXPECT_EQ(MAX_NODE_DEPTH_FOR_SEP, 1000000);
}

TEST_F(Opcoes, Estrategia1111ComProfundidade5) {
  extrai({"BCTovsel", "1111", "5"});
  EXPECT_EQ(HEURISTICA_PRIMAL, 1);
  EXPECT_EQ(BRANCH_AND_CUT, 1);
  EXPECT_EQ(GRAPH_INSTANCE, 1);
  EXPECT_EQ(COMPLETE_PRINT, 1);
  EXPECT_EQ(MAX_NODE_DEPTH_FOR_SEP, 5);
}

TEST_F(Opcoes, CadaPosicaoVaiParaSeuFlag) {
  extrai({"BCTovsel", "0100"});
  EXPECT_EQ(BRANCH_AND_CUT, 1);
  EXPECT_EQ(HEURISTICA_PRIMAL + GRAPH_INSTANCE + COMPLETE_PRINT, 0);
  extrai({"BCTovsel", "0010"});
  EXPECT_EQ(GRAPH_INSTANCE, 1);
  EXPECT_EQ(HEURISTICA_PRIMAL + BRANCH_AND_CUT + COMPLETE_PRINT, 0);
}

TEST_F(Opcoes, ProfundidadeConvertidaComoStrtol) {
  extrai({"BCTovsel", "0000", "abc"});
  EXPECT_EQ(MAX_NODE_DEPTH_FOR_SEP, 0);
  extrai({"BCTovsel", "0000", "12xy"});
  EXPECT_EQ(MAX_NODE_DEPTH_FOR_SEP, 12);
  extrai({"BCTovsel", "0000", "-3"});
  EXPECT_EQ(MAX_NODE_DEPTH_FOR_SEP, -3);
  extrai({"BCTovsel", "0000", "  +7"});
  EXPECT_EQ(MAX_NODE_DEPTH_FOR_SEP, 7);
  extrai({"BCTovsel", "0000", "99999999999999"});
  EXPECT_EQ(MAX_NODE_DEPTH_FOR_SEP, INT_MAX);
}

using OpcoesDeathTest = Opcoes;

TEST_F(OpcoesDeathTest, SemArgumentosOuComTresSoOUso) {
  std::string saida;
  EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel"}), 255, saida);
  EXPECT_EQ(saida, USO);
  EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "1111", "5", "x"}), 255, saida);
  EXPECT_EQ(saida, USO);
}

TEST_F(OpcoesDeathTest, EstrategiaDeTamanhoErrado) {
  std::string saida;
  for (const char* estrategia : {"111", "11111", ""}) {
    EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", estrategia}), 255, saida);
    EXPECT_EQ(saida, std::string("First parameter with size 4 is mandatory. \n") + USO) << estrategia;
  }
}

TEST_F(OpcoesDeathTest, CaractereForaDe0e1) {
  std::string saida;
  EXPECT_SAIDA_E_STATUS(
      {
        extrai({"BCTovsel", "10x1"});
      },
      255, saida);
  EXPECT_EQ(saida, std::string("Primeiro parametro deve ter apenas \"0\"s e \"1\"s !\n") + USO);
}

TEST_F(OpcoesDeathTest, FlagsAceitasAntesDoErroJaFicam) {
  // The child reports the flags it holds when the parse fails at position 3.
  std::string saida;
  EXPECT_SAIDA_E_STATUS(
      {
        std::atexit([] { std::printf("%d%d%d%d", HEURISTICA_PRIMAL, BRANCH_AND_CUT, GRAPH_INSTANCE, COMPLETE_PRINT); });
        extrai({"BCTovsel", "10x1"});
      },
      255, saida);
  EXPECT_EQ(saida.substr(saida.size() - 4), "1077");
}

// Options come before the strategy, in either form; the strategy and the depth
// limit after them are read as before.
TEST_F(Opcoes, OpcoesAntesDaEstrategia) {
  extrai({"BCTovsel", "-r", "-t", "20", "1110", "-5"});
  EXPECT_EQ(REDUZIR, 1);
  EXPECT_EQ(TEMPO_MAX, 20);
  EXPECT_EQ(HEURISTICA_PRIMAL + BRANCH_AND_CUT + GRAPH_INSTANCE, 3);
  EXPECT_EQ(MAX_NODE_DEPTH_FOR_SEP, -5);
  REDUZIR = 0;
  extrai({"BCTovsel", "--reduzir", "--tempo=7", "0000"});
  EXPECT_EQ(REDUZIR, 1);
  EXPECT_EQ(TEMPO_MAX, 7);
  extrai({"BCTovsel", "-rt3", "0000"});
  EXPECT_EQ(TEMPO_MAX, 3);
  extrai({"BCTovsel", "--tempo", "9", "--", "0000"});
  EXPECT_EQ(TEMPO_MAX, 9);
  extrai({"BCTovsel", "-s", "sol.txt", "-r", "1110"});
  EXPECT_STREQ(ARQUIVO_SOLUCAO, "sol.txt");
  extrai({"BCTovsel", "--solucao=outra.txt", "1110"});
  EXPECT_STREQ(ARQUIVO_SOLUCAO, "outra.txt");
  extrai({"BCTovsel", "-p", "1110"});
  EXPECT_EQ(PROGRESSO, 1);
  EXPECT_EQ(arquivoDaInstancia(), nullptr);
  extrai({"BCTovsel", "-f", "rede.txt", "1110"});
  EXPECT_STREQ(arquivoDaInstancia(), "rede.txt");
  EXPECT_TRUE(opcoesDadas());
  extrai({"BCTovsel", "--arquivo=-", "1110"});
  EXPECT_STREQ(arquivoDaInstancia(), "-");
  // Each parse starts afresh: a second one without options has neither.
  extrai({"BCTovsel", "1110"});
  EXPECT_EQ(arquivoDaInstancia(), nullptr);
  EXPECT_FALSE(opcoesDadas());
}

// Scripts pass their options as one quoted word, empty when there are none.
TEST_F(Opcoes, ArgumentoVazioAntesDaEstrategiaNaoEOpcao) {
  extrai({"BCTovsel", "", "1110"});
  EXPECT_EQ(HEURISTICA_PRIMAL + BRANCH_AND_CUT + GRAPH_INSTANCE, 3);
  EXPECT_EQ(MAX_NODE_DEPTH_FOR_SEP, 1000000);
  extrai({"BCTovsel", " ", "-p", "\t", "1110"});
  EXPECT_EQ(PROGRESSO, 1);
  EXPECT_EQ(HEURISTICA_PRIMAL + BRANCH_AND_CUT + GRAPH_INSTANCE, 3);
  extrai({"BCTovsel", "", "-r", "", "0110", ""});
  EXPECT_EQ(REDUZIR, 1);
  EXPECT_EQ(HEURISTICA_PRIMAL, 0);
  EXPECT_EQ(MAX_NODE_DEPTH_FOR_SEP, 0);  // after the strategy, read as before
}

TEST_F(Opcoes, TempoDaOpcaoOuDoAmbienteOuPadrao) {
  extrai({"BCTovsel", "1110"});
  EXPECT_EQ(TEMPO_MAX, 3600);
  EXPECT_EQ(REDUZIR, 0);
  setenv("BCTOVSEL_TEMPO_MAX", "45", 1);
  extrai({"BCTovsel", "1110"});
  EXPECT_EQ(TEMPO_MAX, 45);
  extrai({"BCTovsel", "-t", "12", "1110"});
  EXPECT_EQ(TEMPO_MAX, 12);
  for (const char* ignorado : {"0", "-3", "abc", "12x", ""}) {
    setenv("BCTOVSEL_TEMPO_MAX", ignorado, 1);
    extrai({"BCTovsel", "1110"});
    EXPECT_EQ(TEMPO_MAX, 3600) << ignorado;
  }
  unsetenv("BCTOVSEL_TEMPO_MAX");
}

TEST_F(OpcoesDeathTest, ValorDeTempoInvalidoERecusado) {
  std::string saida;
  for (const char* valor : {"0", "-5", "abc", "12x", "", "99999999999", " 4"}) {
    EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "-t", valor, "1110"}), 255, saida);
    EXPECT_EQ(saida, std::string("Valor invalido para -t/--tempo: \"") + valor +
                         "\" (um numero inteiro de segundos, de 1 a 2147483647).\n" + USO)
        << valor;
  }
  EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "-t"}), 255, saida);
  EXPECT_EQ(saida, std::string("A opcao -t/--tempo exige um valor.\n") + USO);
}

TEST_F(OpcoesDeathTest, ArquivoDeSolucaoSemNomeERecusado) {
  std::string saida;
  EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "-s", "", "1110"}), 255, saida);
  EXPECT_EQ(saida, std::string("A opcao -s/--solucao exige um nome de arquivo.\n") + USO);
  EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "--solucao"}), 255, saida);
  EXPECT_EQ(saida, std::string("A opcao -s/--solucao exige um valor.\n") + USO);
  EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "-f", "", "1110"}), 255, saida);
  EXPECT_EQ(saida, std::string("A opcao -f/--arquivo exige um nome de arquivo.\n") + USO);
  EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "-f"}), 255, saida);
  EXPECT_EQ(saida, std::string("A opcao -f/--arquivo exige um valor.\n") + USO);
}

TEST_F(OpcoesDeathTest, OpcaoDesconhecidaERecusada) {
  std::string saida;
  EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "-x", "1110"}), 255, saida);
  EXPECT_EQ(saida, std::string("Opcao desconhecida: -x\n") + USO);
  EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "--nada", "1110"}), 255, saida);
  EXPECT_EQ(saida, std::string("Opcao desconhecida: --nada\n") + USO);
  // Only options, no strategy: the usage alone, as with no arguments.
  EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "-r"}), 255, saida);
  EXPECT_EQ(saida, USO);
}

// The combinatorial engine solves no LP, and -a makes the choice -c forces.
TEST_F(OpcoesDeathTest, CombinacoesSemSentidoSaoRecusadas) {
  std::string saida;
  for (const char* g : {"-g", "--cortes-gerais"}) {
    EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "-c", g, "1110"}), 255, saida);
    EXPECT_EQ(saida, std::string("A opcao -g/--cortes-gerais e' do branch-and-cut; o motor "
                                 "combinatorio (-c) nao resolve programas lineares.\n") + USO);
  }
  for (const auto& [a, b] : {std::pair{"-c", "-a"}, {"--automatico", "--combinatorio"}}) {
    EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", a, b, "1110"}), 255, saida);
    EXPECT_EQ(saida, std::string("As opcoes -c/--combinatorio e -a/--automatico se excluem: -a "
                                 "escolhe o motor.\n") + USO);
  }
}

// Threads for the combinatorial engine, alone or chosen by -a, and for the
// branch-and-cut's cycle searches, reduced or not; 0 asks for one per
// processor.
TEST_F(Opcoes, LinhasDoMotorCombinatorio) {
  extrai({"BCTovsel", "1110"});
  EXPECT_EQ(LINHAS, 1);
  extrai({"BCTovsel", "-c", "-j", "3", "1110"});
  EXPECT_EQ(LINHAS, 3);
  COMBINATORIO = 0;
  extrai({"BCTovsel", "--paralelo=2", "-a", "1110"});
  EXPECT_EQ(LINHAS, 2);
  extrai({"BCTovsel", "-a", "-j0", "1110"});
  EXPECT_GE(LINHAS, 1);
  AUTOMATICO = 0;
  extrai({"BCTovsel", "-j", "2", "-r", "1110"});
  EXPECT_EQ(LINHAS, 2);
  extrai({"BCTovsel", "--paralelo=3", "0110", "5"});
  EXPECT_EQ(LINHAS, 3);
  extrai({"BCTovsel", "-j0", "1110"});
  EXPECT_GE(LINHAS, 1);
  // Without cuts only the combinatorial engine has a use for them.
  extrai({"BCTovsel", "-a", "-j", "2", "1010"});
  EXPECT_EQ(LINHAS, 2);
}

// -a takes the general-purpose cuts on the pieces of at most 300 vertices
// only (2); -g, before or after it, everywhere (1).
TEST_F(Opcoes, CortesGeraisDoAutomatico) {
  extrai({"BCTovsel", "-a", "1110"});
  EXPECT_EQ(CORTES_GERAIS, 2);
  CORTES_GERAIS = 0;
  extrai({"BCTovsel", "-g", "-a", "1110"});
  EXPECT_EQ(CORTES_GERAIS, 1);
  CORTES_GERAIS = 0;
  extrai({"BCTovsel", "-a", "-g", "1110"});
  EXPECT_EQ(CORTES_GERAIS, 1);
}

TEST_F(OpcoesDeathTest, LinhasInvalidasOuSemMotorCombinatorioSaoRecusadas) {
  std::string saida;
  for (const char* valor : {"-1", "abc", "2x", "", "257", " 2"}) {
    EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "-c", "-j", valor, "1110"}), 255, saida);
    EXPECT_EQ(saida, std::string("Valor invalido para -j/--paralelo: \"") + valor +
                         "\" (um numero inteiro de linhas de execucao, de 1 a 256, ou 0 para uma "
                         "por processador).\n" + USO)
        << valor;
  }
  EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "-c", "-j"}), 255, saida);
  EXPECT_EQ(saida, std::string("A opcao -j/--paralelo exige um valor.\n") + USO);
  // Even one thread: a run without cuts or the combinatorial engine has no
  // searches to share.
  for (const char* valor : {"2", "1"}) {
    for (const char* estrategia : {"1010", "0000"}) {
      EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "-j", valor, "-r", estrategia}), 255, saida);
      EXPECT_EQ(saida, std::string("A opcao -j/--paralelo reparte as buscas dos cortes (2a. "
                                   "posicao da estrategia \"1\") ou o motor combinatorio (-c ou "
                                   "-a); sem cortes o branch-and-bound usa uma linha de "
                                   "execucao.\n") + USO)
          << valor << " " << estrategia;
    }
  }
}

TEST_F(OpcoesDeathTest, AjudaMostraOUsoESaiComZero) {
  std::string saida;
  EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "--ajuda"}), 0, saida);
  EXPECT_EQ(saida, USO);
  // The English name and the short one too, wherever they come.
  for (const char* ajuda : {"--help", "-h"}) {
    EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", "-r", ajuda, "1110"}), 0, saida);
    EXPECT_EQ(saida, USO) << ajuda;
  }
}

TEST_F(OpcoesDeathTest, VersaoSaiComZero) {
  std::string saida;
  for (const char* versao : {"--version", "--versao", "-V"}) {
    EXPECT_SAIDA_E_STATUS(extrai({"BCTovsel", versao}), 0, saida);
    EXPECT_EQ(saida, "BCTovsel " BCTOVSEL_VERSAO "\n") << versao;
  }
}
