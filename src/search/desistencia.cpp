// The automatic mode's hand-over, as the search sees it: a piece the
// combinatorial engine could also solve starts in the branch-and-cut, which
// gives it up once its root shows a gap the linear bound will not close by
// branching (on random graphs the odd-cycle bound stays a quarter above the
// optimum and the tree explodes, where the combinatorial engine's bound
// prunes), or when the root itself takes too long.  Nothing here acts unless
// the settings arm it; the terms are the automatic mode's.
#include "search/busca.h"

void armaDesistencia(Resolucao& s) {
  Resolucao::Desistencia& d = s.desistencia;
  d.armada = s.ajustes.limiarDeDesistencia >= 0;
  d.desistiu = false;
  if (!d.armada) return;
  d.limiarDoGap = s.ajustes.limiarDeDesistencia;
  d.fimDaRaiz = s.prazo.daqui(s.ajustes.segundosDaRaiz);
}

void avaliaRaiz(Resolucao& s, XPRSprob prob) {
  Resolucao::Desistencia& d = s.desistencia;
  if (!d.armada || d.desistiu) return;
  int no = 0;
  XPRSgetintattrib(prob, XPRS_NODES, &no);
  if (no != 0) {
    d.armada = false;  // past the root: the branch-and-cut keeps the piece
    return;
  }
  double raiz = 0;
  XPRSgetdblattrib(prob, XPRS_LPOBJVAL, &raiz);
  const double valor = s.zstar > 0 ? s.zstar : 0.0;
  if (raiz - valor > d.limiarDoGap * (valor > 1 ? valor : 1.0)) d.desistiu = true;
  d.armada = false;
}

bool raizDemorada(Resolucao& s, XPRSprob prob) {
  Resolucao::Desistencia& d = s.desistencia;
  if (!d.armada || d.desistiu) return d.desistiu;
  if (!d.fimDaRaiz.tempoPassou()) return false;
  int no = 0;
  XPRSgetintattrib(prob, XPRS_NODES, &no);
  if (no == 0) d.desistiu = true;
  else d.armada = false;
  return d.desistiu;
}
