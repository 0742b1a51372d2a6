// The matrix instance: conversion into the graph store (edge signs, list
// order, printed lines, counts) and the refusal of malformed matrices.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "instancias.h"

namespace {

using Lista = std::vector<std::pair<int, int>>;

class Matriz : public ComArmazem {
 protected:
  // Converts the given rows and builds the store of the graph; returns what
  // was printed.
  std::string converte(const std::vector<std::vector<int>>& linhas, int colunas) {
    std::vector<int> entradas;
    for (const std::vector<int>& l : linhas) entradas.insert(entradas.end(), l.begin(), l.begin() + colunas);
    ::testing::internal::CaptureStdout();
    GrafoSimples g = converteMatriz(static_cast<int>(linhas.size()), colunas, entradas.data(), Prazo());
    const std::string impresso = ::testing::internal::GetCapturedStdout();
    usa(std::move(g));
    return impresso;
  }
};

}  // namespace

TEST_F(Matriz, SinalDeUmaColunaComum) {
  converte({{1, 0, 1}, {1, 1, 0}}, 3);  // equal entries: negative
  EXPECT_EQ(listaMat(0), (Lista{{1, -1}}));
  EXPECT_EQ(nneg, 1);
  converte({{1, -1}, {-1, 0}}, 2);  // different entries: positive
  EXPECT_EQ(listaMat(1), (Lista{{0, 1}}));
  EXPECT_EQ(npos, 1);
}

TEST_F(Matriz, DiscordanciaTornaAArestaDuplaUmaSoVez) {
  converte({{1, -1, 1, -1}, {1, 1, 1, 1}}, 4);
  EXPECT_EQ(listaMat(0), (Lista{{1, 2}}));
  EXPECT_EQ(listaMat(1), (Lista{{0, 2}}));
  EXPECT_EQ(narco, 1);
  EXPECT_EQ(nduplo, 1);
  EXPECT_EQ(nneg + npos, 0);
}

TEST_F(Matriz, SemColunaComumNaoHaAresta) {
  converte({{1, 0}, {0, -1}}, 2);
  EXPECT_EQ(narco, 0);
  EXPECT_EQ(gMat[0], nullptr);
  EXPECT_EQ(gMat[1], nullptr);
}

TEST_F(Matriz, ExemploDeTresLinhasComImpressao) {
  const std::string saida = converte({{1, 0}, {1, 1}, {0, -1}}, 2);
  EXPECT_EQ(listaMat(0), (Lista{{1, -1}}));
  EXPECT_EQ(listaMat(1), (Lista{{0, -1}, {2, 1}}));
  EXPECT_EQ(listaMat(2), (Lista{{1, 1}}));
  EXPECT_EQ(narco, 2);
  EXPECT_EQ(nneg, 1);
  EXPECT_EQ(npos, 1);
  EXPECT_EQ(nduplo, 0);
  EXPECT_EQ(saida,
            "Converter Matriz para grafo de sinais...\n"
            "numero de vertices no grafo: 3\n"
            "numero de arestas no grafo: 2\n"
            "numero de arestas duplas no grafo: 0\n"
            "0 1 -1\n1 0 -1\n1 2 1\n2 1 1\n");
  // The same gDup the graph reader builds from the same graph.
  EXPECT_EQ(listaDup(1), (std::vector<int>{5, 2, 3, 0}));
  EXPECT_EQ(listaDup(4), (std::vector<int>{2, 5, 0, 3}));
}

TEST_F(Matriz, ListasAscendentesComVizinhosDosDoisLados) {
  // Every row shares column 0: a complete graph on 5 vertices.
  converte({{1}, {1}, {-1}, {1}, {-1}}, 1);
  EXPECT_EQ(listaMat(2), (Lista{{0, 1}, {1, 1}, {3, 1}, {4, -1}}));
  EXPECT_EQ(narco, 10);
  EXPECT_EQ(nneg + npos + nduplo, narco);
}

TEST_F(Matriz, UmaLinhaOuNenhumaColuna) {
  std::string saida = converte({{1, -1, 1}}, 3);
  EXPECT_EQ(saida,
            "Converter Matriz para grafo de sinais...\nnumero de vertices no grafo: 1\n"
            "numero de arestas no grafo: 0\nnumero de arestas duplas no grafo: 0\n");
  converte({{}, {}, {}}, 0);
  EXPECT_EQ(narco, 0);
  for (int v = 0; v < 6; v++) EXPECT_EQ(gDup[v], nullptr);
}

TEST_F(Matriz, OutrosValoresNaoNulosSeguemIgualOuDiferente) {
  converte({{3, 5}, {3, -2}}, 2);  // 3 = 3 gives -1, then 5 != -2 gives 1
  EXPECT_EQ(listaMat(0), (Lista{{1, 2}}));
}

TEST_F(Matriz, LidaDaEntradaEConvertida) {
  ::testing::internal::CaptureStdout();
  carrega(leMatrizDe, "3 2\n 1  0\n 1  1\n 0 -1\n");
  const std::string saida = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(nlin, 3);
  EXPECT_EQ(listaMat(1), (Lista{{0, -1}, {2, 1}}));
  EXPECT_NE(saida.find("1 2 1\n2 1 1\n"), std::string::npos);
}

