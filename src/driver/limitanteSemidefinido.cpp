// The semidefinite bound beside a search: a thread that waits, then steers
// the multipliers until the deadline or until it is no longer wanted, each
// certified bound published as it comes.
#include "driver/limitanteSemidefinido.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <mutex>
#include <string>
#include <utility>

#include "base/memoria.h"
#include "lagrangian/Lagrangiano.h"
#include "semidefinite/Semidefinida.h"

namespace {

// Below this the branch-and-cut's own bound is good enough in the time it
// takes; above a density of a tenth the relaxation without the LP's rows is
// weaker than the LP (random graphs of density 0.3: 56.6 against a root of
// 51.3).
const int MINIMO_VERTICES = 300;
const double DENSIDADE_MAXIMA = 0.1;
// What the primal, its factorization and the certificates hold, per vertex
// (measured: 36 to 42 KB on pieces of 1,662 to 39,041 vertices).
const int64_t BYTES_POR_VERTICE = 50 << 10;
// The first-order bound runs until it falls by less than a thousandth of
// itself in 10 s, and at most a third of the time left: the semidefinite
// bound, started from its rows and multipliers, falls faster after that
// (run until it fell by less than a 5,000th, it took 110 s of Slashdot's and
// of Epinions' ten minutes and the semidefinite bound ended higher: 77,323
// against 77,119 on Slashdot; on Wikipedia elections, where the semidefinite
// bound alone is at 6,199 after 46 s, it held the thread until 136 s).
// Where the search's LP is below it after those first 10 s it gives the
// thread up at once, and its rows with it.
const double JANELA_PRIMEIRA_ORDEM = 10;
const double FRACAO_PRIMEIRA_ORDEM = 1e-3;
const double PARTE_PRIMEIRA_ORDEM = 1.0 / 3;

// The room itself is a module (see CMakeLists.txt), loaded once, the first
// time a bound is wanted: from beside the program, or from lib/bctovsel of
// the prefix it is installed under.  Missing or broken, the searches go on
// without the bound, which is said once on standard error.
using Limita = void (*)(const semidefinida::Parametros*, semidefinida::Resultado*);
const char* const MODULO = "libbctovsel-semidefinida.so";

Limita carregaModulo() {
  static Limita limita = nullptr;
  static std::once_flag feito;
  std::call_once(feito, [] {
    std::string pasta;
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
      pasta.assign(exe, static_cast<size_t>(n));
      pasta.erase(pasta.find_last_of('/') + 1);
    }
    std::string erro;
    for (const std::string& caminho : {pasta + MODULO, pasta + "../lib/bctovsel/" + MODULO}) {
      void* modulo = dlopen(caminho.c_str(), RTLD_NOW | RTLD_LOCAL);
      if (modulo == nullptr) {
        if (erro.empty() || access(caminho.c_str(), F_OK) == 0) erro = dlerror();
        continue;
      }
      limita = reinterpret_cast<Limita>(dlsym(modulo, "bctovsel_limita"));
      if (limita == nullptr) erro = dlerror();
      // The factorizations of the certificates go through the system's BLAS.
      // OpenBLAS (tens of times faster than the reference BLAS on the large
      // pieces' factors) would start a thread per processor for each, beside
      // a search that already uses them: one is enough.  Looked up by name,
      // so that any BLAS serves.
      using Define = void (*)(int);
      if (auto define = reinterpret_cast<Define>(dlsym(modulo, "openblas_set_num_threads"))) define(1);
      break;
    }
    if (limita == nullptr)
      std::fprintf(stderr, "BCTovsel: limitante semidefinido indisponivel (%s)\n", erro.c_str());
  });
  return limita;
}

// The sides of a first set (empty when it is not balanced on g) and its size.
int ladosDoConjunto(const GrafoSimples& g, const std::vector<char>& inicial,
                    std::vector<signed char>& lados) {
  if (!equilibrado(g, inicial, &lados)) lados.clear();
  int tamanho = 0;
  for (const signed char l : lados) tamanho += l >= 0;
  return tamanho;
}

}  // namespace

bool LimitanteSemidefinido::convem(const GrafoSimples& g) {
  const double n = g.numVertices();
  if (n < MINIMO_VERTICES) return false;
  if (2.0 * static_cast<double>(g.numArestas()) > DENSIDADE_MAXIMA * n * (n - 1)) return false;
  const int64_t tem = memoriaDisponivel();
  return tem < 0 || BYTES_POR_VERTICE * g.numVertices() < tem / 2;
}

LimitanteSemidefinido::LimitanteSemidefinido(const GrafoSimples& g, const std::vector<char>& inicial,
                                             const Prazo& prazo, double espera, bool perfil,
                                             bool primeiraOrdem, bool provisorio)
    : g_(g), temConjunto_(!provisorio), primeiraOrdem_(primeiraOrdem), prazo_(prazo.cancelavel(&cancelado_)) {
  perfil_.ligado = perfil;
  alvo_.store(ladosDoConjunto(g, inicial, lados_));
  fio_ = std::thread([this, espera] { executa(espera); });
}

