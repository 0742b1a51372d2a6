// Allocation with the system's one failure path.
#include "base/memoria.h"

#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "base/erro.h"
#include "base/opcoes.h"

void* aloca(size_t elementos, size_t tamanho, int linha) {
  // An empty instance asks for zero bytes, which malloc may answer with null;
  // a product that overflows is a request no machine can grant.
  if (tamanho != 0 && elementos > SIZE_MAX / tamanho) errormsg("Main: memory allocation error.\n", linha, -1);
  void* p = std::malloc(elementos == 0 ? (tamanho == 0 ? 1 : tamanho) : elementos * tamanho);
  if (p == nullptr) errormsg("Main: memory allocation error.\n", linha, -1);
  return p;
}

namespace {

// Bytes a run holds per vertex and per edge at its peak, measured on large
// sparse instances (graph store lists, doubled graph, model, LP, separation
// buffers); with the reduction, what reading and reducing hold before the
// pieces, each checked again on its own, are searched.
const int64_t POR_VERTICE = 700, POR_ARESTA = 700;
const int64_t POR_VERTICE_REDUZIR = 250, POR_ARESTA_REDUZIR = 250;
const int64_t FIXO = 64ll << 20;
// Each thread past the first of the separation's cycle searches (-j) keeps
// its own search state and predecessors over the doubled graph.
const int64_t POR_VERTICE_LINHA = 150, POR_ARESTA_LINHA = 50;

}  // namespace

int64_t memoriaEstimada(int64_t vertices, int64_t arestas, bool busca) {
  const int64_t linhas = busca && LINHAS > 1 ? LINHAS - 1 : 0;
  return FIXO + vertices * (busca ? POR_VERTICE + linhas * POR_VERTICE_LINHA : POR_VERTICE_REDUZIR) +
         arestas * (busca ? POR_ARESTA + linhas * POR_ARESTA_LINHA : POR_ARESTA_REDUZIR);
}

int64_t memoriaDisponivel() {
  int64_t livre = -1;
  if (std::FILE* f = std::fopen("/proc/meminfo", "r")) {
    char linha[256];
    long long kb = 0;
    while (std::fgets(linha, sizeof linha, f) != nullptr)
      if (std::sscanf(linha, "MemAvailable: %lld kB", &kb) == 1) livre = kb * 1024;
    std::fclose(f);
  }
  struct rlimit lim;
  for (int recurso : {RLIMIT_AS, RLIMIT_DATA}) {
    if (getrlimit(recurso, &lim) == 0 && lim.rlim_cur != RLIM_INFINITY) {
      const int64_t teto = static_cast<int64_t>(lim.rlim_cur);
      if (livre < 0 || teto < livre) livre = teto;
    }
  }
  return livre;
}

void exigeBytes(int64_t precisa, const char* descricao) {
  const int64_t tem = memoriaDisponivel();
  if (tem < 0 || precisa <= tem) return;
  std::fflush(stdout);
  std::fprintf(stderr,
               "BCTovsel: memoria insuficiente: %s precisa de cerca de %lld MB, e ha %lld MB "
               "disponiveis.\n",
               descricao, static_cast<long long>(precisa >> 20), static_cast<long long>(tem >> 20));
  errormsg("Main: memory allocation error.\n", __LINE__, -1);
}

namespace {

void exige(int64_t vertices, int64_t arestas, bool busca) {
  char descricao[160];
  std::snprintf(descricao, sizeof descricao, "%s de %lld vertices e %lld arestas",
                REDUZIR && busca ? "uma peca" : "uma instancia", static_cast<long long>(vertices),
                static_cast<long long>(arestas));
  exigeBytes(memoriaEstimada(vertices, arestas, busca), descricao);
}

}  // namespace

void exigeMemoria(int64_t vertices, int64_t arestas) { exige(vertices, arestas, REDUZIR == 0); }

void exigeMemoriaDaBusca(int64_t vertices, int64_t arestas) { exige(vertices, arestas, true); }
