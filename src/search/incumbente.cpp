// The incumbent: the integer-solution callback, the balance test of a 0/1
// point, and the verification trail of every incumbent stored.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/erro.h"
#include "base/opcoes.h"
#include "base/perfil.h"
#include "graph/grafo.h"
#include "search/busca.h"
#include "separation/trabalho.h"

double zstar = -1e20;
double* xstar = nullptr;
int NODE_BEST_INTEGER_SOL = -1;

void registraConjunto(const std::vector<char>& escolhido) {
  // Set by verification runs only: every incumbent goes to that file as the
  // list of its chosen vertices, so an outside checker can test each one.
  static const char* destino = std::getenv("BCTOVSEL_INCUMBENTES");
  if (destino == nullptr || *destino == '\0') return;
  std::FILE* f = std::fopen(destino, "a");
  if (f == nullptr) return;
  std::fprintf(f, "%ld:", static_cast<long>(std::count(escolhido.begin(), escolhido.end(), 1)));
  for (size_t v = 0; v < escolhido.size(); v++)
    if (escolhido[v]) std::fprintf(f, " %zu", v);
  std::fprintf(f, "\n");
  std::fclose(f);
}

void registraIncumbente() {
  // A piece of a reduced instance numbers its vertices its own way: the
  // reduced run records the whole set once it is rebuilt.
  if (REDUZIR) return;
  std::vector<char> escolhido(static_cast<size_t>(nlin));
  for (int v = 0; v < nlin; v++) escolhido[v] = xstar[v] > 1e-6;
  registraConjunto(escolhido);
}

int ehviavel(double* p) {
  for (int i = 0; i < nlin; i++) position[i] = -1;
  int inicio = 0;
  while (inicio < nlin && !(p[inicio] > 1e-6)) inicio++;
  if (inicio == nlin) return 1;

  // Each vertex is pushed at most once (when first reached), so an array of
  // nlin entries is room enough for the stack.
  int* pilha = static_cast<int*>(std::malloc(sizeof(int) * nlin));
  if (pilha == nullptr) errormsg("Main: memory allocation error.\n", 199, -1);
  int topo = 0;
  position[inicio] = 0;
  pilha[topo++] = inicio;

  int resultado = 1;
  while (topo > 0) {
    if (resultado == 0) break;
    const int u = pilha[--topo];
    for (nodo* e = gMat[u]; e != nullptr; e = e->prox) {
      const int w = e->vertice;
      if (!(p[w] > 1e-6)) continue;
      const int s = e->sinal;
      if (s == 2) {
        resultado = 0;
      } else if (position[w] == -1) {
        position[w] = s == 1 ? position[u] : 1 - position[u];
        pilha[topo++] = w;
      } else if ((s == 1 && position[w] != position[u]) ||
                 (s == -1 && position[w] == position[u])) {
        resultado = 0;
      }
    }
    if (topo == 0) {
      int i = inicio + 1;
      while (i < nlin && !(p[i] > 1e-6 && position[i] == -1)) i++;
      if (i < nlin) {
        position[i] = 0;
        pilha[topo++] = i;
        inicio = i;
      }
    }
  }
  std::free(pilha);
  return resultado;
}

void salvaMelhorSol(XPRSprob prob, void*) {
  MedeEtapa medida(ETAPA_INCUMBENTE);
  double v = 0.0;
  int k = 0, n = 0;
  testaRetorno(XPRSgetdblattrib(prob, XPRS_MIPOBJVAL, &v),
               "SalvaMelhorSol: rotina XPRSgetintattrib.\n", 55);
  if (COMPLETE_PRINT) std::printf("Melhor solucao inteira atual: %lf\n", v);
  testaRetorno(XPRSgetintattrib(prob, XPRS_NODES, &k), "SalvaMelhorSol: rotina XPRSgetintattrib.\n",
               80);
  testaRetorno(XPRSgetintattrib(prob, XPRS_COLS, &n), "SalvaMelhorSol: rotina XPRSgetintattrib\n",
               85);
  testaRetorno(XPRSgetdblattrib(prob, XPRS_LPOBJVAL, &v),
               "SalvaMelhorSol: rotina XPRSgetdblattrib\n", 90);
  testaRetorno(XPRSgetpresolvesol(prob, x, nullptr, nullptr, nullptr),
               "Main: Erro na chamada da rotina XPRSgetpresolvesol.\n", 94);

  const int valida = ehviavel(x);
  if (COMPLETE_PRINT) {
    std::printf("\n..Encontrada uma solucao inteira (No' %d): valor=%f.", k, v);
    if (!valida) {
      std::printf(" inviavel\n");
      return;
    }
    std::printf(" viavel\n");
  }
  aceitaSolucao(prob, v, k, n, valida);
}

void novoIncumbente(XPRSprob prob, double z, int node, const char* erro, int codigo) {
  zstar = z;
  NODE_BEST_INTEGER_SOL = node;
  testaRetorno(XPRSsetdblcontrol(prob, XPRS_MIPABSCUTOFF, z + 1 - 1e-6), erro, codigo);
  registraIncumbente();
}

void aceitaSolucao(XPRSprob prob, double v, int k, int n, int valida) {
  if (v <= zstar - 1e-6 || !valida) return;
  if (COMPLETE_PRINT) std::printf(".. atualizando melhor solucao ...\n");
  // The column count comes from the optimizer; never copy past our arrays.
  const int colunas = n < nlin ? n : nlin;
  for (int i = 0; i < colunas; i++) xstar[i] = x[i];
  zstar = v;
  testaRetorno(XPRSsetdblcontrol(prob, XPRS_MIPABSCUTOFF, v + 1.0 - 1e-6),
               "SalvaMelhorSol: XPRSsetdblcontrol.\n", 136);
  NODE_BEST_INTEGER_SOL = k;
  if (COMPLETE_PRINT) {
    std::printf("..Melhor solucao inteira encontrada no no' %d, custo %12.6f\n", k, zstar);
    std::printf("..Solucao encontrada: \n");
  }
  registraIncumbente();
}
