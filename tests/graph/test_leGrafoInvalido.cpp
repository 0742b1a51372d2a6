// Malformed graph instances: each is refused with one message on stderr that
// says what and where, and status 2; well-formed oddities stay accepted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "instancias.h"

namespace {
std::string rejeita(const std::string& texto) { return rejeicao(leGrafoDe, texto); }
std::string msg(const std::string& m) { return "Instancia invalida: " + m + ".\n"; }
}  // namespace

TEST(LeGrafoDeathTest, CabecalhoFaltandoOuNaoNumerico) {
  EXPECT_EQ(rejeita(""), msg("a entrada acabou onde se esperava o numero de vertices do cabecalho (token 1)"));
  EXPECT_EQ(rejeita("3\n"), msg("a entrada acabou onde se esperava o numero de arestas do cabecalho (token 2)"));
  EXPECT_EQ(rejeita("x 2\n"), msg("o numero de vertices do cabecalho nao e' um numero inteiro: \"x\" (token 1)"));
  EXPECT_EQ(rejeita("3 2.5\n"), msg("o numero de arestas do cabecalho nao e' um numero inteiro: \"2.5\" (token 2)"));
  EXPECT_EQ(rejeita("99999999999 0"),
            msg("o numero de vertices do cabecalho esta fora da faixa dos inteiros: \"99999999999\" (token 1)"));
}

TEST(LeGrafoDeathTest, ContagensNegativasOuGrandesDemais) {
  EXPECT_EQ(rejeita("-3 0"), msg("numero de vertices negativo no cabecalho: -3 (token 1)"));
  EXPECT_EQ(rejeita("3 -1"), msg("numero de arestas negativo no cabecalho: -1 (token 2)"));
  EXPECT_EQ(rejeita("1073741824 0"), msg("numero de vertices 1073741824 acima do maximo 1073741823 (token 1)"));
}

TEST(LeGrafoDeathTest, MenosRegistrosQueODeclarado) {
  EXPECT_EQ(rejeita("3 2\n0 1 1\n"), msg("faltam arestas: o cabecalho declara 2 e a entrada acabou depois de 1"));
  EXPECT_EQ(rejeita("3 2\n0 1 1\n2 1"), msg("a entrada acabou onde se esperava o sinal da aresta 2 (token 8)"));
  EXPECT_EQ(rejeita("3 2\n0 1 1\n2"), msg("a entrada acabou onde se esperava o segundo vertice da aresta 2 (token 7)"));
}

TEST(LeGrafoDeathTest, RegistroNaoNumerico) {
  EXPECT_EQ(rejeita("3 1\n0 1 a"), msg("o sinal da aresta 1 nao e' um numero inteiro: \"a\" (token 5)"));
  EXPECT_EQ(rejeita("3 1\n0x1 1 1"), msg("o primeiro vertice da aresta 1 nao e' um numero inteiro: \"0x1\" (token 3)"));
  EXPECT_EQ(rejeita("3 1\n0 - 1"), msg("o segundo vertice da aresta 1 nao e' um numero inteiro: \"-\" (token 4)"));
  EXPECT_EQ(rejeita("3 1\n0 1 12345678901234567890123456789"),
            msg("o sinal da aresta 1 esta fora da faixa dos inteiros: \"12345678901234567890...\" (token 5)"));
}

TEST(LeGrafoDeathTest, VerticeForaDaFaixa) {
  EXPECT_EQ(rejeita("3 2\n0 1 1\n0 3 1"), msg("aresta 2: vertice 3 fora de 0..2 (token 7)"));
  EXPECT_EQ(rejeita("3 1\n-1 0 1"), msg("aresta 1: vertice -1 fora de 0..2 (token 3)"));
  EXPECT_EQ(rejeita("0 1\n0 0 1"), msg("aresta 1: vertice 0, mas o grafo nao tem vertices (token 3)"));
}

TEST(LeGrafoDeathTest, SinalForaDe1Menos1e2) {
  EXPECT_EQ(rejeita("3 1\n0 1 0"), msg("aresta 1: sinal 0, que deve ser 1, -1 ou 2 (token 5)"));
  EXPECT_EQ(rejeita("3 2\n0 1 1 1 2 3"), msg("aresta 2: sinal 3, que deve ser 1, -1 ou 2 (token 8)"));
}