namespace {
std::string rejeita(const std::string& texto) { return rejeicao(leMatrizDe, texto); }
std::string msg(const std::string& m) { return "Instancia invalida: " + m + ".\n"; }
}  // namespace

TEST_F(Matriz, ConversaoPelasColunasIgualAoParAPar) {
  // The plain conversion: every row pair, columns in order, the first shared
  // column giving the sign and a disagreeing one making the edge double, each
  // element pushed at the head of its list, pairs in descending order.
  std::mt19937 rng(3);
  for (int caso = 0; caso < 80; caso++) {
    const int linhas = static_cast<int>(rng() % 14), colunas = static_cast<int>(rng() % 9);
    const double densidade = (caso % 5 + 1) / 6.0;
    std::vector<std::vector<int>> m(linhas, std::vector<int>(colunas, 0));
    for (auto& l : m)
      for (int& v : l)
        if (std::uniform_real_distribution<double>(0, 1)(rng) < densidade) v = rng() % 2 ? 1 : -1;
    std::vector<Lista> esperado(linhas);
    int arestas = 0, duplas = 0, positivas = 0, negativas = 0;
    for (int i = linhas - 1; i >= 1; i--)
      for (int j = i - 1; j >= 0; j--) {
        int sinal = 0;
        for (int k = 0; k < colunas && sinal != 2; k++) {
          if (m[i][k] == 0 || m[j][k] == 0) continue;
          const int s = m[i][k] == m[j][k] ? -1 : 1;
          if (sinal == 0) sinal = s;
          else if (s != sinal) sinal = 2;
        }
        if (sinal == 0) continue;
        arestas++;
        (sinal == 2 ? duplas : sinal == 1 ? positivas : negativas)++;
        esperado[i].insert(esperado[i].begin(), {j, sinal});
        esperado[j].insert(esperado[j].begin(), {i, sinal});
      }
    converte(m, colunas);
    ASSERT_EQ(narco, arestas) << "caso " << caso;
    EXPECT_EQ(nduplo, duplas);
    EXPECT_EQ(npos, positivas);
    EXPECT_EQ(nneg, negativas);
    for (int v = 0; v < linhas; v++) ASSERT_EQ(listaMat(v), esperado[v]) << "caso " << caso;
  }
}

TEST(LeMatrizDeathTest, CabecalhoFaltandoNaoNumericoOuNegativo) {
  EXPECT_EQ(rejeita(""), msg("a entrada acabou onde se esperava o numero de linhas do cabecalho (token 1)"));
  EXPECT_EQ(rejeita("2 b"), msg("o numero de colunas do cabecalho nao e' um numero inteiro: \"b\" (token 2)"));
  EXPECT_EQ(rejeita("-2 3"), msg("numero de linhas negativo no cabecalho: -2 (token 1)"));
  EXPECT_EQ(rejeita("2 -3"), msg("numero de colunas negativo no cabecalho: -3 (token 2)"));
}

TEST(LeMatrizDeathTest, MenosEntradasQueODeclarado) {
  EXPECT_EQ(rejeita("2 3\n1 0 1\n1 1\n"),
            msg("faltam entradas: o cabecalho declara 2 x 3 e a entrada acabou na linha 1, coluna 2 "
                "(linhas e colunas contadas de 0)"));
  EXPECT_EQ(rejeita("1000000000 1000000000\n1"),
            msg("faltam entradas: o cabecalho declara 1000000000 x 1000000000 e a entrada acabou "
                "na linha 0, coluna 1 (linhas e colunas contadas de 0)"));
}

TEST(LeMatrizDeathTest, EntradaNaoNumericaOuForaDe0e1eMenos1) {
  EXPECT_EQ(rejeita("2 2\n1 0\n1 x\n"),
            msg("a entrada da linha 1, coluna 1 nao e' um numero inteiro: \"x\" (token 6)"));
  EXPECT_EQ(rejeita("2 2\n1 0\n2 1\n"), msg("linha 1, coluna 0: entrada 2, que deve ser 0, 1 ou -1 (token 5)"));
}

TEST(LeMatrizDeathTest, ConteudoAlemDasEntradas) {
  EXPECT_EQ(rejeita("1 2\n1 0\n1\n"), msg("conteudo a mais depois das 1 x 2 entradas declaradas: \"1\" (token 5)"));
}

TEST_F(Matriz, AceitaMatrizSemLinhasOuSemColunas) {
  ::testing::internal::CaptureStdout();
  carrega(leMatrizDe, "0 4");
  EXPECT_EQ(nlin, 0);
  carrega(leMatrizDe, "3 0\n");
  EXPECT_EQ(nlin, 3);
  EXPECT_EQ(narco, 0);
  // Found by fuzzing: no rows but a billion columns once made a list per
  // column before finding there was nothing to list.
  carrega(leMatrizDe, "0 1122110100");
  EXPECT_EQ(narco, 0);
  carrega(leMatrizDe, "1 3 1 0 -1");
  EXPECT_EQ(narco, 0);
  ::testing::internal::GetCapturedStdout();
}
