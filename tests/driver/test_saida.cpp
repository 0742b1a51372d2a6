// Whole runs of the executable on small instances: standard output against
// checked expected files (only the two CPU-time figures masked), the
// directives file, the record line field by field, and the ends of a run
// whose files cannot be written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "search/executa.h"

namespace {

namespace fs = std::filesystem;

const std::string kDados = std::string(BCT_SOURCE_DIR) + "/tests/data/";
const std::string kEsperado = std::string(BCT_SOURCE_DIR) + "/tests/driver/esperado/";

// The two CPU-time lines are the only ones that vary from run to run.
std::string mascaraTempos(const std::string& saida) {
  static const std::regex tempo(R"(^(\.tempo de CPU[ .a-z]*= ).*$)", std::regex::multiline);
  return std::regex_replace(saida, tempo, "$1<tempo>");
}

struct Caso {
  const char* instancia;
  const char* estrategia;
  int n, arestas, negativas, positivas, duplas;
  int otimo;
  bool exato;  // the strategy must reach the optimum
  const char* opcoes = "";  // before the strategy
};

// The options' letters before the strategy: "-c" and "1110" make "c1110".
std::string modo(const Caso& c) {
  std::string m;
  for (const char* o = c.opcoes; *o != '\0'; o++)
    if (std::isalpha(static_cast<unsigned char>(*o))) m += *o;
  return m + c.estrategia;
}

void PrintTo(const Caso& c, std::ostream* os) { *os << c.instancia << " " << c.opcoes << " " << c.estrategia; }

class Saida : public ::testing::TestWithParam<Caso> {};

TEST_P(Saida, ConfereComOEsperado) {
  const Caso& c = GetParam();
  DiretorioTemporario dir;
  const Execucao e =
      executa(dir.caminho(), std::string(c.opcoes) + " " + c.estrategia, kDados + c.instancia);
  ASSERT_EQ(e.status, 0) << e.erro;
  EXPECT_EQ(e.erro, "");

  const std::string base = fs::path(c.instancia).stem().string() + "_" + modo(c) + ".txt";
  const std::string esperado = leArquivo(kEsperado + base);
  ASSERT_FALSE(esperado.empty()) << "falta " << kEsperado + base;
  EXPECT_EQ(mascaraTempos(e.saida), esperado);

  // Directives: one line per column.
  const std::vector<std::string> diretivas = linhas(leArquivo(dir / "tovsel.dir"));
  ASSERT_EQ(static_cast<int>(diretivas.size()), c.n);
  for (int i = 0; i < c.n; i++)
    EXPECT_EQ(diretivas[i], " PR C" + std::to_string(i + 1) + "                  0");

  // The record line, field by field.
  const std::string registro = leArquivo(dir / "BC_Improved_Vesku_Pre.out");
  ASSERT_EQ(linhas(registro).size(), 1u);
  ASSERT_EQ(registro.back(), '\n');
  const std::vector<std::string> f = campos(registro);
  ASSERT_EQ(f.size(), 19u) << registro;
  EXPECT_EQ(std::stoi(f[0]), c.n);
  EXPECT_EQ(std::stoi(f[1]), c.arestas);
  EXPECT_EQ(std::stoi(f[2]), c.negativas);
  EXPECT_EQ(std::stoi(f[3]), c.positivas);
  EXPECT_EQ(std::stoi(f[4]), c.duplas);
  const int valor = std::stoi(f[5]);
  if (c.exato) {
    EXPECT_EQ(valor, c.otimo);
  } else {
    EXPECT_LE(valor, c.otimo);
  }
  const std::regex inteiro(R"(-?[0-9]+)"), natural(R"([0-9]+)"), doisDecimais(R"(-?[0-9]+\.[0-9]{2})");
  EXPECT_TRUE(std::regex_match(f[6], natural));
  EXPECT_TRUE(std::regex_match(f[7], natural));
  for (int i = 8; i <= 10; i++) EXPECT_TRUE(std::regex_match(f[i], doisDecimais)) << f[i];
  for (int i = 11; i <= 18; i++) EXPECT_TRUE(std::regex_match(f[i], inteiro)) << f[i];
  EXPECT_GE(std::stod(f[8]), c.otimo - 1e-6);  // dual bound
  EXPECT_GE(std::stoi(f[17]), 1);               // nodes

  // The statistics agree with the record.
  auto estatistica = [&](const std::string& rotulo) {
    const size_t p = e.saida.find(rotulo);
    EXPECT_NE(p, std::string::npos) << rotulo;
    if (p == std::string::npos) return std::string();
    const size_t ini = e.saida.find("= ", p) + 2;
    return e.saida.substr(ini, e.saida.find('\n', ini) - ini);
  };
  EXPECT_EQ(estatistica(".valor da melhor solucao inteira"), f[5]);
  EXPECT_EQ(estatistica(".total de nos explorados"), f[17]);
  EXPECT_EQ(estatistica(".no' da melhor solucao inteira"), f[18]);
  EXPECT_EQ(std::stod(estatistica(".melhor limitante dual")), std::stod(f[8]));
  EXPECT_EQ(std::to_string(std::stoi(f[14]) + std::stoi(f[15]) + std::stoi(f[16])),
            estatistica(".total de cortes inseridos"));
}

INSTANTIATE_TEST_SUITE_P(
    Instancias, Saida,
    ::testing::Values(Caso{"grafo_g06.txt", "0010", 8, 20, 4, 12, 4, 5, false},
                      Caso{"grafo_g06.txt", "0011", 8, 20, 4, 12, 4, 5, false},
                      Caso{"matriz_m38.txt", "0000", 10, 9, 5, 3, 1, 9, false},
                      Caso{"matriz_m38.txt", "0001", 10, 9, 5, 3, 1, 9, false},
                      Caso{"grafo_sem_solucao.txt", "0011", 6, 10, 2, 8, 0, 4, false},
                      Caso{"grafo_g12.txt", "0111", 12, 50, 12, 33, 5, 6, true},
                      Caso{"grafo_g12.txt", "1110", 12, 50, 12, 33, 5, 6, true},
                      Caso{"grafo_g12.txt", "1111", 12, 50, 12, 33, 5, 6, true},
                      Caso{"matriz_m41.txt", "1100", 22, 81, 33, 41, 7, 13, true},
                      Caso{"matriz_m41.txt", "1101", 22, 81, 33, 41, 7, 13, true},
                      // The combinatorial engine: the same files and lines,
                      // with its own figures, and no cuts nor model rows.
                      Caso{"grafo_g12.txt", "1110", 12, 50, 12, 33, 5, 6, true, "-c"},
                      Caso{"grafo_g06.txt", "0011", 8, 20, 4, 12, 4, 5, true, "-c"},
                      Caso{"matriz_m41.txt", "1101", 22, 81, 33, 41, 7, 13, true, "-c"}),
    [](const ::testing::TestParamInfo<Caso>& i) {
      return fs::path(i.param.instancia).stem().string() + "_" + modo(i.param);
    });

// Pure branch-and-bound whose root LP point is integral but unbalanced: the
// optimizer stops there with a point of its own that the balance test
// rejected, so the system has no solution; the value is then -1 (like the
// node), and the dual bound stays valid.
TEST(SaidaSemSolucao, ValorMenosUmENenhumaLinhaDeSolucao) {
  DiretorioTemporario dir;
  const Execucao e = executa(dir.caminho(), "0011", kDados + "grafo_sem_solucao.txt");
  ASSERT_EQ(e.status, 0) << e.erro;
  EXPECT_NE(e.saida.find(" inviavel\nMain: programa terminou sem achar solucao inteira !\n"),
            std::string::npos);
  EXPECT_EQ(e.saida.find("- Valor da solucao otima"), std::string::npos);
  EXPECT_NE(e.saida.find(".valor da melhor solucao inteira . = -1\n"), std::string::npos);
  EXPECT_NE(e.saida.find(".no' da melhor solucao inteira .. = -1\n"), std::string::npos);
  const std::vector<std::string> f = campos(leArquivo(dir / "BC_Improved_Vesku_Pre.out"));
  ASSERT_EQ(f.size(), 19u);
  EXPECT_EQ(f[5], "-1");
  EXPECT_EQ(f[18], "-1");
  EXPECT_GE(std::stod(f[8]), 4.0);  // the optimum is 4
}

// Files that cannot be written: the run still prints everything, then one
// message on standard error names each file with its reason, status 3.
TEST(SaidaArquivos, ArquivosQueNaoSeAbremDaoStatus3EUmaMensagem) {
  DiretorioTemporario normal, bloqueado;
  const Execucao ok = executa(normal.caminho(), "0010", kDados + "grafo_g06.txt");
  ASSERT_EQ(ok.status, 0);
  // Directories in place of the two files cannot be opened for writing, even
  // by root.
  fs::create_directory(bloqueado / "tovsel.dir");
  fs::create_directory(bloqueado / "BC_Improved_Vesku_Pre.out");
  const Execucao e = executa(bloqueado.caminho(), "0010", kDados + "grafo_g06.txt");
  EXPECT_EQ(e.status, 3);
  EXPECT_EQ(mascaraTempos(e.saida), mascaraTempos(ok.saida));
  const std::vector<std::string> erro = linhas(e.erro);
  ASSERT_EQ(erro.size(), 1u) << e.erro;
  EXPECT_NE(erro[0].find("\"tovsel.dir\": Is a directory"), std::string::npos) << erro[0];
  EXPECT_NE(erro[0].find("\"BC_Improved_Vesku_Pre.out\": Is a directory"), std::string::npos)
      << erro[0];
}

TEST(SaidaArquivos, DiscoCheioDaStatus3) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "sem /dev/full";
  DiretorioTemporario dir;
  fs::create_symlink("/dev/full", dir / "BC_Improved_Vesku_Pre.out");
  const Execucao e = executa(dir.caminho(), "0010", kDados + "grafo_g06.txt");
  EXPECT_EQ(e.status, 3);
  EXPECT_NE(e.saida.find("========================================\n"), std::string::npos);
  EXPECT_NE(e.erro.find("\"BC_Improved_Vesku_Pre.out\": No space left on device"),
            std::string::npos)
      << e.erro;
  EXPECT_EQ(e.erro.find("tovsel.dir"), std::string::npos);
  EXPECT_EQ(linhas(leArquivo(dir / "tovsel.dir")).size(), 8u);

