// Around a run: the solution file of -s (its header, the sides of the set, a
// run without a solution, a path that cannot be written), the progress
// lines of -p and the statistics line of -g, a run where -g's cuts pay and
// one where they do not.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "search/executa.h"

namespace {

namespace fs = std::filesystem;

const std::string kDados = std::string(BCT_SOURCE_DIR) + "/tests/data/";

TEST(Solucao, CabecalhoEConjuntoComLadosEmTodosOsModos) {
  // grafo_g12: 12 vertices, 50 edges, optimum 6; matriz_m41: 22 rows, optimum 13.
  const struct {
    const char* args;
    const char* instancia;
    const char* contagens;
    int otimo;
  } casos[] = {{"1110", "grafo_g12.txt", "# vertices 12 arestas 50", 6},
               {"-r 1110", "grafo_g12.txt", "# vertices 12 arestas 50", 6},
               {"1100", "matriz_m41.txt", "# vertices 22 arestas 81", 13},
               {"-r -t 30 1100", "matriz_m41.txt", "# vertices 22 arestas 81", 13},
               {"-c 1110", "grafo_g12.txt", "# vertices 12 arestas 50", 6},
               {"-c -r 0010", "grafo_g12.txt", "# vertices 12 arestas 50", 6},
               {"-a 1100", "matriz_m41.txt", "# vertices 22 arestas 81", 13}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.args);
    DiretorioTemporario dir;
    const Execucao e = executa(dir.caminho(), std::string("-s sol.txt ") + c.args,
                               kDados + c.instancia);
    ASSERT_EQ(e.status, 0) << e.erro;
    const std::vector<std::string> l = linhas(leArquivo(dir / "sol.txt"));
    ASSERT_EQ(l.size(), 6u + c.otimo);
    EXPECT_EQ(l[0], "# BCTovsel: solucao");
    EXPECT_EQ(l[1], c.contagens);
    EXPECT_EQ(l[2], "# valor " + std::to_string(c.otimo));
    EXPECT_EQ(l[3], "# limitante " + std::to_string(c.otimo) + ".000000");
    EXPECT_EQ(l[4], "# otimo sim");
    EXPECT_EQ(l[5].rfind("# tempo ", 0), 0u) << l[5];
    int anterior = -1;
    for (size_t i = 6; i < l.size(); i++) {
      const std::vector<std::string> f = campos(l[i]);
      ASSERT_EQ(f.size(), 2u) << l[i];
      EXPECT_GT(std::stoi(f[0]), anterior);  // increasing, so distinct
      anterior = std::stoi(f[0]);
      EXPECT_TRUE(f[1] == "0" || f[1] == "1") << l[i];
    }
    // Nothing left behind but the three files.
    int arquivos = 0;
    for ([[maybe_unused]] const auto& a : fs::directory_iterator(dir.caminho())) arquivos++;
    EXPECT_EQ(arquivos, 3);
  }
}

TEST(Solucao, SemSolucaoOArquivoDizIsso) {
  DiretorioTemporario dir;
  const Execucao e = executa(dir.caminho(), "-s sol.txt 0011", kDados + "grafo_sem_solucao.txt");
  ASSERT_EQ(e.status, 0) << e.erro;
  const std::vector<std::string> l = linhas(leArquivo(dir / "sol.txt"));
  ASSERT_EQ(l.size(), 5u);
  EXPECT_EQ(l[2], "# sem solucao");
  EXPECT_EQ(l[3].rfind("# limitante ", 0), 0u);
}

// The run still ends and prints everything; the message names the file and
// the status is that of any file not written, and no temporary file remains.
TEST(Solucao, CaminhoQueNaoSeGravaDaStatus3) {
  DiretorioTemporario dir;
  const Execucao ok = executa(dir.caminho(), "0010", kDados + "grafo_g06.txt");
  const Execucao e = executa(dir.caminho(), "-s falta/sol.txt 0010", kDados + "grafo_g06.txt");
  EXPECT_EQ(e.status, 3);
  EXPECT_NE(e.erro.find("\"falta/sol.txt\": No such file or directory"), std::string::npos)
      << e.erro;
  fs::create_directory(dir / "sol.txt");  // a directory cannot be replaced by the file
  const Execucao d = executa(dir.caminho(), "-s sol.txt 0010", kDados + "grafo_g06.txt");
  EXPECT_EQ(d.status, 3);
  EXPECT_NE(d.erro.find("\"sol.txt\": Is a directory"), std::string::npos) << d.erro;
  int arquivos = 0;
  for ([[maybe_unused]] const auto& a : fs::directory_iterator(dir.caminho())) arquivos++;
  EXPECT_EQ(arquivos, 3);  // tovsel.dir, the record file and the directory
}

