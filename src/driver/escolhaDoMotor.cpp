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

// A piece the root decides: the probe first, then, unless it proved the
// piece, the branch-and-cut's root with the hand-over armed, the probe held
// meanwhile; a piece handed over goes on in the probe's search.
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
  SondaCombinatoria combinatoria(g, inicial, prazo, ajustes, acomp, saida);
  // Proved by the probe (or stopped by the deadline within it).
  if (combinatoria.terminaEm(sonda) || prazo.passou()) return combinatoria.resultado(false);
  combinatoria.segura();
  int tamanho = 0;
  std::vector<char> melhor = combinatoria.melhor(&tamanho);
  const std::vector<char>& primeiro = melhor.empty() ? inicial : melhor;
  ResultadoBusca r = resolveBranchAndCut(g, &primeiro, prazo, doBranchAndCut, acomp, saida);
  // Handed over: the combinatorial search goes on, and the bound the
  // branch-and-cut proved still holds.  Otherwise the branch-and-cut keeps
  // the piece, and the probe's bound and nodes count with its own.
  const bool continua = r.desistiu && !prazo.passou();
  ResultadoBusca c = combinatoria.resultado(!continua);
  if (!continua) std::swap(r, c);
  juntaBusca(c, r);
  return c;
}

}  // namespace

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
  // A large sparse piece the branch-and-cut does not prove at once gets the
  // semidefinite bound beside it, on a thread of its own.
  std::optional<LimitanteSemidefinido> proprio;
  LimitanteSemidefinido* sdp = iniciado;
  if (sdp == nullptr && querLimitanteSemidefinido(g, ajustes)) {
    proprio.emplace(g, inicial, prazo, ESPERA_SEMIDEFINIDA, ajustes.PERFIL != 0,
                    !(ajustes.DESLIGADAS & DESLIGA_LAGRANGIANO));
    sdp = &*proprio;
  }
  Acompanhamento comSdp = acomp;
  AjustesDaBusca ajustesComSdp = ajustes;
  if (sdp != nullptr) {
    comSdp.limitanteDeFora = &sdp->limitante();
    // The bound beside the search reads the search's own as it goes.
    LimitanteSemidefinido* aoLado = sdp;
    comSdp.progresso = [aoLado, acomp](long long nos, long long abertos, double valor, double limitante) {
      aoLado->limitanteDaBusca(limitante);
      if (acomp.progresso) acomp.progresso(nos, abertos, valor, limitante);
    };
    ajustesComSdp.linhasCedidas = &sdp->linhasCedidas();
    if (!(ajustes.DESLIGADAS & DESLIGA_LINHAS_DE_FORA))
      comSdp.linhasDeFora = [aoLado] { return aoLado->linhasParaBusca(); };
  }
  ResultadoBusca r = resolveBranchAndCut(g, &inicial, prazo, ajustesComSdp, comSdp, saida);
  if (sdp) {
    r.limitante = std::min(r.limitante, sdp->termina());
    r.perfil.soma(sdp->perfil());
  }
  return r;
}
