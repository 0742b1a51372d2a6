// Whole runs over the small benchmark instances: every run ends normally with
// its statistics and record line, never reports more than the optimum nor a
// dual bound below it, reaches the optimum whenever cuts are generated, and
// every incumbent it stores is balanced (checked here, independently of the
// solver's own test, from the trail the solver writes when asked to).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "search/equilibrio.h"
#include "search/executa.h"

namespace {

namespace fs = std::filesystem;

std::string pastaBench() {
  const char* env = std::getenv("BCT_BENCH_DIR");
  if (env != nullptr && fs::is_directory(fs::path(env) / "small")) return env;
  // The small set and its optima are carried by the repository.
  const fs::path padrao = fs::path(BCT_SOURCE_DIR) / "tests" / "data" / "bench";
  if (fs::is_directory(padrao / "small")) return padrao.string();
  return "";
}

bool ehMatriz(const std::string& nome) {
  return nome.rfind("m", 0) == 0 ||
         (nome.size() >= 11 && nome.compare(nome.size() - 11, 11, "_matrix.txt") == 0);
}

struct Instancia {
  int n = 0;
  std::vector<ArestaTeste> arestas;
};

// Reads either form; a matrix becomes its signed row graph (rows sharing a
// nonzero column are adjacent, negative when their entries agree, double when
// two shared columns disagree on that).
Instancia leInstancia(const std::string& caminho, bool matriz) {
  std::ifstream in(caminho);
  Instancia r;
  if (!matriz) {
    int m = 0;
    in >> r.n >> m;
    for (int i = 0; i < m; i++) {
      ArestaTeste a{};
      in >> a.u >> a.w >> a.s;
      r.arestas.push_back(a);
    }
    return r;
  }
  int colunas = 0;
  in >> r.n >> colunas;
  std::vector<std::vector<int>> a(r.n, std::vector<int>(colunas));
  for (auto& linha : a)
    for (int& v : linha) in >> v;
  for (int i = 0; i < r.n; i++)
    for (int j = i + 1; j < r.n; j++) {
      bool igual = false, diferente = false;
      for (int k = 0; k < colunas; k++) {
        if (a[i][k] == 0 || a[j][k] == 0) continue;
        (a[i][k] == a[j][k] ? igual : diferente) = true;
      }
      if (igual && diferente) r.arestas.push_back({i, j, 2});
      else if (igual) r.arestas.push_back({i, j, -1});
      else if (diferente) r.arestas.push_back({i, j, 1});
    }
  return r;
}

std::map<std::string, int> leOtimos(const std::string& arquivo) {
  std::map<std::string, int> r;
  std::ifstream in(arquivo);
  std::string linha;
  std::getline(in, linha);  // header
  while (std::getline(in, linha)) {
    std::istringstream l(linha);
    std::string nome, forma, otimo;
    l >> nome >> forma >> otimo;
    if (otimo == "-" || otimo.empty()) continue;
    r[fs::path(nome).filename().string()] = std::stoi(otimo);
  }
  return r;
}

// Runs every small instance with the graph strategy (the matrix one for
// matrices) and checks each run, its incumbent trail and its solution file;
// `exato` demands the optimum itself.
void confereTodas(const std::string& estrGrafo, const std::string& estrMatriz, bool exato,
                  const std::string& ambiente = "") {
  const std::string bench = pastaBench();
  if (bench.empty())
    GTEST_SKIP() << "instancias de benchmark ausentes: defina BCT_BENCH_DIR ou coloque-as em "
                 << BCT_SOURCE_DIR << "/tests/data/bench";
  const std::map<std::string, int> otimos = leOtimos(bench + "/optima-small.tsv");
  std::vector<fs::path> arquivos;
  for (const auto& e : fs::directory_iterator(fs::path(bench) / "small"))
    if (e.is_regular_file()) arquivos.push_back(e.path());
  std::sort(arquivos.begin(), arquivos.end());
  ASSERT_FALSE(arquivos.empty());

  for (const fs::path& arq : arquivos) {
    const std::string nome = arq.filename().string();
    const bool matriz = ehMatriz(nome);
    const std::string estr = matriz ? estrMatriz : estrGrafo;
    SCOPED_TRACE(nome + " com " + estr);
    const auto ot = otimos.find(nome);
    ASSERT_NE(ot, otimos.end()) << "sem otimo conhecido";
    const int otimo = ot->second;

    DiretorioTemporario dir;
    const Execucao e = executa(dir.caminho(), "-s sol.txt " + estr, arq.string(),
                               ambiente + " BCTOVSEL_TEMPO_MAX=60 BCTOVSEL_INCUMBENTES='" +
                                   (dir / "incumbentes.txt") + "'");
    ASSERT_EQ(e.status, 0) << e.erro;
    EXPECT_NE(e.saida.find("Estatisticas finais:\n"), std::string::npos);
    const std::vector<std::string> registro = linhas(leArquivo(dir / "BC_Improved_Vesku_Pre.out"));
    ASSERT_EQ(registro.size(), 1u);
    const std::vector<std::string> f = campos(registro[0]);
    ASSERT_EQ(f.size(), 19u) << registro[0];
    const int valor = std::stoi(f[5]);
    const double limitante = std::stod(f[8]);
    EXPECT_LE(valor, otimo);
    EXPECT_GE(limitante, otimo - 1e-6);
    // With cuts, the first relaxation and the root are LP values, never below
    // the optimum (a pure branch-and-bound leaves them at 0).
    if (estr[estr.size() - 3] == '1') {
      EXPECT_GE(std::stod(f[9]), otimo - 1e-6) << registro[0];
      EXPECT_GE(std::stod(f[10]), otimo - 1e-6) << registro[0];
    }
    if (exato) {
      EXPECT_EQ(valor, otimo);
    }

    // Every incumbent: balanced, of the value it claims, and the last one is
    // the value reported.
    const Instancia inst = leInstancia(arq.string(), matriz);
    ASSERT_EQ(std::stoi(f[0]), inst.n);
    const std::vector<std::string> incumbentes = linhas(leArquivo(dir / "incumbentes.txt"));
    if (valor >= 0) {
      ASSERT_FALSE(incumbentes.empty());
    }
    int ultimo = -1;
    for (const std::string& linha : incumbentes) {
      const size_t doisPontos = linha.find(':');
      ASSERT_NE(doisPontos, std::string::npos);
      const int z = std::stoi(linha.substr(0, doisPontos));
      std::vector<bool> escolhido(inst.n, false);
      int quantos = 0;
      for (const std::string& v : campos(linha.substr(doisPontos + 1))) {
        const int vi = std::stoi(v);
        ASSERT_TRUE(vi >= 0 && vi < inst.n);
        escolhido[vi] = true;
        quantos++;
      }
      EXPECT_EQ(quantos, z) << linha;
      EXPECT_TRUE(equilibradoUF(inst.n, inst.arestas, escolhido)) << linha;
      EXPECT_LE(z, otimo) << linha;
      ultimo = z;
    }
    EXPECT_EQ(ultimo, valor);

    // The solution file, read back by the checker, which shares no code with
    // the solver: the same set, balanced with the sides it gives.
    const Execucao v = executaVerifica(std::string(matriz ? "-m " : "") + "'" + arq.string() +
                                       "' '" + (dir / "sol.txt") + "'");
    EXPECT_EQ(v.status, 0) << v.saida << v.erro;
    EXPECT_EQ(v.saida, "valida: " + std::to_string(std::max(valor, 0)) + " vertices\n");
    if (valor < 0) {
      EXPECT_NE(leArquivo(dir / "sol.txt").find("# sem solucao\n"), std::string::npos);
    }
  }
}

TEST(Aceitacao, BranchAndBoundPuroNuncaPassaDoOtimo) { confereTodas("0010", "0000", false); }
TEST(Aceitacao, HeuristicaECortesAchamOOtimo) { confereTodas("1110", "1100", true); }
TEST(Aceitacao, SoCortesAchamOOtimo) { confereTodas("0110", "0100", true); }
TEST(Aceitacao, CortesComImpressaoDetalhadaAchamOOtimo) { confereTodas("1111", "1101", true); }
TEST(Aceitacao, ComReducaoAchaOOtimo) { confereTodas("-r 1110", "-r 1100", true); }
// Each part of a reduced run's search switched off (for measuring) leaves it exact.
TEST(Aceitacao, ComReducaoSemSuasPartesAchaOOtimo) {
  confereTodas("-r 1110", "-r 1100", true,
               "BCTOVSEL_DESLIGA=contracao,lote,escolha,cauda,heuristicaLP,melhorPrimeiro,ramificacaoForte,"
               "arestaIngreme "
               "BCTOVSEL_SONDA=0");
}
TEST(Aceitacao, ComReducaoSemCortesNuncaPassaDoOtimo) { confereTodas("-r 0010", "-r 0000", false); }
TEST(Aceitacao, CortesGeraisAchamOOtimo) { confereTodas("-g 1110", "-g 1100", true); }
TEST(Aceitacao, CortesGeraisSoComCortesAchamOOtimo) { confereTodas("-g 0110", "-g 0100", true); }
// The combinatorial engine is exact whatever the strategy's flags, alone,
// on the pieces of a reduced instance, and when -a picks it.
TEST(Aceitacao, CombinatorioAchaOOtimo) { confereTodas("-c 1110", "-c 1100", true); }
TEST(Aceitacao, CombinatorioSemHeuristicaAchaOOtimo) { confereTodas("-c 0011", "-c 0001", true); }
// Threads sharing an incumbent that starts empty.
TEST(Aceitacao, CombinatorioEmParaleloAchaOOtimo) { confereTodas("-c -j 3 0011", "-c -j 3 0001", true); }
TEST(Aceitacao, CombinatorioComReducaoAchaOOtimo) { confereTodas("-c -r 1110", "-c -r 1100", true); }
TEST(Aceitacao, AutomaticoAchaOOtimo) { confereTodas("-a 1110", "-a 1100", true); }
TEST(Aceitacao, AutomaticoComReducaoAchaOOtimo) { confereTodas("-a -r -g 1110", "-a -r -g 1100", true); }

}  // namespace
