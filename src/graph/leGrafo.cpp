// Graph-form reader: "n m" then m records "u w s", checked record by record
// before anything is stored, then the doubled graph.
#include <climits>
#include <cstdio>
#include <vector>

#include "base/memoria.h"
#include "base/opcoes.h"
#include "graph/entrada.h"
#include "graph/grafo.h"
#include "graph/leitura.h"

void leGrafo() { leGrafoDe(stdin); }

// The doubled graph numbers copies up to 2n-1, which must fit an int.
static const int MAX_VERTICES = INT_MAX / 2;

// Reads one endpoint of record `aresta`; the first one of a record tells a
// short file (fewer records than declared) from a damaged record.
static int leVertice(Leitor* l, int aresta, bool primeiro) {
  char oQue[64];
  std::snprintf(oQue, sizeof oQue, "o %s vertice da aresta %d", primeiro ? "primeiro" : "segundo",
                aresta);
  int v = 0;
  const ResultadoLeitura r = leInteiro(l, &v);
  if (r == FIM_DA_ENTRADA && primeiro)
    rejeitaInstancia("faltam arestas: o cabecalho declara %d e a entrada acabou depois de %d",
                     narco, aresta - 1);
  if (r != LIDO) rejeitaToken(l, r, oQue);
  if (v < 0 || v >= nlin) {
    if (nlin == 0)
      rejeitaInstancia("aresta %d: vertice %d, mas o grafo nao tem vertices (token %ld)", aresta,
                       v, l->token);
    rejeitaInstancia("aresta %d: vertice %d fora de 0..%d (token %ld)", aresta, v, nlin - 1,
                     l->token);
  }
  return v;
}

static int leSinal(Leitor* l, int aresta, int u, int w) {
  char oQue[64];
  std::snprintf(oQue, sizeof oQue, "o sinal da aresta %d", aresta);
  const int s = leInteiroObrigatorio(l, oQue);
  if (s != 1 && s != -1 && s != 2)
    rejeitaInstancia("aresta %d: sinal %d, que deve ser 1, -1 ou 2 (token %ld)", aresta, s,
                     l->token);
  // A vertex with a negative or double loop could never be chosen; the
  // cycle and balance logic downstream assumes such loops are absent.
  if (u == w && s != 1)
    rejeitaInstancia("aresta %d: laco no vertice %d com sinal %d; um laco so pode ter sinal 1 "
                     "(token %ld)", aresta, u, s, l->token);
  return s;
}

void leGrafoDe(std::FILE* in) {
  Leitor leitor;
  Leitor* l = &leitor;
  iniciaLeitor(l, in);

  std::printf("Entrando diretamente com grafo.\n");
  const int n = leInteiroObrigatorio(l, "o numero de vertices do cabecalho");
  if (n < 0) rejeitaInstancia("numero de vertices negativo no cabecalho: %d (token %ld)", n, l->token);
  if (n > MAX_VERTICES)
    rejeitaInstancia("numero de vertices %d acima do maximo %d (token %ld)", n, MAX_VERTICES,
                     l->token);
  const int m = leInteiroObrigatorio(l, "o numero de arestas do cabecalho");
  if (m < 0) rejeitaInstancia("numero de arestas negativo no cabecalho: %d (token %ld)", m, l->token);

  nlin = n;
  narco = m;
  std::printf("numero de vertices: %d\n", nlin);
  std::printf("numero de arcos: %d\n", narco);
  std::fflush(stdout);  // kept by a run stopped while the records are read

  // The records are checked and kept as read; the store is built only once
  // they are all there, so that a header declaring far more than the input
  // holds costs nothing before the first record is read.
  nneg = npos = nduplo = 0;
  std::vector<int> registros;
  for (int k = 1; k <= narco; k++) {
    if (k % 65536 == 0) verificaPrazoDeLeitura(k - 1, narco, "arestas lidas");
    const int u = leVertice(l, k, true);
    const int w = leVertice(l, k, false);
    const int s = leSinal(l, k, u, w);
    if (s == 2) nduplo++;
    else if (s == -1) nneg++;
    else npos++;
    registros.insert(registros.end(), {u, w, s});
  }
  char depois[64];
  std::snprintf(depois, sizeof depois, "das %d arestas declaradas", narco);
  exigeFimDaEntrada(l, depois);

  exigeMemoria(nlin, narco);
  gMat = alocaListas(nlin);
  montaListas(registros.data(), narco);
  std::vector<int>().swap(registros);
  // The reduction works on a simple graph of its own; the doubled graph is
  // built for each piece it leaves.
  if (!REDUZIR) geraGrafoDuplo();
}