TEST(LeGrafoDeathTest, LacoNegativoOuDuplo) {
  EXPECT_EQ(rejeita("3 1\n1 1 -1"),
            msg("aresta 1: laco no vertice 1 com sinal -1; um laco so pode ter sinal 1 (token 5)"));
  EXPECT_EQ(rejeita("3 1\n2 2 2"),
            msg("aresta 1: laco no vertice 2 com sinal 2; um laco so pode ter sinal 1 (token 5)"));
}

TEST(LeGrafoDeathTest, ConteudoAlemDosRegistrosDeclarados) {
  EXPECT_EQ(rejeita("3 1\n0 1 1\n1 2 1\n"), msg("conteudo a mais depois das 1 arestas declaradas: \"1\" (token 6)"));
  EXPECT_EQ(rejeita("2 0 # fim"), msg("conteudo a mais depois das 0 arestas declaradas: \"#\" (token 3)"));
}

class LeituraDoGrafo : public ComArmazem {};

TEST_F(LeituraDoGrafo, AceitaOQueEBemFormado) {
  ::testing::internal::CaptureStdout();
  carregaGrafo("  +3\t1\r\n0 1 -1\n\n  ");  // any white space, a leading plus
  EXPECT_EQ(narco, 1);
  carregaGrafo("2 2 1 1 1 1 1 1");  // positive loops, repeated
  EXPECT_EQ(npos, 2);
  carregaGrafo("0 0");
  EXPECT_EQ(nlin, 0);
  ::testing::internal::GetCapturedStdout();
}

TEST(LeGrafo, ProgramaRecusaInstanciaSemEscreverArquivos) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(::testing::TempDir()) / ("bct_recusa_" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string cmd = "cd '" + dir.string() + "' && printf '3 2\\n0 1 1\\n0 5 1\\n' | '" +
                          BCTOVSEL_EXE + "' 1110 >/dev/null 2>erro.txt";
  const int status = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  std::ifstream in(dir / "erro.txt");
  std::string erro((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(erro, msg("aresta 2: vertice 5 fora de 0..2 (token 7)"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  fs::remove_all(dir);
}

TEST(LeGrafo, ContagemImpossivelERecusadaSemTrabalhoNemArquivos) {
  // A dozen bytes declaring a billion vertices: no machine holds the run, so
  // it is refused at once, through the memory failure path, with the figures.
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(::testing::TempDir()) / ("bct_memoria_" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string cmd = "cd '" + dir.string() + "' && printf '1073741823 0\\n' | '" +
                          BCTOVSEL_EXE + "' 1110 >saida.txt 2>erro.txt";
  const int status = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 255);
  std::ifstream in(dir / "erro.txt");
  std::string erro((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(erro.find("memoria insuficiente: uma instancia de 1073741823 vertices e 0 arestas"),
            std::string::npos)
      << erro;
  std::ifstream sai(dir / "saida.txt");
  std::string saida((std::istreambuf_iterator<char>(sai)), std::istreambuf_iterator<char>());
  EXPECT_NE(saida.find("The subroutine Main: memory allocation error.\n"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
  fs::remove_all(dir);
}

// Threads for the cycle searches (-j) each hold their own search state: the
// estimate grows with them (150 bytes a vertex for each thread past the first).
TEST(LeGrafo, LinhasDasBuscasEntramNaMemoriaEstimada) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(::testing::TempDir()) / ("bct_linhas_" + std::to_string(getpid()));
  fs::create_directories(dir);
  auto megabytes = [&](const std::string& opcoes) {
    const std::string cmd = "cd '" + dir.string() + "' && printf '1073741823 0\\n' | '" +
                            BCTOVSEL_EXE + "' " + opcoes + " 1110 >saida.txt 2>erro.txt";
    const int status = std::system(cmd.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 255);
    std::ifstream in(dir / "erro.txt");
    std::string erro((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t p = erro.find("precisa de cerca de ");
    EXPECT_NE(p, std::string::npos) << erro;
    return p == std::string::npos ? -1LL : std::stoll(erro.substr(p + 20));
  };
  const long long uma = megabytes(""), tres = megabytes("-j 3");
  EXPECT_NEAR(static_cast<double>(tres - uma), 2 * 150 * 1073741823.0 / (1 << 20), 2.0);
  fs::remove_all(dir);
}
