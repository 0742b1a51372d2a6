// Matrix-form instance: "rows columns" then the 0/+1/-1 entries row by row,
// checked as read, and its conversion into the signed graph store (rows that
// share a nonzero column become adjacent; equal entries there make the edge
// negative, different ones positive, both kinds make it double).
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/erro.h"
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

  a = static_cast<int**>(std::calloc(static_cast<size_t>(nlin) + 1, sizeof(int*)));
  if (a == nullptr) errormsg("leMatriz: memory allocation error.\n", __LINE__, -1);
  for (int i = 0; i < nlin; i++) {
    a[i] = static_cast<int*>(std::malloc((static_cast<size_t>(ncol) + 1) * sizeof(int)));
    if (a[i] == nullptr) errormsg("leMatriz: memory allocation error.\n", __LINE__, -1);
    for (int k = 0; k < ncol; k++) a[i][k] = valores[static_cast<size_t>(i) * ncol + k];
  }
  std::vector<int>().swap(valores);

  converteMatriz();
  liberaMatriz();
}

static void empilhaNodo(int v, int vizinho, int sinal) {
  nodo* novo = static_cast<nodo*>(std::malloc(sizeof(nodo)));
  if (novo == nullptr) errormsg("converteMatriz: memory allocation error.\n", __LINE__, -1);
  novo->vertice = vizinho;
  novo->sinal = sinal;
  novo->prox = gMat[v];
  gMat[v] = novo;
}

void converteMatriz() {
  std::printf("Converter Matriz para grafo de sinais...\n");
  gMat = alocaListas(nlin);
  narco = nneg = npos = nduplo = 0;
  // Pairs in descending order with head insertion leave every list
  // ascending: the neighbours below a vertex first, then those above it.
  for (int i = nlin - 1; i >= 1; i--) {
    for (int j = i - 1; j >= 0; j--) {
      int sinal = 0;
      for (int k = 0; k < ncol; k++) {
        if (a[i][k] == 0 || a[j][k] == 0) continue;
        const int s = (a[i][k] == a[j][k]) ? -1 : 1;
        if (sinal == 0) {
          sinal = s;
          narco++;
        } else if (s != sinal) {
          sinal = 2;
          nduplo++;
          break;
        }
      }
      if (sinal == 0) continue;
      empilhaNodo(i, j, sinal);
      if (sinal == 1) npos++;
      else if (sinal == -1) nneg++;
      empilhaNodo(j, i, sinal);
    }
  }
  std::printf("numero de vertices no grafo: %d\n", nlin);
  std::printf("numero de arestas no grafo: %d\n", narco);
  std::printf("numero de arestas duplas no grafo: %d\n", nduplo);
  for (int v = 0; v < nlin; v++)
    for (nodo* p = gMat[v]; p != nullptr; p = p->prox)
      std::printf("%d %d %d\n", v, p->vertice, p->sinal);
  geraGrafoDuplo();
}

void liberaMatriz() {
  if (a == nullptr) return;
  for (int i = 0; i < nlin; i++) std::free(a[i]);
  std::free(a);
  a = nullptr;
}
