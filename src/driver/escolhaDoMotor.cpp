// The engine of each piece: the rule, the probe, the hand-over, the merge.
#include "driver/escolhaDoMotor.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <mutex>
#include <optional>
#include <utility>

#include "base/memoria.h"
#include "base/relogio.h"
#include "combinatorial/Combinatorio.h"
#include "driver/limitanteSemidefinido.h"
#include "driver/resolucaoCombinatoria.h"
#include "driver/sondaCombinatoria.h"
#include "search/Resolucao.h"

namespace {

// The thresholds of motorAutomatico.
const int MAXIMO_DENSO = 5000;
const double DENSIDADE_MINIMA = 0.5;
const int MAXIMO_MINUSCULO = 20;
const int MAXIMO_ESPARSO = 300;
// A piece the root decides with at least this share of its pairs joined
// gets the long probe (see segundosDaSonda).
const double DENSIDADE_DA_SONDA_LONGA = 0.15;

// Whether the combinatorial search of a component this large fits in the
// memory the machine offers.
bool combinatoriaCabe(int vertices) {
  const int64_t tem = memoriaDisponivel();
  return tem < 0 || combinatorio::BuscaExata::memoria(vertices, LINHAS) + (64ll << 20) <= tem;
}

}  // namespace

MotorAutomatico motorAutomatico(const GrafoSimples& g) {
  const combinatorio::Componente c = combinatorio::maiorComponente(g);
  if (c.vertices <= MAXIMO_MINUSCULO) return MotorAutomatico::combinatorio;
  const double n = c.vertices;
  const bool denso = 2.0 * static_cast<double>(c.arestas) >= DENSIDADE_MINIMA * n * (n - 1);
  if (c.vertices > (denso ? MAXIMO_DENSO : MAXIMO_ESPARSO)) return MotorAutomatico::branchAndCut;
  if (!combinatoriaCabe(c.vertices)) return MotorAutomatico::branchAndCut;
  return denso ? MotorAutomatico::combinatorio : MotorAutomatico::raizDecide;
}

