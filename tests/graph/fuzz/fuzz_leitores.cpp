// Fuzz target for the two instance readers (libFuzzer, built with
// -DBCT_FUZZ=ON under clang).  The first byte picks the reader (even: graph,
// odd: matrix), the rest is its input.  Any input must either build a store
// that keeps the store's invariants or be refused through the one refusal
// path; a crash, a leak, a hang or a broken invariant is a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "base/erro.h"
#include "graph/grafo.h"
#include "graph/leitura.h"

namespace {

struct Terminou {
  int status;
};

[[noreturn]] void lanca(int status) { throw Terminou{status}; }

void exige(bool condicao) {
  if (!condicao) std::abort();
}

// Every list ascending, every edge in both lists with one sign, the counts
// matching the lists, and eight arcs in the doubled graph per edge that is no
// loop.
void confereArmazem(const Armazem& a) {
  nodo** const gMat = a.gMat;
  nodo2** const gDup = a.gDup;
  const int nlin = a.nlin, narco = a.narco, nneg = a.nneg, npos = a.npos, nduplo = a.nduplo;
  long pontas = 0, lacos = 0, arcos = 0;
  for (int v = 0; v < nlin; v++) {
    for (nodo* p = gMat[v]; p != nullptr; p = p->prox) {
      exige(p->vertice >= 0 && p->vertice < nlin);
      exige(p->prox == nullptr || p->prox->vertice >= p->vertice);
      exige(p->sinal == 1 || p->sinal == -1 || p->sinal == 2);
      if (p->vertice == v) lacos++;
      pontas++;
      bool volta = false;
      for (nodo* q = gMat[p->vertice]; q != nullptr && !volta; q = q->prox)
        volta = q->vertice == v && q->sinal == p->sinal;
      exige(volta);
    }
  }
  exige(pontas == 2L * narco);
  exige(nneg + npos + nduplo == narco);
  for (int v = 0; v < 2 * nlin; v++)
    for (nodo2* a = gDup[v]; a != nullptr; a = a->prox) {
      exige(a->vertice >= 0 && a->vertice < 2 * nlin);
      arcos++;
    }
  exige(arcos == 4 * (pontas - lacos));
}

// The declared vertex or row count, when the input starts with one.
long contagemDeclarada(const uint8_t* dados, size_t tamanho) {
  size_t i = 0;
  while (i < tamanho && (dados[i] == ' ' || (dados[i] >= '\t' && dados[i] <= '\r'))) i++;
  if (i < tamanho && dados[i] == '+') i++;
  long valor = 0;
  for (; i < tamanho && dados[i] >= '0' && dados[i] <= '9' && valor < (1L << 40); i++)
    valor = 10 * valor + (dados[i] - '0');
  return valor;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  defineGanchoDeTermino(lanca);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  if (tamanho == 0) return 0;
  // Millions of declared vertices cost only time linear in the count (and a
  // refusal beyond what memory holds, tested apart); under the sanitizers
  // that is seconds per input, which would starve the fuzzing of the rest.
  if (contagemDeclarada(dados + 1, tamanho - 1) > 2000000) return 0;
  std::FILE* in = fmemopen(const_cast<uint8_t*>(dados + 1), tamanho - 1, "r");
  if (in == nullptr) return 0;
  try {
    confereArmazem(Armazem(dados[0] % 2 == 0 ? leGrafoDe(in, Prazo()) : leMatrizDe(in, Prazo())));
  } catch (const Terminou& t) {
    exige(t.status == 2 || t.status == -1);  // a refusal, or the memory failure path
  }
  std::fclose(in);
  return 0;
}
