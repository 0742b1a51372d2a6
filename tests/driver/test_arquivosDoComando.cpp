// The files named on the command line and the status line: -f reads the
// instance the run would read from standard input and adds one last line
// saying how the run ended; a file of -f that cannot be read, or a path of
// -s that cannot be written, refuses the run before the instance is read,
// with nothing written; a refused command line with options says why on
// standard error too.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "search/executa.h"

namespace {

namespace fs = std::filesystem;

const std::string kDados = std::string(BCT_SOURCE_DIR) + "/tests/data/";

std::string semTempos(const std::string& saida) {
  static const std::regex tempo(R"(^(\.tempo de CPU[ .a-z]*= ).*$)", std::regex::multiline);
  return std::regex_replace(saida, tempo, "$1<tempo>");
}

int arquivos(const std::string& dir) {
  int n = 0;
  for ([[maybe_unused]] const auto& a : fs::directory_iterator(dir)) n++;
  return n;
}

// Each way a run ends: the output of -f is that of standard input line for
// line, then the status line; the status and the files are the same.
TEST(ArquivoDaInstancia, MesmaSaidaQueAEntradaPadraoEALinhaDeEstado) {
  DiretorioTemporario dados;
  const std::string longo = grafoEsparso(dados / "longo.txt");
  const struct {
    std::string instancia, args, estado;
  } casos[] = {
      {kDados + "grafo_g12.txt", "1110", "Estado final: otimo, valor 6, limitante 6, gap 0.00%"},
      {kDados + "matriz_m41.txt", "-a -j 1 1100",
       "Estado final: otimo, valor 13, limitante 13, gap 0.00%"},
      {kDados + "matriz_m41.txt", "-c 0000", "Estado final: otimo, valor 13, limitante 13, gap 0.00%"},
      // No heuristic and no cuts: the search ends without a set, or
      // without proving the one it has.
      {kDados + "grafo_sem_solucao.txt", "0011", "Estado final: sem solucao, limitante 5"},
      {kDados + "matriz_m41.txt", "0000", "Estado final: nao provado, valor 13, limitante 14, gap 7.69%"},
      {longo, "-t 1 1110", "Estado final: limite de tempo, valor "},
      {longo, "-r -t 1 1110", "Estado final: limite de tempo, valor "},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.args + " " + c.instancia);
    DiretorioTemporario dEntrada, dArquivo, dTraco;
    const Execucao entrada = executa(dEntrada.caminho(), c.args, c.instancia);
    // (-f ends the options, the strategy after it; "-" is standard input.)
    const Execucao arquivo = rodaComando("cd '" + dArquivo.caminho() + "' && '" BCTOVSEL_EXE
                                         "' -f '" + c.instancia + "' " + c.args + " < /dev/null",
                                         dArquivo / "o", dArquivo / "e");
    const Execucao traco = executa(dTraco.caminho(), "--arquivo=- " + c.args, c.instancia);
    EXPECT_EQ(arquivo.status, entrada.status);
    EXPECT_EQ(traco.status, entrada.status);
    EXPECT_EQ(arquivo.erro, entrada.erro);
    const std::vector<std::string> l = linhas(arquivo.saida);
    ASSERT_FALSE(l.empty());
    EXPECT_EQ(l.back().rfind(c.estado, 0), 0u) << l.back();
    if (c.args.find("-t") == std::string::npos) {
      EXPECT_EQ(semTempos(arquivo.saida), semTempos(semEstadoFinal(entrada.saida)) + l.back() + "\n");
      EXPECT_EQ(semTempos(traco.saida), semTempos(arquivo.saida));
    } else {
      // The gap is the bound less the value over the value.
      std::smatch m;
      ASSERT_TRUE(std::regex_match(l.back(), m, std::regex(
          R"(.*valor ([0-9]+), limitante ([0-9]+), gap ([0-9.]+)%)")));
      const double v = std::stod(m[1]), b = std::stod(m[2]);
      EXPECT_LT(v, b);
      EXPECT_NEAR(std::stod(m[3]), 100 * (b - v) / v, 0.006);
    }
    EXPECT_EQ(linhas(leArquivo(dArquivo / "BC_Improved_Vesku_Pre.out")).size(), 1u);
    EXPECT_EQ(leArquivo(dArquivo / "tovsel.dir"), leArquivo(dEntrada / "tovsel.dir"));
  }
}

