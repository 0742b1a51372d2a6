// Matrix-form instance: "rows columns" then the 0/+1/-1 entries row by row,
// checked as read, and its conversion into the signed graph store (rows that
// share a nonzero column become adjacent; equal entries there make the edge
// negative, different ones positive, both kinds make it double).
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/erro.h"
#include "base/memoria.h"
#include "base/opcoes.h"
#include "graph/entrada.h"
#include "graph/grafo.h"
#include "graph/leitura.h"

int ncol = 0;
int** a = nullptr;

// The doubled graph numbers copies up to 2n-1, which must fit an int.
static const int MAX_LINHAS = INT_MAX / 2;

void leMatriz() { leMatrizDe(stdin); }

void leMatrizDe(std::FILE* in) {
  Leitor leitor;
  Leitor* l = &leitor;
  iniciaLeitor(l, in);

  const int linhas = leInteiroObrigatorio(l, "o numero de linhas do cabecalho");
  if (linhas < 0)
    rejeitaInstancia("numero de linhas negativo no cabecalho: %d (token %ld)", linhas, l->token);
  if (linhas > MAX_LINHAS)
    rejeitaInstancia("numero de linhas %d acima do maximo %d (token %ld)", linhas, MAX_LINHAS,
                     l->token);
  const int colunas = leInteiroObrigatorio(l, "o numero de colunas do cabecalho");
  if (colunas < 0)
    rejeitaInstancia("numero de colunas negativo no cabecalho: %d (token %ld)", colunas, l->token);

  liberaMatriz();
  nlin = linhas;
  ncol = colunas;

  // The entries are gathered first and the matrix is built only once they
  // are all there, so a header promising far more than the input holds costs
  // no more memory than the input itself.
  std::vector<int> valores;
  for (int i = 0; i < nlin; i++) {
    if (i % 64 == 0) verificaPrazoDeLeitura(i, nlin, "linhas lidas");
    for (int k = 0; k < ncol; k++) {
      int valor = 0;
      const ResultadoLeitura r = leInteiro(l, &valor);
      if (r == FIM_DA_ENTRADA)
        rejeitaInstancia("faltam entradas: o cabecalho declara %d x %d e a entrada acabou na "
                         "linha %d, coluna %d (linhas e colunas contadas de 0)",
                         nlin, ncol, i, k);
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
  std::snprintf(depois, sizeof depois, "das %d x %d entradas declaradas", nlin, ncol);
  exigeFimDaEntrada(l, depois);

  exigeMemoria(nlin, 0);
  // One block for all entries, each row a pointer into it.
  a = static_cast<int**>(std::calloc(static_cast<size_t>(nlin) + 1, sizeof(int*)));
  if (a == nullptr) errormsg("leMatriz: memory allocation error.\n", __LINE__, -1);
  a[0] = static_cast<int*>(std::malloc((valores.size() + 1) * sizeof(int)));
  if (a[0] == nullptr) errormsg("leMatriz: memory allocation error.\n", __LINE__, -1);
  std::copy(valores.begin(), valores.end(), a[0]);
  for (int i = 1; i < nlin; i++) a[i] = a[0] + static_cast<size_t>(i) * ncol;
  std::vector<int>().swap(valores);

  converteMatriz();
  liberaMatriz();
}

void converteMatriz() {
  std::printf("Converter Matriz para grafo de sinais...\n");
  // Two rows are adjacent when they share a nonzero column: negative when
  // every shared column has equal entries, positive when every one differs,
  // double when both happen (whatever the order of the columns).  Each row is
  // met against the earlier rows that share a column with it, through the
  // columns' lists of rows, so the work follows the pairs that exist.
  const int n = nlin;
  // With two rows or more every column was in the input, so the lists cost
  // what the input did; with fewer there are no pairs, and the column count
  // alone may be anything.
  std::vector<std::vector<int>> linhasDaColuna(n >= 2 ? static_cast<size_t>(ncol) : 0);
  std::vector<signed char> marca(static_cast<size_t>(n), 0);  // 1 equal, 2 different
  std::vector<int> tocadas;
  std::vector<int> pares;  // j, i, sign for each adjacent pair j < i, i ascending
  narco = nneg = npos = nduplo = 0;
  int proximaVerificacao = 1 << 20;
  for (int i = 0; i < n && n >= 2; i++) {
    if (i % 256 == 0) verificaPrazoDeLeitura(i, n, "linhas convertidas");
    // A dense matrix makes pairs fast: stop as soon as they cannot be held.
    if (narco >= proximaVerificacao) {
      exigeMemoria(nlin, narco);
      proximaVerificacao = narco + (1 << 20);
    }
    for (int k = 0; k < ncol; k++) {
      if (a[i][k] == 0) continue;
      for (const int j : linhasDaColuna[k]) {
        if (marca[j] == 0) tocadas.push_back(j);
        marca[j] |= (a[i][k] == a[j][k]) ? 1 : 2;
      }
      linhasDaColuna[k].push_back(i);
    }
    std::sort(tocadas.begin(), tocadas.end());
    for (const int j : tocadas) {
      const int sinal = marca[j] == 1 ? -1 : marca[j] == 2 ? 1 : 2;
      pares.insert(pares.end(), {j, i, sinal});
      if (narco == INT_MAX)
        rejeitaInstancia("a matriz da mais de %d arestas entre suas linhas", INT_MAX);
      narco++;
      if (sinal == 2) nduplo++;
      else if (sinal == 1) npos++;
      else nneg++;
      marca[j] = 0;
    }
    tocadas.clear();
  }
  std::vector<std::vector<int>>().swap(linhasDaColuna);

  exigeMemoria(nlin, narco);
  gMat = alocaListas(nlin);
  // Appended in the order found, every list comes out ascending: first the
  // neighbours below the vertex (found at its own row), then those above.
  std::vector<nodo*> cauda(static_cast<size_t>(n), nullptr);
  auto acrescenta = [&](int v, int vizinho, int sinal) {
    nodo* novo = novoNodo();
    if (novo == nullptr) errormsg("converteMatriz: memory allocation error.\n", __LINE__, -1);
    novo->vertice = vizinho;
    novo->sinal = sinal;
    novo->prox = nullptr;
    if (cauda[v] == nullptr) gMat[v] = novo;
    else cauda[v]->prox = novo;
    cauda[v] = novo;
  };
  for (size_t p = 0; p < pares.size(); p += 3) {
    acrescenta(pares[p + 1], pares[p], pares[p + 2]);
    acrescenta(pares[p], pares[p + 1], pares[p + 2]);
  }
  std::printf("numero de vertices no grafo: %d\n", nlin);
  std::printf("numero de arestas no grafo: %d\n", narco);
  std::printf("numero de arestas duplas no grafo: %d\n", nduplo);
  for (int v = 0; v < nlin; v++)
    for (nodo* p = gMat[v]; p != nullptr; p = p->prox)
      std::printf("%d %d %d\n", v, p->vertice, p->sinal);
  if (!REDUZIR) geraGrafoDuplo();
}

void liberaMatriz() {
  if (a == nullptr) return;
  std::free(a[0]);
  std::free(a);
  a = nullptr;
}