// -p writes progress lines to standard error only: the first at the first
// clock check of the search, each with its figures; standard output stays
// that of a run without it, in both modes.
TEST(Progresso, LinhasSoNaSaidaDeErro) {
  for (const std::string modo : {"", "-r "}) {
    SCOPED_TRACE(modo);
    DiretorioTemporario dir;
    const Execucao sem = executa(dir.caminho(), modo + "0110", kDados + "grafo_g12.txt");
    const Execucao com = executa(dir.caminho(), modo + "-p 0110", kDados + "grafo_g12.txt");
    ASSERT_EQ(com.status, 0);
    const std::regex tempoCpu(R"(\.tempo de CPU[^\n]*)");
    EXPECT_EQ(std::regex_replace(semEstadoFinal(com.saida), tempoCpu, ""),
              std::regex_replace(semEstadoFinal(sem.saida), tempoCpu, ""));
    EXPECT_TRUE(sem.erro.empty()) << sem.erro;
    // The reduction solves this graph whole, so a reduced run has no search
    // to report on.
    const std::vector<std::string> l = linhas(com.erro);
    if (modo.empty()) {
      ASSERT_FALSE(l.empty());
    }
    const std::regex formato(
        R"(BCTovsel: +[0-9]+\.[0-9] s +[0-9]+ nos +[0-9]+ abertos  solucao ([0-9]+|-)(  limitante [0-9.]+(  gap [0-9.]+%)?)?)");
    for (const std::string& linha : l) EXPECT_TRUE(std::regex_match(linha, formato)) << linha;
  }
}

// -g adds one statistics line of its own, after the cut lines; without it
// the output has no such line.
TEST(CortesGerais, UmaLinhaPropriaNasEstatisticas) {
  DiretorioTemporario dir;
  const Execucao sem = executa(dir.caminho(), "1110", kDados + "grafo_g12.txt");
  const Execucao com = executa(dir.caminho(), "-g 1110", kDados + "grafo_g12.txt");
  ASSERT_EQ(com.status, 0) << com.erro;
  EXPECT_EQ(sem.saida.find("cortes gerais"), std::string::npos);
  const std::regex linha(
      R"(\.\.cortes ciclo ind set\.* = [0-9]+\n\.cortes gerais do otimizador \(-g\)\. = [0-9]+\n)");
  EXPECT_TRUE(std::regex_search(com.saida, linha)) << com.saida;
  // The record line keeps its 19 fields.
  const std::vector<std::string> r = linhas(leArquivo(dir / "BC_Improved_Vesku_Pre.out"));
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(campos(r[1]).size(), 19u);
}

// grafo_sc50a (the signed row graph of netlib's sc50a, 50 vertices, optimum
// 34) takes 13 nodes; -g's root rounds close its gap and prove it at the
// root.  Its first relaxation is the root's first LP all the same.
TEST(CortesGerais, QuandoPagamProvamNaRaiz) {
  DiretorioTemporario dir;
  const Execucao sem = executa(dir.caminho(), "1110", kDados + "grafo_sc50a.txt");
  ASSERT_EQ(sem.status, 0) << sem.erro;
  const std::vector<std::string> registroSem = campos(linhas(leArquivo(dir / "BC_Improved_Vesku_Pre.out")).back());
  const Execucao com = executa(dir.caminho(), "-g 1110", kDados + "grafo_sc50a.txt");
  ASSERT_EQ(com.status, 0) << com.erro;
  const std::vector<std::string> registroCom = campos(linhas(leArquivo(dir / "BC_Improved_Vesku_Pre.out")).back());
  ASSERT_EQ(registroSem.size(), 19u);
  ASSERT_EQ(registroCom.size(), 19u);
  EXPECT_EQ(registroSem[5], "34");
  EXPECT_EQ(registroCom[5], "34");
  EXPECT_GT(std::stoi(registroSem[17]), 1);
  EXPECT_EQ(registroCom[17], "1");
  EXPECT_EQ(registroCom[9], registroSem[9]);
  EXPECT_EQ(com.saida.find(".cortes gerais do otimizador (-g). = 0\n"), std::string::npos) << com.saida;
}

// matriz_m41's root rounds take its LP bound from 13.5 to 13, which prunes
// nothing the rounded bound did not: -g drops them, and the run is the one
// without -g line for line, times and its own statistics line aside.
TEST(CortesGerais, QuandoNaoPagamARodadaESemElas) {
  const auto semTempos = [](const std::string& texto) {
    std::string r;
    for (const std::string& l : linhas(texto))
      if (l.find("tempo") == std::string::npos && l.find("cortes gerais") == std::string::npos) r += l + "\n";
    return r;
  };
  DiretorioTemporario dir;
  const Execucao sem = executa(dir.caminho(), "1100", kDados + "matriz_m41.txt");
  ASSERT_EQ(sem.status, 0) << sem.erro;
  std::vector<std::string> registroSem = campos(linhas(leArquivo(dir / "BC_Improved_Vesku_Pre.out")).back());
  const Execucao com = executa(dir.caminho(), "-g 1100", kDados + "matriz_m41.txt");
  ASSERT_EQ(com.status, 0) << com.erro;
  std::vector<std::string> registroCom = campos(linhas(leArquivo(dir / "BC_Improved_Vesku_Pre.out")).back());
  EXPECT_NE(com.saida.find(".cortes gerais do otimizador (-g). = 0\n"), std::string::npos) << com.saida;
  EXPECT_EQ(semTempos(semEstadoFinal(com.saida)), semTempos(sem.saida));
  // The record line's fields 7 and 8 are seconds.
  ASSERT_EQ(registroSem.size(), 19u);
  ASSERT_EQ(registroCom.size(), 19u);
  registroSem[6] = registroSem[7] = registroCom[6] = registroCom[7] = "";
  EXPECT_EQ(registroCom, registroSem);
}

}  // namespace
