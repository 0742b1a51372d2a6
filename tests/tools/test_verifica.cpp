// The solution checker on good and corrupted solutions, for graphs and
// matrices, and on instances it must refuse.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "search/executa.h"

namespace {

const std::string kExemplos = std::string(BCT_SOURCE_DIR) + "/examples/";

class Verifica : public ::testing::Test {
 protected:
  std::string escreve(const std::string& nome, const std::string& texto) {
    std::ofstream(dir_ / nome) << texto;
    return dir_ / nome;
  }
  Execucao grafo(const std::string& solucao) {
    return executaVerifica("'" + kExemplos + "triangulos.txt' '" + escreve("s.txt", solucao) + "'");
  }
  DiretorioTemporario dir_;
};

// examples/triangulos.txt: 0-1-2 a negative triangle, 2-3 positive, 3-4
// negative, 4-5 and 3-5 positive, 1-4 double.
TEST_F(Verifica, SolucaoBoaEAceitaComOTamanho) {
  Execucao e = grafo("# BCTovsel: solucao\n# valor 4\n0 0\n2 1\n4 0\n5 0\n");
  EXPECT_EQ(e.status, 0) << e.saida << e.erro;
  EXPECT_EQ(e.saida, "valida: 4 vertices\n");
  e = grafo("");  // the empty set is balanced
  EXPECT_EQ(e.status, 0);
  EXPECT_EQ(e.saida, "valida: 0 vertices\n");
}

TEST_F(Verifica, CadaViolacaoDaStatus1ComAPrimeira) {
  const struct {
    const char* solucao;
    const char* mensagem;
  } casos[] = {
      {"0 0\n6 1\n", "linha 2 da solucao: vertice 6 fora de 0..5"},
      {"0 0\n0 1\n", "linha 2 da solucao: vertice 0 repetido"},
      {"0 2\n", "linha 1 da solucao: lado 2 (deve ser 0 ou 1)"},
      {"0 0 1\n", "linha 1 da solucao: esperava \"vertice lado\""},
      {"x\n", "linha 1 da solucao: esperava \"vertice lado\""},
      {"1 0\n4 1\n", "aresta 8 (1 4 2): aresta dupla entre dois escolhidos"},
      {"0 0\n1 0\n", "aresta 1 (0 1 -1): aresta negativa dentro de um lado"},
      {"2 0\n3 1\n", "aresta 4 (2 3 1): aresta positiva entre lados diferentes"},
      {"# valor 3\n0 0\n1 1\n", "o cabecalho declara valor 3 mas a solucao tem 2 vertices"},
  };
  for (const auto& c : casos) {
    const Execucao e = grafo(c.solucao);
    EXPECT_EQ(e.status, 1) << c.solucao;
    EXPECT_EQ(e.saida, std::string(c.mensagem) + "\n") << c.solucao;
  }
}

// examples/matriz.txt: rows 0 and 1 share column 0 with equal entries (a
// negative edge); rows 0 and 3 share columns 2 (1 and -1: positive) and 4
// (-1 and -1: negative), a double edge that fails on either side.
TEST_F(Verifica, MatrizComSuasRegras) {
  const std::string m = kExemplos + "matriz.txt";
  Execucao e = executaVerifica("-m '" + m + "' '" + escreve("a.txt", "0 0\n1 1\n") + "'");
  EXPECT_EQ(e.status, 0) << e.saida;
  e = executaVerifica("-m '" + m + "' '" + escreve("b.txt", "0 0\n1 0\n") + "'");
  EXPECT_EQ(e.status, 1);
  EXPECT_EQ(e.saida, "linhas 0 e 1, coluna 0: aresta negativa dentro de um lado\n");
  e = executaVerifica("-m '" + m + "' '" + escreve("c.txt", "0 0\n3 0\n") + "'");
  EXPECT_EQ(e.status, 1);
  EXPECT_EQ(e.saida, "linhas 0 e 3, coluna 4: aresta negativa dentro de um lado\n");
  e = executaVerifica("-m '" + m + "' '" + escreve("d.txt", "0 0\n3 1\n") + "'");
  EXPECT_EQ(e.status, 1);
  EXPECT_EQ(e.saida, "linhas 0 e 3, coluna 2: aresta positiva entre lados diferentes\n");
}

TEST_F(Verifica, InstanciaMalFormadaOuAusenteDaStatus2) {
  const std::string s = escreve("s.txt", "0 0\n");
  for (const char* instancia : {"3 1\n0 5 1\n", "3 1\n0 1 0\n", "3 2\n0 1 1\n", "3 1\n0 1 1 9\n"}) {
    const Execucao e = executaVerifica("'" + escreve("g.txt", instancia) + "' '" + s + "'");
    EXPECT_EQ(e.status, 2) << instancia;
    EXPECT_FALSE(e.erro.empty());
  }
  EXPECT_EQ(executaVerifica("'" + dir_ / "nada.txt" + "' '" + s + "'").status, 2);
  EXPECT_EQ(executaVerifica("'" + s + "'").status, 2);
}

}  // namespace
