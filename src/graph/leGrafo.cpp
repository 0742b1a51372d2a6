// Graph-form reader: "n m" then m records "u w s", checked record by record,
// kept in input order in the graph it returns.
#include <climits>
#include <cstdio>
#include <utility>
#include <vector>

#include "base/memoria.h"
#include "graph/entrada.h"
#include "graph/leitura.h"

// The doubled graph numbers copies up to 2n-1, which must fit an int.
static const int MAX_VERTICES = INT_MAX / 2;

// Reads one endpoint of record `aresta`; the first one of a record tells a
// short file (fewer records than declared) from a damaged record.
static int leVertice(Leitor* l, int n, int m, int aresta, bool primeiro) {
  char oQue[64];
  std::snprintf(oQue, sizeof oQue, "o %s vertice da aresta %d", primeiro ? "primeiro" : "segundo",
                aresta);
  int v = 0;
  const ResultadoLeitura r = leInteiro(l, &v);
  if (r == FIM_DA_ENTRADA && primeiro)
    rejeitaInstancia("faltam arestas: o cabecalho declara %d e a entrada acabou depois de %d",
                     m, aresta - 1);
  if (r != LIDO) rejeitaToken(l, r, oQue);
  if (v < 0 || v >= n) {
    if (n == 0)
      rejeitaInstancia("aresta %d: vertice %d, mas o grafo nao tem vertices (token %ld)", aresta,
                       v, l->token);
    rejeitaInstancia("aresta %d: vertice %d fora de 0..%d (token %ld)", aresta, v, n - 1,
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

GrafoSimples leGrafoDe(std::FILE* in, const Prazo& prazo) {
  Leitor leitor;
  Leitor* l = &leitor;
  iniciaLeitor(l, in, prazo);

  std::printf("Entrando diretamente com grafo.\n");
  const int n = leInteiroObrigatorio(l, "o numero de vertices do cabecalho");
  if (n < 0) rejeitaInstancia("numero de vertices negativo no cabecalho: %d (token %ld)", n, l->token);
  if (n > MAX_VERTICES)
    rejeitaInstancia("numero de vertices %d acima do maximo %d (token %ld)", n, MAX_VERTICES,
                     l->token);
  const int m = leInteiroObrigatorio(l, "o numero de arestas do cabecalho");
  if (m < 0) rejeitaInstancia("numero de arestas negativo no cabecalho: %d (token %ld)", m, l->token);

  std::printf("numero de vertices: %d\n", n);
  std::printf("numero de arcos: %d\n", m);
  std::fflush(stdout);  // kept by a run stopped while the records are read

  // The records are checked and kept as read; the graph is built only once
  // they are all there, so that a header declaring far more than the input
  // holds costs nothing before the first record is read.
  std::vector<ArestaSinal> registros;
  for (int k = 1; k <= m; k++) {
    if (k % 65536 == 0) verificaPrazoDeLeitura(prazo, k - 1, m, "arestas lidas");
    const int u = leVertice(l, n, m, k, true);
    const int w = leVertice(l, n, m, k, false);
    const int s = leSinal(l, k, u, w);
    registros.push_back({u, w, s});
  }
  char depois[64];
  std::snprintf(depois, sizeof depois, "das %d arestas declaradas", m);
  exigeFimDaEntrada(l, depois);

  exigeMemoria(n, m);
  return GrafoSimples::deRegistros(n, std::move(registros));
}