  DiretorioTemporario dir2;
  fs::create_symlink("/dev/full", dir2 / "tovsel.dir");
  const Execucao e2 = executa(dir2.caminho(), "0010", kDados + "grafo_g06.txt");
  EXPECT_EQ(e2.status, 3);
  EXPECT_NE(e2.erro.find("\"tovsel.dir\": No space left on device"), std::string::npos) << e2.erro;
  EXPECT_EQ(linhas(leArquivo(dir2 / "BC_Improved_Vesku_Pre.out")).size(), 1u);
}

TEST(SaidaArquivos, DiretorioSomenteLeitura) {
  if (geteuid() == 0) GTEST_SKIP() << "root escreve em qualquer diretorio";
  DiretorioTemporario dir;
  fs::permissions(dir.caminho(), fs::perms::owner_read | fs::perms::owner_exec);
  const Execucao e = executa(dir.caminho(), "0010", kDados + "grafo_g06.txt");
  EXPECT_EQ(e.status, 3);
  EXPECT_NE(e.saida.find("Estatisticas finais:"), std::string::npos);
  ASSERT_EQ(linhas(e.erro).size(), 1u) << e.erro;
  EXPECT_NE(e.erro.find("Permission denied"), std::string::npos);
}

// Two runs in one directory, one after the other and then two at once: every
// run keeps its own whole line; the directives are the last run's.
TEST(SaidaArquivos, RegistroAcumulaLinhasInteiras) {
  DiretorioTemporario dir;
  ASSERT_EQ(executa(dir.caminho(), "0010", kDados + "grafo_g06.txt").status, 0);
  ASSERT_EQ(executa(dir.caminho(), "0000", kDados + "matriz_m38.txt").status, 0);
  EXPECT_EQ(linhas(leArquivo(dir / "tovsel.dir")).size(), 10u);
  const std::string cmd = "cd '" + dir.caminho() + "' && for i in 1 2 3 4; do '" BCTOVSEL_EXE
                          "' 0010 < '" + kDados + "grafo_g10.txt' > /dev/null & done; wait";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  const std::vector<std::string> l = linhas(leArquivo(dir / "BC_Improved_Vesku_Pre.out"));
  ASSERT_EQ(l.size(), 6u);
  EXPECT_EQ(campos(l[0])[0], "8");
  EXPECT_EQ(campos(l[1])[0], "10");
  for (const std::string& linha : l) EXPECT_EQ(campos(linha).size(), 19u) << linha;
}

