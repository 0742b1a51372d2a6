// Three-way branching on a tight odd-negative-cycle cut: P all ones, R all
// ones, or neither, which together cover every point the cut allows.
#include "search/ramificacao.h"

#include <algorithm>
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

std::vector<CorteCandidato> candidatosDeCorte(int m, const int* ms, const int* mc, const double* x,
                                              int nlin, int maximo) {
  std::vector<std::pair<int, CorteCandidato>> todos;  // length, cut
  for (int k = 0; k < m; k++) {
    const int len = ms[k + 1] - ms[k];
    if (len <= 0 || len >= nlin) continue;
    int inicio = -1;
    for (int e = ms[k]; e < ms[k + 1]; e++)
      if (x[mc[e]] >= 1e-6 && x[mc[e]] <= 0.999999) inicio = e;
    if (inicio >= 0) todos.push_back({len, CorteCandidato{k, inicio}});
  }
  std::stable_sort(todos.begin(), todos.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<CorteCandidato> escolhidos;
  for (size_t i = 0; i < todos.size() && static_cast<int>(i) < maximo; i++)
    escolhidos.push_back(todos[i].second);
  return escolhidos;
}

double escoreDaRamificacao(double z, double corte, const double* filhos, int n) {
  double escore = 1.0;
  for (int b = 0; b < n; b++) escore *= std::max(z - std::max(filhos[b], corte), 1e-6);
  return escore;
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

namespace {

// The three branches on one tight cut: P all ones, R all ones, neither.
XPRSbranchobject criaObjeto(XPRSprob prob, Lote& lote, CorteCandidato c, const double* x) {
  const int primeiro = lote.mstart[c.corte];
  const int len = lote.mstart[c.corte + 1] - primeiro;
  int* colunas = static_cast<int*>(std::malloc(sizeof(int) * len));
  if (colunas == nullptr) errormsg("Main: memory allocation error.\n", 775, -1);
  double* coefs = static_cast<double*>(std::malloc(sizeof(double) * len));
  if (coefs == nullptr) errormsg("Main: memory allocation error.\n", 780, -1);
  const int tamP = particionaCorte(lote.mcols + primeiro, len, c.termoInicial - primeiro, x, colunas);
  const int tamR = len - tamP;
  for (int i = 0; i < len; i++) coefs[i] = 1.0;

  XPRSbranchobject objeto = nullptr;
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
  return objeto;
}

// Tries the children of each candidate on the node's LP and keeps the
// branching whose children fall most, the first (the shortest cut, which the
// plain rule takes) unless another does strictly better.  A failed try ends
// the tries with what is best so far.
XPRSbranchobject escolheForte(Resolucao& s, XPRSprob prob, Lote& lote,
                              const std::vector<CorteCandidato>& candidatos, const double* x,
                              XPRSbranchobject primeiro) {
  double z = 0.0, corte = -1e40;
  if (XPRSgetdblattrib(prob, XPRS_LPOBJVAL, &z) != 0 ||
      XPRSgetdblcontrol(prob, XPRS_MIPABSCUTOFF, &corte) != 0)
    return primeiro;
  if (!(corte > -1e30)) corte = z - s.grafo.nlin;
  XPRSbranchobject melhor = nullptr;
  double melhorEscore = -1.0;
  for (size_t c = 0; c < candidatos.size(); c++) {
    XPRSbranchobject objeto = c == 0 ? primeiro : criaObjeto(prob, lote, candidatos[c], x);
    double filhos[3];
    int estados[3];
    bool falhou = XPRS_bo_strongbranch(objeto, s.ajustes.ITERACOES_FORTES, filhos, estados) != 0;
    for (int b = 0; b < 3 && !falhou; b++) falhou = estados[b] == 3;
    const double escore = falhou ? -1.0 : escoreDaRamificacao(z, corte, filhos, 3);
    if (melhor == nullptr || escore > melhorEscore) {
      if (melhor != nullptr) XPRS_bo_destroy(melhor);
      melhor = objeto;
      melhorEscore = escore;
    } else {
      XPRS_bo_destroy(objeto);
    }
    if (falhou) break;
  }
  return melhor;
}

}  // namespace

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
      objeto = criaObjeto(prob, lote, CorteCandidato{escolhido, inicio}, x);
      // Near the root, where a choice shapes the whole tree, a reduced run
      // tries the shortest cuts' children on the LP first.
      int maximo = s.ajustes.REDUZIR && !(s.ajustes.DESLIGADAS & DESLIGA_RAMIFICACAO_FORTE)
                             ? s.ajustes.CANDIDATOS_FORTES
                             : 1;
      int profundidade = 0;
      if (maximo > 1 && (XPRSgetintattrib(prob, XPRS_NODEDEPTH, &profundidade) != 0 ||
                         profundidade > s.ajustes.PROFUNDIDADE_FORTE))
        maximo = 1;
      if (maximo > 1) {
        const std::vector<CorteCandidato> candidatos =
            candidatosDeCorte(m, lote.mstart, lote.mcols, x, s.grafo.nlin, maximo);
        if (candidatos.size() > 1) objeto = escolheForte(s, prob, lote, candidatos, x, objeto);
      }
    }
  }
  *replacement = objeto;
  return 0;
}
