// The converters from published formats: signed edge lists (comments, any
// separator, direction, repeats, both signs, zero weights, loops, any ids)
// and MPS files (fixed and free), each with malformed input refused.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "search/executa.h"

namespace {

class Conversores : public ::testing::Test {
 protected:
  std::string escreve(const std::string& nome, const std::string& texto) {
    std::ofstream(dir_ / nome) << texto;
    return dir_ / nome;
  }
  DiretorioTemporario dir_;
};

TEST_F(Conversores, ListaDeArestasComTodasAsRegras) {
  const std::string entrada = escreve("rede.tsv",
                                      "% sym signed\n"
                                      "% 8 4 4\n"
                                      "10 2 1 1200\n"     // 2-10 positive
                                      "2\t10\t-1\n"       // and negative: double
                                      "# comment\n"
                                      "3,10,-2.5\n"       // 3-10 negative
                                      "10 10 1\n"         // loop: dropped
                                      "7 3 0\n"           // zero weight: dropped, 7 stays
                                      "2 3\n"             // no weight: positive
                                      "3 2 4\n"           // the same pair again
                                      "\n");
  const Execucao e = executaFerramenta(LISTA2GRAFO_EXE, "'" + entrada + "' '" + (dir_ / "g.txt") +
                                                            "' '" + (dir_ / "mapa.txt") + "'");
  ASSERT_EQ(e.status, 0) << e.erro;
  // Ids 2, 3, 7, 10 in numeric order become 0..3.
  EXPECT_EQ(leArquivo(dir_ / "g.txt"), "4 3\n0 1 1\n0 3 2\n1 3 -1\n");
  EXPECT_EQ(leArquivo(dir_ / "mapa.txt"), "0 2\n1 3\n2 7\n3 10\n");

  const std::string palavras = escreve("p.txt", "b a -1\nc b 1\n12 b 1\n");
  ASSERT_EQ(executaFerramenta(LISTA2GRAFO_EXE, "'" + palavras + "' '" + (dir_ / "g2.txt") + "' '" +
                                                   (dir_ / "m2.txt") + "'")
                .status,
            0);
  EXPECT_EQ(leArquivo(dir_ / "m2.txt"), "0 12\n1 a\n2 b\n3 c\n");
  EXPECT_EQ(leArquivo(dir_ / "g2.txt"), "4 3\n0 2 1\n1 2 -1\n2 3 1\n");
}

TEST_F(Conversores, ListaMalFormadaDaStatus2SemArquivos) {
  const struct {
    const char* texto;
    const char* mensagem;
  } casos[] = {{"1 2 1\n1\n", "linha 2: esperava \"u v [peso [tempo]]\""},
               {"1 2 x\n", "linha 1: peso invalido \"x\""},
               {"1 2 1 5 6\n", "linha 1: esperava \"u v [peso [tempo]]\""}};
  for (const auto& c : casos) {
    const Execucao e = executaFerramenta(
        LISTA2GRAFO_EXE, "'" + escreve("r.txt", c.texto) + "' '" + (dir_ / "g.txt") + "' '" +
                             (dir_ / "m.txt") + "'");
    EXPECT_EQ(e.status, 2) << c.texto;
    EXPECT_NE(e.erro.find(c.mensagem), std::string::npos) << e.erro;
    EXPECT_TRUE(leArquivo(dir_ / "g.txt").empty());
  }
  EXPECT_EQ(executaFerramenta(LISTA2GRAFO_EXE, "'" + dir_ / "nada" + "' a b").status, 2);
}

TEST_F(Conversores, MpsFixoELivreParaMatriz) {
  const std::string fixo = escreve("fixo.mps",
                                   "NAME          PEQUENO\n"
                                   "ROWS\n"
                                   " N  CUSTO\n"
                                   " L  LIM1\n"
                                   " G  LIM2\n"
                                   " E  LIM3\n"
                                   "COLUMNS\n"
                                   "    X1        CUSTO          1.0   LIM1           1.0\n"
                                   "    X1        LIM2           1.0\n"
                                   "    X2        LIM1           1.0   LIM3          -1.0\n"
                                   "    X3        LIM2          -2.5   LIM3           1.0\n"
                                   "RHS\n"
                                   "    RHS       LIM1           4.0   LIM2           1.0\n"
                                   "ENDATA\n");
  Execucao e = executaFerramenta(MPS2MATRIZ_EXE, "'" + fixo + "' '" + (dir_ / "m.txt") + "'");
  ASSERT_EQ(e.status, 0) << e.erro << e.saida;
  EXPECT_EQ(leArquivo(dir_ / "m.txt"), "3 3\n1 1 0\n1 0 -1\n0 -1 1\n");

  const std::string livre = escreve("livre.mps",
                                    "NAME PEQUENO_LIVRE\nROWS\n N CUSTO\n L LINHA_A\n G LINHA_B\n"
                                    "COLUMNS\n variavel_um CUSTO 1 LINHA_A 1\n variavel_um LINHA_B -1\n"
                                    " variavel_dois LINHA_A 2 LINHA_B 3\nRHS\n RHS LINHA_A 4\nENDATA\n");
  e = executaFerramenta(MPS2MATRIZ_EXE, "'" + livre + "' '" + (dir_ / "l.txt") + "' '" +
                                            (dir_ / "nomes.txt") + "'");
  ASSERT_EQ(e.status, 0) << e.erro << e.saida;
  EXPECT_EQ(leArquivo(dir_ / "l.txt"), "2 2\n1 1\n-1 1\n");
  // The rows' names, the objective's left out like its row.
  EXPECT_EQ(leArquivo(dir_ / "nomes.txt"), "0 LINHA_A\n1 LINHA_B\n");

  // The converted matrix is an instance the solver reads.
  DiretorioTemporario run;
  const Execucao s = executa(run.caminho(), "1100", dir_ / "m.txt");
  EXPECT_EQ(s.status, 0) << s.erro;
}

TEST_F(Conversores, MpsMalFormadoDaStatus2) {
  const std::string ruim = escreve("ruim.mps", "NAME X\nROWS\n N C\nCOLUMNS\n X1 Q 1\nENDATA\n");
  Execucao e = executaFerramenta(MPS2MATRIZ_EXE, "'" + ruim + "' '" + (dir_ / "m.txt") + "'");
  EXPECT_EQ(e.status, 2);
  EXPECT_NE(e.erro.find("nao e' um arquivo MPS valido"), std::string::npos) << e.erro;
  EXPECT_TRUE(leArquivo(dir_ / "m.txt").empty());
  e = executaFerramenta(MPS2MATRIZ_EXE, "'" + dir_ / "nada.mps" + "' '" + (dir_ / "m.txt") + "'");
  EXPECT_EQ(e.status, 2);
  EXPECT_NE(e.erro.find("nao foi possivel abrir"), std::string::npos) << e.erro;
}

}  // namespace