// Two copies of a piece of 459 vertices the reduction leaves whole (from a
// 2,500-vertex sample of the Bitcoin Alpha network), the second numbered
// backwards: a reduced run of two large pieces.  Written to `caminho`.
std::string duasPecas(const std::string& caminho) {
  std::istringstream in(leArquivo(kDados + "grafo_peca459.txt"));
  int n = 0, m = 0;
  in >> n >> m;
  std::vector<std::array<int, 3>> a(m);
  for (auto& e : a) in >> e[0] >> e[1] >> e[2];
  std::ofstream f(caminho);
  f << 2 * n << " " << 2 * m << "\n";
  for (const auto& e : a) f << e[0] << " " << e[1] << " " << e[2] << "\n";
  for (const auto& e : a) f << 2 * n - 1 - e[0] << " " << 2 * n - 1 - e[1] << " " << e[2] << "\n";
  return caminho;
}

// Threads (-j) change nothing a run prints or records but its times: the
// same cuts of the cycle searches shared among them, hence the same nodes,
// bounds and values, down to detailed printing of every node and cut round;
// plain and reduced, where large pieces are solved at once and their lines
// come out in the order of the pieces.
TEST(SaidaParalela, LinhasNaoMudamASaida) {
  DiretorioTemporario dados;
  // 60 vertices, pairs joined with probability 0.1: two hundred nodes.
  const std::string aleatorio = grafoEsparso(dados / "g60.txt", 60, 4);
  const std::string pecas = duasPecas(dados / "pecas.txt");
  const struct {
    std::string instancia, estrategia;
  } casos[] = {{kDados + "grafo_g12.txt", "1111"},
               {kDados + "grafo_sc50a.txt", "1111"},
               {kDados + "matriz_m41.txt", "1101"},
               {aleatorio, "1110"},
               {aleatorio, "0111"},
               {pecas, "1111"}};
  // The record without its two CPU times.
  auto registro = [](const DiretorioTemporario& d) {
    std::vector<std::string> f = campos(leArquivo(d / "BC_Improved_Vesku_Pre.out"));
    if (f.size() == 19u) f[6] = f[7] = "";
    return f;
  };
  for (const auto& c : casos) {
    for (const std::string reduz : {"", "-r "}) {
      DiretorioTemporario d1;
      const Execucao sozinho = executa(d1.caminho(), reduz + c.estrategia, c.instancia);
      ASSERT_EQ(sozinho.status, 0) << sozinho.erro;
      for (const std::string linhas : {"-j 2 ", "--paralelo=3 "}) {
        SCOPED_TRACE(linhas + reduz + c.estrategia + " < " + c.instancia);
        DiretorioTemporario dj;
        const Execucao e = executa(dj.caminho(), linhas + reduz + c.estrategia, c.instancia);
        ASSERT_EQ(e.status, 0) << e.erro;
        EXPECT_EQ(mascaraTempos(semEstadoFinal(e.saida)), mascaraTempos(semEstadoFinal(sozinho.saida)));
        EXPECT_EQ(registro(dj), registro(d1));
        EXPECT_EQ(leArquivo(dj / "tovsel.dir"), leArquivo(d1 / "tovsel.dir"));
      }
    }
  }
}

}  // namespace
