// The incumbent: the integer-solution callback, the balance test of a 0/1
// point, and the verification trail of every incumbent stored.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/erro.h"
#include "base/perfil.h"
#include "search/busca.h"

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

namespace {

void registraIncumbente(const Resolucao& s) {
  // A piece of a reduced instance numbers its vertices its own way: the
  // reduced run records the whole set once it is rebuilt.
  if (s.ajustes.REDUZIR) return;
  const int n = s.grafo.nlin;
  std::vector<char> escolhido(static_cast<size_t>(n));
  for (int v = 0; v < n; v++) escolhido[v] = s.xstar[v] > 1e-6;
  registraConjunto(escolhido);
}

}  // namespace

int ehviavel(const Armazem& grafo, int* position, double* p) {
  const int nlin = grafo.nlin;
  nodo** const gMat = grafo.gMat;
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

void salvaMelhorSol(XPRSprob prob, void* dados) {
  Resolucao& s = *static_cast<Resolucao*>(dados);
  MedeEtapa medida(s.perfil, ETAPA_INCUMBENTE);
  const bool imprime = s.ajustes.COMPLETE_PRINT;
  double v = 0.0;
  int k = 0, n = 0;
  testaRetorno(prob, XPRSgetdblattrib(prob, XPRS_MIPOBJVAL, &v),
               "SalvaMelhorSol: rotina XPRSgetintattrib.\n", 55);
  if (imprime) std::fprintf(s.saida, "Melhor solucao inteira atual: %lf\n", v);
  testaRetorno(prob, XPRSgetintattrib(prob, XPRS_NODES, &k),
               "SalvaMelhorSol: rotina XPRSgetintattrib.\n", 80);
  testaRetorno(prob, XPRSgetintattrib(prob, XPRS_COLS, &n),
               "SalvaMelhorSol: rotina XPRSgetintattrib\n", 85);
  testaRetorno(prob, XPRSgetdblattrib(prob, XPRS_LPOBJVAL, &v),
               "SalvaMelhorSol: rotina XPRSgetdblattrib\n", 90);
  double* const x = s.trabalho.x;
  testaRetorno(prob, XPRSgetpresolvesol(prob, x, nullptr, nullptr, nullptr),
               "Main: Erro na chamada da rotina XPRSgetpresolvesol.\n", 94);

  const int valida = ehviavel(s.grafo, s.trabalho.position, x);
  if (imprime) {
    std::fprintf(s.saida, "\n..Encontrada uma solucao inteira (No' %d): valor=%f.", k, v);
    if (!valida) {
      std::fprintf(s.saida, " inviavel\n");
      return;
    }
    std::fprintf(s.saida, " viavel\n");
  }
  aceitaSolucao(s, prob, v, k, n, valida);
}

void novoIncumbente(Resolucao& s, XPRSprob prob, double z, int node, const char* erro, int codigo) {
  s.zstar = z;
  s.NODE_BEST_INTEGER_SOL = node;
  testaRetorno(prob, XPRSsetdblcontrol(prob, XPRS_MIPABSCUTOFF, z + 1 - 1e-6), erro, codigo);
  registraIncumbente(s);
}

void aceitaSolucao(Resolucao& s, XPRSprob prob, double v, int k, int n, int valida) {
  if (v <= s.zstar - 1e-6 || !valida) return;
  const bool imprime = s.ajustes.COMPLETE_PRINT;
  if (imprime) std::fprintf(s.saida, ".. atualizando melhor solucao ...\n");
  // The column count comes from the optimizer; never copy past our arrays.
  const int colunas = n < s.grafo.nlin ? n : s.grafo.nlin;
  for (int i = 0; i < colunas; i++) s.xstar[i] = s.trabalho.x[i];
  s.zstar = v;
  testaRetorno(prob, XPRSsetdblcontrol(prob, XPRS_MIPABSCUTOFF, v + 1.0 - 1e-6),
               "SalvaMelhorSol: XPRSsetdblcontrol.\n", 136);
  s.NODE_BEST_INTEGER_SOL = k;
  if (imprime) {
    std::fprintf(s.saida, "..Melhor solucao inteira encontrada no no' %d, custo %12.6f\n", k, s.zstar);
    std::fprintf(s.saida, "..Solucao encontrada: \n");
  }
  registraIncumbente(s);
}