double segundosDaSonda(const GrafoSimples& g, double restante) {
  // BCTOVSEL_SONDA read once: for measuring the automatic mode with and
  // without its probe.
  static const double dado = [] {
    const char* texto = std::getenv("BCTOVSEL_SONDA");
    if (texto == nullptr || *texto == '\0') return -1.0;
    char* fimTexto = nullptr;
    const double s = std::strtod(texto, &fimTexto);
    return *fimTexto == '\0' && s >= 0 && s <= 60 ? s : -1.0;
  }();
  if (dado >= 0) return dado;
  const combinatorio::Componente c = combinatorio::maiorComponente(g);
  const double n = c.vertices;
  const bool longa = 2.0 * static_cast<double>(c.arestas) >= DENSIDADE_DA_SONDA_LONGA * n * (n - 1);
  return longa ? segundosDaRaizAutomatica(restante) : SEGUNDOS_DA_SONDA;
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

namespace {

// Both engines' progress as one search's, while the probe and the
// branch-and-cut take turns or run side by side: their nodes added, the
// better value, the lower bound (each holds for the piece).
class ProgressoDosDois {
 public:
  using Sink = std::function<void(long long, long long, double, double)>;
  explicit ProgressoDosDois(Sink destino) : destino_(std::move(destino)) {}
  Sink de(int motor) {
    if (!destino_) return {};
    return [this, motor](long long nos, long long abertos, double valor, double limitante) {
      std::lock_guard<std::mutex> trava(mutex_);
      ultimo_[motor] = {nos, abertos, valor, limitante};
      const Ultimo& a = ultimo_[0];
      const Ultimo& b = ultimo_[1];
      destino_(a.nos + b.nos, a.abertos + b.abertos, std::max(a.valor, b.valor),
               std::min(a.limitante, b.limitante));
    };
  }

 private:
  struct Ultimo {
    long long nos = 0, abertos = 0;
    double valor = -1e20, limitante = 1e40;
  };
  Sink destino_;
  std::mutex mutex_;
  Ultimo ultimo_[2];
};

// A piece the root decides: the probe first, then, unless it proved the
// piece, the branch-and-cut's root with the hand-over armed, the probe held
// meanwhile; a piece handed over goes on in the probe's search, and one the
// branch-and-cut has not proved SEGUNDOS_ATE_A_CORRIDA after the hold gets
// the probe back beside it, the first to end ending the other.
ResultadoBusca resolvePelaRaiz(const GrafoSimples& g, const std::vector<char>& inicial,
                               const Prazo& prazo, const AjustesDaBusca& ajustes,
                               const Acompanhamento& acomp, std::FILE* saida) {
  AjustesDaBusca doBranchAndCut = ajustes;
  doBranchAndCut.limiarDeDesistencia = GAP_DE_DESISTENCIA;
  doBranchAndCut.segundosDaRaiz = segundosDaRaizAutomatica(prazo.restantes());
  const double sonda = segundosDaSonda(g, prazo.restantes());
  if (sonda <= 0) {
    ResultadoBusca r = resolveBranchAndCut(g, &inicial, prazo, doBranchAndCut, acomp, saida);
    if (!r.desistiu || prazo.passou()) return r;
    const int tamanhoInicial = static_cast<int>(std::count(inicial.begin(), inicial.end(), 1));
    ResultadoBusca c = resolveCombinatorio(g, r.zstar > tamanhoInicial + 0.5 ? &r.escolhido : &inicial,
                                           prazo, ajustes, acomp, saida);
    juntaBusca(c, r);
    return c;
  }
  ProgressoDosDois progresso(acomp.progresso);
  Acompanhamento daSonda = acomp, doBranchAndCutAcomp = acomp;
  daSonda.progresso = progresso.de(0);
  doBranchAndCutAcomp.progresso = progresso.de(1);
  SondaCombinatoria combinatoria(g, inicial, prazo, ajustes, daSonda, saida);
  // Proved by the probe (or stopped by the deadline within it).
  if (combinatoria.terminaEm(sonda) || prazo.passou()) return combinatoria.resultado(false);
  combinatoria.segura(ajustes.DESLIGADAS & DESLIGA_CORRIDA ? std::numeric_limits<double>::infinity()
                                                            : SEGUNDOS_ATE_A_CORRIDA);
  int tamanho = 0;
  std::vector<char> melhor = combinatoria.melhor(&tamanho);
  const std::vector<char>& primeiro = melhor.empty() ? inicial : melhor;
  // The run's deadline carries no flag of its own here: the probe's end is
  // the branch-and-cut's.
  ResultadoBusca r = resolveBranchAndCut(g, &primeiro, prazo.cancelavel(combinatoria.terminou()),
                                         doBranchAndCut, doBranchAndCutAcomp, saida);
  // Handed over: the combinatorial search goes on, and the bound the
  // branch-and-cut proved still holds.  Otherwise the branch-and-cut keeps
  // the piece (ended, or stopped by the probe's end), and the probe's set,
  // bound and nodes count with its own.
  const bool continua = r.desistiu && !prazo.passou();
  ResultadoBusca c = combinatoria.resultado(!continua);
  if (!continua) std::swap(r, c);
  juntaBusca(c, r);
  return c;
}

}  // namespace

bool querCombinatorioAoLado(const GrafoSimples& g, const AjustesDaBusca& ajustes) {
  if (!AUTOMATICO || (ajustes.DESLIGADAS & DESLIGA_CORRIDA)) return false;
  const combinatorio::Componente c = combinatorio::maiorComponente(g);
  const double n = c.vertices;
  if (c.vertices > MAXIMO_DA_CORRIDA ||
      2.0 * static_cast<double>(c.arestas) < DENSIDADE_DA_CORRIDA * n * (n - 1))
    return false;
  return combinatoriaCabe(c.vertices);
}

bool querLimitanteSemidefinido(const GrafoSimples& g, const AjustesDaBusca& ajustes) {
  return AUTOMATICO && !(ajustes.DESLIGADAS & DESLIGA_SEMIDEFINIDA) && LimitanteSemidefinido::convem(g);
}

ResultadoBusca resolvePeca(const GrafoSimples& g, const std::vector<char>& inicial,
                           MotorAutomatico motor, const Prazo& prazo, const AjustesDaBusca& ajustes,
                           const Acompanhamento& acomp, std::FILE* saida,
                           LimitanteSemidefinido* iniciado) {
  if (motor == MotorAutomatico::combinatorio)
    return resolveCombinatorio(g, &inicial, prazo, ajustes, acomp, saida);
  if (motor == MotorAutomatico::raizDecide)
    return resolvePelaRaiz(g, inicial, prazo, ajustes, acomp, saida);
  // A piece of a few hundred vertices the branch-and-cut has not proved in
  // SEGUNDOS_ATE_A_CORRIDA gets the combinatorial engine beside it.
  ProgressoDosDois progresso(acomp.progresso);
  Acompanhamento doBranchAndCut = acomp;
  std::optional<SondaCombinatoria> combinatoria;
  Prazo prazoDoBranchAndCut = prazo;
  if (querCombinatorioAoLado(g, ajustes)) {
    Acompanhamento daCombinatoria = acomp;
    daCombinatoria.progresso = progresso.de(0);
    doBranchAndCut.progresso = progresso.de(1);
    combinatoria.emplace(g, inicial, prazo, ajustes, daCombinatoria, saida, SEGUNDOS_ATE_A_CORRIDA);
    prazoDoBranchAndCut = prazo.cancelavel(combinatoria->terminou());
  }
  // A large sparse piece the branch-and-cut does not prove at once gets the
  // semidefinite bound beside it, on a thread of its own.
  std::optional<LimitanteSemidefinido> proprio;
  LimitanteSemidefinido* sdp = iniciado;
  if (sdp == nullptr && querLimitanteSemidefinido(g, ajustes)) {
    proprio.emplace(g, inicial, prazo, ESPERA_SEMIDEFINIDA, ajustes.PERFIL != 0,
                    !(ajustes.DESLIGADAS & DESLIGA_LAGRANGIANO));
    sdp = &*proprio;
  }
  Acompanhamento comSdp = doBranchAndCut;
  AjustesDaBusca ajustesComSdp = ajustes;
  if (sdp != nullptr) {
    comSdp.limitanteDeFora = &sdp->limitante();
    // The bound beside the search reads the search's own as it goes.
    LimitanteSemidefinido* aoLado = sdp;
    comSdp.progresso = [aoLado, paraFora = doBranchAndCut.progresso](long long nos, long long abertos,
                                                                     double valor, double limitante) {
      aoLado->limitanteDaBusca(limitante);
      if (paraFora) paraFora(nos, abertos, valor, limitante);
    };
    ajustesComSdp.linhasCedidas = &sdp->linhasCedidas();
    if (!(ajustes.DESLIGADAS & DESLIGA_LINHAS_DE_FORA))
      comSdp.linhasDeFora = [aoLado] { return aoLado->linhasParaBusca(); };
  }
  ResultadoBusca r = resolveBranchAndCut(g, &inicial, prazoDoBranchAndCut, ajustesComSdp, comSdp, saida);
  if (combinatoria) juntaBusca(r, combinatoria->resultado(true));
  if (sdp) {
    r.limitante = std::min(r.limitante, sdp->termina());
    r.perfil.soma(sdp->perfil());
  }
  return r;
}