void LimitanteSemidefinido::conjuntoInicial(const std::vector<char>& inicial) {
  std::vector<signed char> lados;
  const int alvo = ladosDoConjunto(g_, inicial, lados);
  {
    std::lock_guard<std::mutex> trava(mutex_);
    lados_ = std::move(lados);
    temConjunto_ = true;
  }
  // The first-order bound, under way, steers by the better value.
  if (alvo > alvo_.load()) alvo_.store(alvo);
  acorda_.notify_all();
}

LimitanteSemidefinido::~LimitanteSemidefinido() { termina(); }

double LimitanteSemidefinido::termina() {
  {
    std::lock_guard<std::mutex> trava(mutex_);
    cancelado_.store(true);
  }
  acorda_.notify_all();
  if (fio_.joinable()) fio_.join();
  return limitante_.load();
}

void LimitanteSemidefinido::executa(double espera) {
  {
    std::unique_lock<std::mutex> trava(mutex_);
    const auto fimDaEspera = Prazo::Relogio::now() + std::chrono::duration_cast<Prazo::Relogio::duration>(
                                                          std::chrono::duration<double>(espera));
    acorda_.wait_until(trava, fimDaEspera, [this] { return cancelado_.load(); });
  }
  if (prazo_.passou()) return;
  // The bound's own thread is one of the search's: on Slashdot's piece,
  // sharing two processors with both of the root's cycle-search threads, it
  // never got below the LP in ten minutes, where alone it was 2,000 below
  // the LP's ten-minute bound after four and a half.
  cedidas_.store(1);
  std::vector<semidefinida::Linha> linhas;
  if (primeiraOrdem_) linhas = primeiraOrdem();
  {
    std::unique_lock<std::mutex> trava(mutex_);
    acorda_.wait(trava, [this] { return temConjunto_ || cancelado_.load(); });
  }
  const Limita limita = prazo_.passou() ? nullptr : carregaModulo();
  if (limita == nullptr) {
    cedidas_.store(0);
    return;
  }
  MedeEtapa medida(perfil_, ETAPA_SEMIDEFINIDA);
  semidefinida::Parametros p;
  p.grafo = &g_;
  p.ladoInicial = lados_;
  p.linhas = std::move(linhas);
  p.prazo = prazo_;
  p.aoCertificar = [this](const semidefinida::Ponto& ponto) {
    perfil_.resultados[ETAPA_SEMIDEFINIDA]++;
    publica(ponto.limitante);
  };
  semidefinida::Resultado r;
  limita(&p, &r);
  cedidas_.store(0);
}

std::vector<LinhaValida> LimitanteSemidefinido::linhasParaBusca() {
  std::lock_guard<std::mutex> trava(mutex_);
  return std::move(paraBusca_);
}

void LimitanteSemidefinido::limitanteDaBusca(double limitante) {
  double atual = daBusca_.load();
  while (limitante < atual && !daBusca_.compare_exchange_weak(atual, limitante)) {
  }
}

void LimitanteSemidefinido::publica(double limitante) {
  const double inteiro = std::floor(limitante + 1e-6);
  double atual = limitante_.load();
  while (inteiro < atual && !limitante_.compare_exchange_weak(atual, inteiro)) {
  }
}

std::vector<semidefinida::Linha> LimitanteSemidefinido::primeiraOrdem() {
  MedeEtapa medida(perfil_, ETAPA_LAGRANGIANO);
  lagrangiano::Parametros p;
  p.grafo = &g_;
  p.alvo = alvo_.load();
  p.alvoAtual = [this] { return static_cast<double>(alvo_.load()); };
  const double restantes = prazo_.restantes();
  p.prazo = std::isfinite(restantes) ? prazo_.daqui(PARTE_PRIMEIRA_ORDEM * restantes) : prazo_;
  p.ajustes.janela = JANELA_PRIMEIRA_ORDEM;
  p.ajustes.fracaoMinima = FRACAO_PRIMEIRA_ORDEM;
  p.aoMelhorar = [this](const lagrangiano::Ponto& ponto) {
    if (ponto.iteracoes == 0) return;
    perfil_.resultados[ETAPA_LAGRANGIANO]++;
    publica(ponto.limitante);
  };
  const double inicio = prazo_.decorridos();
  p.desiste = [this, inicio](double limitante) {
    return prazo_.decorridos() - inicio >= JANELA_PRIMEIRA_ORDEM &&
           daBusca_.load() < std::floor(limitante + 1e-6) - 0.5;
  };
  lagrangiano::Resultado r;
  lagrangiano::limita(p, &r);
  std::vector<semidefinida::Linha> linhas;
  if (r.desistiu) return linhas;
  std::vector<LinhaValida> paraBusca;
  for (lagrangiano::Linha& l : r.linhas) {
    if (l.y <= 0) continue;
    paraBusca.push_back({l.vertices, l.rhs});
    const std::vector<double> coefs(l.vertices.size(), 1.0);
    linhas.push_back({std::move(l.vertices), coefs, l.rhs, l.y});
  }
  std::lock_guard<std::mutex> trava(mutex_);
  paraBusca_ = std::move(paraBusca);
  return linhas;
}
