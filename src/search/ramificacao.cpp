// Three-way branching on a tight odd-negative-cycle cut: P all ones, R all
// ones, or neither, which together cover every point the cut allows.
#include "search/ramificacao.h"

#include <cstdio>
#include <cstdlib>

#include "base/erro.h"
#include "base/perfil.h"
#include "search/busca.h"

int escolheCorte(int m, const int* ms, const int* mc, const double* x, int nlin, int* termoInicial) {
  int melhor = nlin, escolhido = -1;
  for (int k = 0; k < m; k++) {
    const int len = ms[k + 1] - ms[k];
    if (len <= 0 || len >= melhor) continue;
    for (int e = ms[k]; e < ms[k + 1]; e++) {
      const double v = x[mc[e]];
      if (v >= 1e-6 && v <= 0.999999) {
        escolhido = k;
        *termoInicial = e;
        melhor = len;
      }
    }
  }
  return escolhido;
}

int particionaCorte(const int* termos, int len, int inicio, const double* x, int* colunas) {
  // Cut terms are distinct vertices, so a mark per term is a mark per vertex.
  char* emP = static_cast<char*>(std::calloc(len, 1));
  if (emP == nullptr) errormsg("Main: memory allocation error.\n", 770, -1);
  emP[inicio] = 1;
  double soma = x[termos[inicio]];
  int tamanho = 1;
  const int metade = len / 2;
  for (int i = (inicio + 1) % len; i != inicio; i = (i + 1) % len) {
    if (tamanho >= metade) break;
    const double v = x[termos[i]];
    if (v + soma > tamanho + 1e-6) {
      emP[i] = 1;
      soma += v;
      tamanho++;
    }
  }
  int pos = 0;
  for (int i = 0; i < len; i++)
    if (emP[i]) colunas[pos++] = termos[i];
  for (int i = 0; i < len; i++)
    if (!emP[i]) colunas[pos++] = termos[i];
  std::free(emP);
  return tamanho;
}

int cbChangeBranchObject(XPRSprob prob, void* dados, XPRSbranchobject,
                         XPRSbranchobject* replacement) {
  Resolucao& s = *static_cast<Resolucao*>(dados);
  MedeEtapa medida(s.perfil, ETAPA_RAMIFICACAO);
  if (s.ajustes.COMPLETE_PRINT) std::fprintf(s.saida, "Callback cbChangeBranchObject\n");
  avaliaRaiz(s, prob);
  if (s.desistencia.desistiu) return 0;
  int nIntInf = 0;
  testaRetorno(prob, XPRSgetintattrib(prob, XPRS_MIPINFEAS, &nIntInf),
               "Main: Erro na chamada da rotina XPRSgetintattrib.\n", 411);
  if (nIntInf == 0) return 0;
  double* const x = s.trabalho.x;
  testaRetorno(prob, XPRSgetpresolvesol(prob, x, nullptr, nullptr, nullptr),
               "Main: Erro na chamada da rotina XPRSgetpresolvesol.\n", 421);

  XPRSbranchobject objeto = nullptr;
  Lote& lote = s.lote;
  // Without the cut batch no cycle cut is ever stored: nothing to branch on.
  if (s.ajustes.BRANCH_AND_CUT && lote.mcutind != nullptr) {
    const int MAX_CORTES = lote.MAX_CORTES;
    XPRScut* const mcutind = lote.mcutind;
    int n = 0;
    testaRetorno(prob, XPRSgetcutlist(prob, CORTE_CICLO, 1, &n, MAX_CORTES, mcutind),
                 "Main: Erro na chamada da rotina XPRSgetcutlist.\n", 698);
    if (n > MAX_CORTES) n = MAX_CORTES;
    int m = 0;
    for (int i = 0; i < n; i++) {
      double folga = 0.0;
      testaRetorno(prob, XPRSgetcutslack(prob, mcutind[i], &folga),
                   "Main: Erro na chamada da rotina XPRSgetcutlist.\n", 709);
      if (folga < 1e-6) mcutind[m++] = mcutind[i];
    }
    int inicio = -1;
    int escolhido = -1;
    if (m > 0) {
      // The layout first: mstart[m] is the room the rows need.
      testaRetorno(prob,
                   XPRSgetcpcuts(prob, mcutind, m, 0, nullptr, lote.qrtype, lote.mstart, nullptr,
                                 nullptr, lote.drhs),
                   "Main: Erro na chamada da rotina XPRSgetcpcuts.\n", 727);
      lote.reservaTermos(lote.mstart[m]);
      testaRetorno(prob,
                   XPRSgetcpcuts(prob, mcutind, m, lote.termosNoLote, nullptr, lote.qrtype,
                                 lote.mstart, lote.mcols, lote.dmatval, lote.drhs),
                   "Main: Erro na chamada da rotina XPRSgetcpcuts.\n", 727);
      escolhido = escolheCorte(m, lote.mstart, lote.mcols, x, s.grafo.nlin, &inicio);
    }
    if (escolhido >= 0) {
      const int* const mstart = lote.mstart;
      const int len = mstart[escolhido + 1] - mstart[escolhido];
      int* colunas = static_cast<int*>(std::malloc(sizeof(int) * len));
      if (colunas == nullptr) errormsg("Main: memory allocation error.\n", 775, -1);
      double* coefs = static_cast<double*>(std::malloc(sizeof(double) * len));
      if (coefs == nullptr) errormsg("Main: memory allocation error.\n", 780, -1);
      const int tamP = particionaCorte(lote.mcols + mstart[escolhido], len,
                                       inicio - mstart[escolhido], x, colunas);
      const int tamR = len - tamP;
      for (int i = 0; i < len; i++) coefs[i] = 1.0;

      testaRetorno(prob, XPRS_bo_create(&objeto, prob, 0),
                   "Main: Erro na chamada da rotina XPRS_bo_create.\n", 801);
      testaRetorno(prob, XPRS_bo_addbranches(objeto, 3),
                   "Main: Erro na chamada da rotina XPRS_bo_addbranches.\n", 807);

      const int inicios[2] = {0, tamP};
      const char sentidos[3][2] = {{'L', 'E'}, {'E', 'L'}, {'L', 'L'}};
      const double lados[3][2] = {{tamP - 1.0, static_cast<double>(tamR)},
                                  {static_cast<double>(tamP), tamR - 1.0},
                                  {tamP - 1.0, tamR - 1.0}};
      const int linhas[3] = {838, 847, 856};
      for (int b = 0; b < 3; b++) {
        testaRetorno(
            prob, XPRS_bo_addrows(objeto, b, 2, len, sentidos[b], lados[b], inicios, colunas, coefs),
            "Main: Erro na chamada da rotina XPRS_bo_addbounds.\n", linhas[b]);
      }
      testaRetorno(prob, XPRS_bo_setpriority(objeto, 100),
                   "Main: Erro na chamada da rotina XPRS_bo_setpriority.\n", 861);
      std::free(coefs);
      std::free(colunas);
    }
  }
  *replacement = objeto;
  return 0;
}
