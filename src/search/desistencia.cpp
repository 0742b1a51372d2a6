// The automatic mode's measured choice of engine: a piece the combinatorial
// engine could also solve starts in the branch-and-cut, which gives it up
// once its root shows a gap the linear bound will not close by branching
// (on random graphs the odd-cycle bound stays a quarter above the optimum
// and the tree explodes, where the combinatorial engine's bound prunes), or
// when the root itself takes too long.  Nothing here acts unless armed.
#include <chrono>

#include "base/opcoes.h"
#include "search/busca.h"

namespace {

bool armada = false;
bool desistiu = false;
double limiarDoGap = 0;
std::chrono::steady_clock::time_point fimDaRaiz;

}  // namespace

void armaDesistencia(double limiarGap, double segundosDaRaiz) {
  armada = true;
  desistiu = false;
  limiarDoGap = limiarGap;
  fimDaRaiz = std::chrono::steady_clock::now() +
              std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                  std::chrono::duration<double>(segundosDaRaiz));
}

void desarmaDesistencia() { armada = desistiu = false; }

bool buscaDesistida() { return desistiu; }

void avaliaRaiz(XPRSprob prob) {
  if (!armada || desistiu) return;
  int no = 0;
  XPRSgetintattrib(prob, XPRS_NODES, &no);
  if (no != 0) {
    armada = false;  // past the root: the branch-and-cut keeps the piece
    return;
  }
  double raiz = 0;
  XPRSgetdblattrib(prob, XPRS_LPOBJVAL, &raiz);
  const double valor = zstar > 0 ? zstar : 0.0;
  if (raiz - valor > limiarDoGap * (valor > 1 ? valor : 1.0)) desistiu = true;
  armada = false;
}

bool raizDemorada(XPRSprob prob) {
  if (!armada || desistiu) return desistiu;
  if (std::chrono::steady_clock::now() < fimDaRaiz) return false;
  int no = 0;
  XPRSgetintattrib(prob, XPRS_NODES, &no);
  if (no == 0) desistiu = true;
  else armada = false;
  return desistiu;
}
