// The engine of each piece: the rule, the probe, the hand-over, the merge.
#include "driver/escolhaDoMotor.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "base/memoria.h"
#include "base/relogio.h"
#include "combinatorial/Combinatorio.h"
#include "driver/limitanteSemidefinido.h"
#include "driver/resolucaoCombinatoria.h"
#include "search/Resolucao.h"

namespace {

// The thresholds of motorAutomatico.
const int MAXIMO_DENSO = 5000;
const double DENSIDADE_MINIMA = 0.5;
const int MAXIMO_MINUSCULO = 20;
const int MAXIMO_ESPARSO = 300;

}  // namespace

MotorAutomatico motorAutomatico(const GrafoSimples& g) {
  const combinatorio::Componente c = combinatorio::maiorComponente(g);
  if (c.vertices <= MAXIMO_MINUSCULO) return MotorAutomatico::combinatorio;
  const double n = c.vertices;
  const bool denso = 2.0 * static_cast<double>(c.arestas) >= DENSIDADE_MINIMA * n * (n - 1);
  if (c.vertices > (denso ? MAXIMO_DENSO : MAXIMO_ESPARSO)) return MotorAutomatico::branchAndCut;
  const int64_t tem = memoriaDisponivel();
  if (tem >= 0 && combinatorio::BuscaExata::memoria(c.vertices, LINHAS) + (64ll << 20) > tem)
    return MotorAutomatico::branchAndCut;
  return denso ? MotorAutomatico::combinatorio : MotorAutomatico::raizDecide;
}

double segundosDaSonda() {
  // Read once: for measuring the automatic mode with and without its probe.
  static const double segundos = [] {
    const char* texto = std::getenv("BCTOVSEL_SONDA");
    if (texto == nullptr || *texto == '\0') return SEGUNDOS_DA_SONDA;
    char* fimTexto = nullptr;
    const double s = std::strtod(texto, &fimTexto);
    return *fimTexto == '\0' && s >= 0 && s <= 60 ? s : SEGUNDOS_DA_SONDA;
  }();
  return segundos;
}

void juntaBusca(ResultadoBusca& a, const ResultadoBusca& b) {
  if (a.zstar < b.zstar) {
    a.zstar = b.zstar;
    a.escolhido = b.escolhido;
  }
  a.limitante = std::min(std::max(a.limitante, a.zstar), std::max(b.limitante, b.zstar));
  a.tiquesSeparacao += b.tiquesSeparacao;
  a.nos += b.nos;
  a.cortes += b.cortes;
  a.cortesCiclo += b.cortesCiclo;
  a.cortesClique += b.cortesClique;
  a.cortesIndSet += b.cortesIndSet;
  a.cortesGerais += b.cortesGerais;
  a.linhasClique += b.linhasClique;
  a.linhasCiclo += b.linhasCiclo;
  a.linhasK1K2 += b.linhasK1K2;
  a.perfil.soma(b.perfil);
}

ResultadoBusca resolvePeca(const GrafoSimples& g, const std::vector<char>& inicial,
                           MotorAutomatico motor, const Prazo& prazo, const AjustesDaBusca& ajustes,
                           const Acompanhamento& acomp, std::FILE* saida) {
  if (motor == MotorAutomatico::combinatorio)
    return resolveCombinatorio(g, &inicial, prazo, ajustes, acomp, saida);
  const int tamanhoInicial = static_cast<int>(std::count(inicial.begin(), inicial.end(), 1));
  // A piece the root decides is first given a short probe of the
  // combinatorial engine, which proves most small sparse pieces in it; the
  // branch-and-cut then starts from the probe's best set, and the probe's
  // bound and nodes count with its own.
  std::optional<ResultadoBusca> sonda;
  if (motor == MotorAutomatico::raizDecide && segundosDaSonda() > 0) {
    sonda = resolveCombinatorio(g, &inicial, prazo.daqui(segundosDaSonda()), ajustes, acomp, saida);
    // Proved by the probe (or stopped by the deadline within it).
    if (sonda->limitante < sonda->zstar + 0.5 || prazo.passou()) return std::move(*sonda);
  }
  AjustesDaBusca doBranchAndCut = ajustes;
  if (motor == MotorAutomatico::raizDecide) {
    doBranchAndCut.limiarDeDesistencia = GAP_DE_DESISTENCIA;
    doBranchAndCut.segundosDaRaiz = segundosDaRaizAutomatica(prazo.restantes());
  }
  const std::vector<char>& primeiro =
      sonda && sonda->zstar > tamanhoInicial + 0.5 ? sonda->escolhido : inicial;
  // A large sparse piece the branch-and-cut does not prove at once gets the
  // semidefinite bound beside it, on a thread of its own.
  std::optional<LimitanteSemidefinido> sdp;
  Acompanhamento comSdp = acomp;
  if (AUTOMATICO && motor == MotorAutomatico::branchAndCut &&
      !(ajustes.DESLIGADAS & DESLIGA_SEMIDEFINIDA) && LimitanteSemidefinido::convem(g)) {
    sdp.emplace(g, primeiro, prazo, ESPERA_SEMIDEFINIDA, ajustes.PERFIL != 0);
    comSdp.limitanteDeFora = &sdp->limitante();
  }
  ResultadoBusca r = resolveBranchAndCut(g, &primeiro, prazo, doBranchAndCut, comSdp, saida);
  if (sdp) {
    r.limitante = std::min(r.limitante, sdp->termina());
    r.perfil.soma(sdp->perfil());
  }
  if (r.desistiu && !prazo.passou()) {
    // The combinatorial engine takes over from the best set so far; what
    // the branch-and-cut spent is counted, and its bound still holds.
    const bool melhorou = r.zstar > tamanhoInicial + 0.5;
    ResultadoBusca c =
        resolveCombinatorio(g, melhorou ? &r.escolhido : &inicial, prazo, ajustes, acomp, saida);
    juntaBusca(c, r);
    r = std::move(c);
  }
  if (sonda) juntaBusca(r, *sonda);
  return r;
}