// Refused before the instance is read: nothing printed on standard output,
// nothing written, one line on standard error.
TEST(ArquivoDaInstancia, ArquivosRecusadosAntesDaLeitura) {
  DiretorioTemporario dir;
  fs::create_directory(dir / "pasta");
  const std::string g12 = kDados + "grafo_g12.txt";
  const struct {
    std::string args, mensagem;
    int status;
  } casos[] = {
      {"-f nada.txt 1110", "BCTovsel: nao foi possivel ler a instancia \"nada.txt\": No such file "
                           "or directory\n", 2},
      {"-f pasta 1110", "BCTovsel: nao foi possivel ler a instancia \"pasta\": Is a directory\n", 2},
      {"-s falta/sol.txt -f " + g12 + " 1110",
       "BCTovsel: nao foi possivel gravar \"falta/sol.txt\": No such file or directory (visto antes "
       "da leitura da instancia; nada foi gravado)\n", 3},
      {"-a -s pasta 1110 < " + g12,
       "BCTovsel: nao foi possivel gravar \"pasta\": Is a directory (visto antes da leitura da "
       "instancia; nada foi gravado)\n", 3},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.args);
    const Execucao e = rodaComando("cd '" + dir.caminho() + "' && '" BCTOVSEL_EXE "' " + c.args,
                                   dir.caminho() + ".o", dir.caminho() + ".e");
    EXPECT_EQ(e.status, c.status);
    EXPECT_EQ(e.erro, c.mensagem);
    EXPECT_EQ(e.saida, "");
    EXPECT_EQ(arquivos(dir.caminho()), 1);  // the folder alone: no temporary file either
  }
}

// With an option, what is wrong with the command line is said on standard
// error too (standard output keeps it, with the usage text); without one,
// standard error stays as it was, empty.
TEST(ArquivoDaInstancia, LinhaDeComandoRecusadaNaSaidaDeErro) {
  const struct {
    std::string args, erro;
  } casos[] = {
      {"-t abc 1110", "BCTovsel: Valor invalido para -t/--tempo: \"abc\" (um numero inteiro de "
                      "segundos, de 1 a 2147483647).\n"},
      {"--nada 1110", "BCTovsel: Opcao desconhecida: --nada\n"},
      {"-r 111", "BCTovsel: First parameter with size 4 is mandatory. \n"},
      {"-a", "BCTovsel: falta a estrategia depois das opcoes\n"},
      {"-r 1110 5 6", "BCTovsel: argumentos demais depois da estrategia\n"},
      {"--" + std::string(600, 'x') + " 1110", "BCTovsel: Opcao desconhecida: --" +
                                                  std::string(600, 'x') + "\n"},
      {"111", ""},
      {"", ""},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.args);
    DiretorioTemporario dir;
    const Execucao e = executa(dir.caminho(), c.args, kDados + "grafo_g12.txt");
    EXPECT_EQ(e.status, 255);
    EXPECT_EQ(e.erro, c.erro);
    EXPECT_NE(e.saida.find("Uso: BCTovsel"), std::string::npos);
    // (What is missing or left over has the usage alone on standard output.)
    const bool soUso = c.erro.find("falta") != std::string::npos ||
                       c.erro.find("demais") != std::string::npos;
    if (!c.erro.empty() && !soUso) {
      EXPECT_EQ(e.saida.rfind(c.erro.substr(10), 0), 0u) << e.saida;
    }
  }
  // Both streams one file: the message once.
  DiretorioTemporario dir;
  const Execucao junto = rodaComando("'" BCTOVSEL_EXE "' -t abc 1110 2>&1", dir / "o", dir / "e");
  EXPECT_EQ(junto.saida.find("BCTovsel: Valor invalido"), std::string::npos);
  EXPECT_EQ(junto.saida.rfind("Valor invalido", 0), 0u);
}

// The instance named where the depth limit goes: read as before (a depth of
// 0, the instance from standard input), and with options said on standard
// error.
TEST(ArquivoDaInstancia, ArquivoNoLugarDaProfundidadeAvisado) {
  const std::string g12 = kDados + "grafo_g12.txt";
  DiretorioTemporario d1, d2, d3;
  const Execucao sem = executa(d1.caminho(), "1110 " + g12, g12);
  const Execucao com = executa(d2.caminho(), "-p 1110 " + g12, g12);
  const Execucao zero = executa(d3.caminho(), "-p 1110 0", g12);
  EXPECT_EQ(sem.status, 0);
  EXPECT_EQ(sem.erro, "");
  EXPECT_EQ(com.status, 0);
  EXPECT_EQ(semTempos(com.saida), semTempos(zero.saida));
  EXPECT_EQ(linhas(com.erro).front(), "BCTovsel: aviso: \"" + g12 + "\" e' lido como o limite de "
            "profundidade; a instancia vem da entrada padrao, ou de um arquivo com -f " + g12);
}

}  // namespace
