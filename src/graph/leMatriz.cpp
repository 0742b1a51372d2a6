// Matrix-form instance: "rows columns" then the 0/+1/-1 entries row by row,
// checked as read, and its conversion into a signed graph (rows that share a
// nonzero column become adjacent; equal entries there make the edge
// negative, different ones positive, both kinds make it double).
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "base/memoria.h"
#include "graph/entrada.h"
#include "graph/leitura.h"

// The doubled graph numbers copies up to 2n-1, which must fit an int.
static const int MAX_LINHAS = INT_MAX / 2;

GrafoSimples leMatrizDe(std::FILE* in, const Prazo& prazo) {
  Leitor leitor;
  Leitor* l = &leitor;
  iniciaLeitor(l, in, prazo);

  const int linhas = leInteiroObrigatorio(l, "o numero de linhas do cabecalho");
  if (linhas < 0)
    rejeitaInstancia("numero de linhas negativo no cabecalho: %d (token %ld)", linhas, l->token);
  if (linhas > MAX_LINHAS)
    rejeitaInstancia("numero de linhas %d acima do maximo %d (token %ld)", linhas, MAX_LINHAS,
                     l->token);
  const int colunas = leInteiroObrigatorio(l, "o numero de colunas do cabecalho");
  if (colunas < 0)
    rejeitaInstancia("numero de colunas negativo no cabecalho: %d (token %ld)", colunas, l->token);

  // The entries are gathered first and the matrix is built only once they
  // are all there, so a header promising far more than the input holds costs
  // no more memory than the input itself.
  std::vector<int> valores;
  for (int i = 0; i < linhas; i++) {
    if (i % 64 == 0) verificaPrazoDeLeitura(prazo, i, linhas, "linhas lidas");
    for (int k = 0; k < colunas; k++) {
      int valor = 0;
      const ResultadoLeitura r = leInteiro(l, &valor);
      if (r == FIM_DA_ENTRADA)
        rejeitaInstancia("faltam entradas: o cabecalho declara %d x %d e a entrada acabou na "
                         "linha %d, coluna %d (linhas e colunas contadas de 0)",
                         linhas, colunas, i, k);
      if (r != LIDO) {
        char oQue[64];
        std::snprintf(oQue, sizeof oQue, "a entrada da linha %d, coluna %d", i, k);
        rejeitaToken(l, r, oQue);
      }
      if (valor != 0 && valor != 1 && valor != -1)
        rejeitaInstancia("linha %d, coluna %d: entrada %d, que deve ser 0, 1 ou -1 (token %ld)", i,
                         k, valor, l->token);
      valores.push_back(valor);
    }
  }
  char depois[80];
  std::snprintf(depois, sizeof depois, "das %d x %d entradas declaradas", linhas, colunas);
  exigeFimDaEntrada(l, depois);

  exigeMemoria(linhas, 0);
  return converteMatriz(linhas, colunas, valores.data(), prazo);
}

GrafoSimples converteMatriz(int linhas, int colunas, const int* entradas, const Prazo& prazo) {
  std::printf("Converter Matriz para grafo de sinais...\n");
  // Two rows are adjacent when they share a nonzero column: negative when
  // every shared column has equal entries, positive when every one differs,
  // double when both happen (whatever the order of the columns).  Each row is
  // met against the earlier rows that share a column with it, through the
  // columns' lists of rows, so the work follows the pairs that exist.
  const int n = linhas;
  const int ncol = colunas;
  // Row i's entries, entradas[i * ncol ...].
  auto a = [&](int i, int k) { return entradas[static_cast<size_t>(i) * ncol + k]; };
  // With two rows or more every column was in the input, so the lists cost
  // what the input did; with fewer there are no pairs, and the column count
  // alone may be anything.
  std::vector<std::vector<int>> linhasDaColuna(n >= 2 ? static_cast<size_t>(ncol) : 0);
  std::vector<signed char> marca(static_cast<size_t>(n), 0);  // 1 equal, 2 different
  std::vector<int> tocadas;
  // Each adjacent pair j < i with its sign, once: a simple graph, whose
  // edges the branch-and-cut's store takes as its records.
  std::vector<ArestaSinal> pares;
  int narco = 0, nduplo = 0;
  int proximaVerificacao = 1 << 20;
  for (int i = 0; i < n && n >= 2; i++) {
    if (i % 256 == 0) verificaPrazoDeLeitura(prazo, i, n, "linhas convertidas");
    // A dense matrix makes pairs fast: stop as soon as they cannot be held.
    if (narco >= proximaVerificacao) {
      exigeMemoria(n, narco);
      proximaVerificacao = narco + (1 << 20);
    }
    for (int k = 0; k < ncol; k++) {
      if (a(i, k) == 0) continue;
      for (const int j : linhasDaColuna[k]) {
        if (marca[j] == 0) tocadas.push_back(j);
        marca[j] |= (a(i, k) == a(j, k)) ? 1 : 2;
      }
      linhasDaColuna[k].push_back(i);
    }
    std::sort(tocadas.begin(), tocadas.end());
    for (const int j : tocadas) {
      const int sinal = marca[j] == 1 ? -1 : marca[j] == 2 ? 1 : 2;
      pares.push_back({j, i, sinal});
      if (narco == INT_MAX)
        rejeitaInstancia("a matriz da mais de %d arestas entre suas linhas", INT_MAX);
      narco++;
      if (sinal == 2) nduplo++;
      marca[j] = 0;
    }
    tocadas.clear();
  }
  std::vector<std::vector<int>>().swap(linhasDaColuna);

  exigeMemoria(n, narco);
  const GrafoSimples g(n, pares);
  std::vector<ArestaSinal>().swap(pares);
  std::printf("numero de vertices no grafo: %d\n", n);
  std::printf("numero de arestas no grafo: %d\n", narco);
  std::printf("numero de arestas duplas no grafo: %d\n", nduplo);
  // Every edge from each end, in list order (ascending: no pair repeats).
  for (int v = 0; v < n; v++) {
    const std::span<const int> viz = g.vizinhos(v);
    const std::span<const signed char> sin = g.sinais(v);
    for (size_t k = 0; k < viz.size(); k++) std::printf("%d %d %d\n", v, viz[k], sin[k]);
  }
  return g;
}
