// The volume algorithm over a growing pool of cycle rows (see Lagrangiano.h).
#include "lagrangian/Lagrangiano.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <utility>

#include "lagrangian/ciclosDoConjunto.h"

namespace lagrangiano {

double limitanteDe(int n, const std::vector<Linha>& linhas) {
  std::vector<double> soma(static_cast<size_t>(n), 0.0);
  double b = 0;
  for (const Linha& l : linhas) {
    if (l.y <= 0) continue;
    b += l.y * l.rhs;
    for (const int v : l.vertices) soma[v] += l.y;
  }
  for (const double s : soma) b += std::max(0.0, 1.0 - s);
  return b;
}

namespace {

// The volume algorithm's own rules shrink the step and the average's weight
// without end; these floors keep it moving on the large pieces (Slashdot
// sample A's piece, 10 s: 1,352.9 with them, 1,361.8 with 1e-4 and 1e-5,
// where the LP of the rows separated to the end is 1,320.2).
constexpr double PASSO_MINIMO = 1e-3;
constexpr double ALFA_MINIMO = 1e-2;

// The pool: rows in one flat array, each with its multiplier at the best
// point (yBarra), at the trial point (y) and the iteration it last had a
// positive one (or was made).
class Pool {
 public:
  int size() const { return static_cast<int>(rhs_.size()); }
  std::span<const int> vertices(int r) const {
    return {flat_.data() + inicio_[r], static_cast<size_t>(inicio_[r + 1] - inicio_[r])};
  }
  bool acrescenta(std::vector<int> vs, double rhs, double y, int64_t iteracao) {
    std::sort(vs.begin(), vs.end());
    const uint64_t h = hash(vs);
    auto faixa = indice_.equal_range(h);
    for (auto it = faixa.first; it != faixa.second; ++it) {
      const auto vr = vertices(it->second);
      if (std::equal(vr.begin(), vr.end(), vs.begin(), vs.end())) return false;
    }
    indice_.emplace(h, size());
    flat_.insert(flat_.end(), vs.begin(), vs.end());
    inicio_.push_back(static_cast<int64_t>(flat_.size()));
    rhs_.push_back(rhs);
    yBarra_.push_back(y);
    y_.push_back(y);
    vivo_.push_back(iteracao);
    return true;
  }
  // Drops the rows whose multiplier has been 0 since `desde`.
  void poda(int64_t desde) {
    Pool novo;
    for (int r = 0; r < size(); r++) {
      if (yBarra_[r] <= 0 && vivo_[r] < desde) continue;
      const auto vr = vertices(r);
      novo.acrescenta({vr.begin(), vr.end()}, rhs_[r], yBarra_[r], vivo_[r]);
      novo.y_.back() = y_[r];
    }
    *this = std::move(novo);
  }

  std::vector<double> rhs_, yBarra_, y_;
  std::vector<int64_t> vivo_;

 private:
  static uint64_t hash(const std::vector<int>& vs) {
    uint64_t h = 1469598103934665603ull;
    for (const int v : vs) h = (h ^ static_cast<uint32_t>(v)) * 1099511628211ull;
    return h;
  }
  std::vector<int> flat_;
  std::vector<int64_t> inicio_{0};
  std::unordered_multimap<uint64_t, int> indice_;
};

class Volume {
 public:
  Volume(const Parametros& p) : p_(p), n_(p.grafo->numVertices()), busca_(*p.grafo) {
    for (const Linha& l : p.linhas) pool_.acrescenta(l.vertices, l.rhs, std::max(0.0, l.y), 0);
  }

  void executa(Resultado* r) {
    const Ajustes& a = p_.ajustes;
    std::vector<double> soma(n_), x(n_);
    std::vector<char> conjunto(n_);
    // The first point: the starting multipliers.
    melhor_ = avalia(pool_.yBarra_, soma, x);
    media_ = x;
    publica(0);
    double lambda = a.passoInicial, alfaMax = a.alfaMax;
    int vermelhos = 0;
    double bHa100 = melhor_, alvo = p_.alvo;
    int64_t it = 0;
    double marca = p_.prazo.decorridos(), bMarca = melhor_;
    for (; p_.maxIteracoes < 0 || it < p_.maxIteracoes; it++) {
      if (it % 16 == 0) {
        if (p_.prazo.passou()) break;
        if (p_.alvoAtual) alvo = std::max(alvo, p_.alvoAtual());
        if (p_.desiste && p_.desiste(melhor_)) {
          r->desistiu = true;
          break;
        }
        if (a.janela > 0 && p_.prazo.decorridos() - marca >= a.janela) {
          if (bMarca - melhor_ < a.fracaoMinima * melhor_) break;
          marca = p_.prazo.decorridos();
          bMarca = melhor_;
        }
      }
      if (it % a.iteracoesPorSeparacao == 0) {
        // Rows the current set breaks join with multiplier 0; those that
        // have kept 0 for long leave.
        for (int v = 0; v < n_; v++) conjunto[v] = x[v] > 0.5;
        bool mudou = false;
        for (const Ciclo& c : busca_.violados(conjunto, a.linhasPorSeparacao))
          mudou |= pool_.acrescenta(c.vertices, c.rhs, 0.0, it);
        if (it % 200 == 0 && it > 0) {
          pool_.poda(it - 100);
          mudou = true;
        }
        if (mudou) violacaoMedia_.clear();
      }
      // The direction: the violation of the average point.
      const int m = pool_.size();
      if (static_cast<int>(violacaoMedia_.size()) != m) calculaViolacao(media_, violacaoMedia_);
      double norma = 0;
      for (int r = 0; r < m; r++) {
        const double g = violacaoMedia_[r];
        if (pool_.yBarra_[r] <= 0 && g > 0) continue;
        norma += g * g;
      }
      if (norma < 1e-12) break;  // the average point satisfies every row
      const double passo = lambda * std::max(melhor_ - alvo, 1e-3) / norma;
      for (int r = 0; r < m; r++)
        pool_.y_[r] = std::max(0.0, pool_.yBarra_[r] - passo * violacaoMedia_[r]);
      const double b = avalia(pool_.y_, soma, x);
      // The average moves towards the new point by the weight that makes
      // its violation least, within alfaMax.
      calculaViolacao(x, violacaoPonto_);
      double num = 0, den = 0, cosseno = 0;
      for (int r = 0; r < m; r++) {
        const double d = violacaoMedia_[r] - violacaoPonto_[r];
        num += violacaoMedia_[r] * d;
        den += d * d;
        cosseno += violacaoPonto_[r] * violacaoMedia_[r];
      }
      double alfa = den > 0 ? num / den : alfaMax;
      alfa = std::clamp(alfa, alfaMax / 10, alfaMax);
      for (int v = 0; v < n_; v++) media_[v] = alfa * x[v] + (1 - alfa) * media_[v];
      for (int r = 0; r < m; r++)
        violacaoMedia_[r] = alfa * violacaoPonto_[r] + (1 - alfa) * violacaoMedia_[r];
      if (b < melhor_) {
        melhor_ = b;
        pool_.yBarra_ = pool_.y_;
        for (int r = 0; r < m; r++)
          if (pool_.yBarra_[r] > 0) pool_.vivo_[r] = it;
        vermelhos = 0;
        if (cosseno < 0) lambda = std::min(2.0, 1.1 * lambda);  // green: the step could be longer
        publica(it + 1);
      } else if (++vermelhos >= 20) {
        lambda = std::max(PASSO_MINIMO, 0.66 * lambda);
        vermelhos = 0;
      }
      if ((it + 1) % 100 == 0) {
        if (bHa100 - melhor_ < 0.01 * std::max(melhor_ - alvo, 1e-3))
          alfaMax = std::max(ALFA_MINIMO, alfaMax / 2);
        bHa100 = melhor_;
      }
    }
    r->limitante = melhor_;
    r->iteracoes = it;
    r->media = media_;
    r->linhas.clear();
    for (int k = 0; k < pool_.size(); k++) {
      const auto vr = pool_.vertices(k);
      r->linhas.push_back({{vr.begin(), vr.end()}, pool_.rhs_[k], pool_.yBarra_[k]});
    }
  }

 private:
  // B(y), with the subproblem's point (x_v = 1 where the reduced cost is
  // positive) into x.
  double avalia(const std::vector<double>& y, std::vector<double>& soma, std::vector<double>& x) {
    std::fill(soma.begin(), soma.end(), 0.0);
    double b = 0;
    for (int r = 0; r < pool_.size(); r++) {
      if (y[r] <= 0) continue;
      b += y[r] * pool_.rhs_[r];
      for (const int v : pool_.vertices(r)) soma[v] += y[r];
    }
    for (int v = 0; v < n_; v++) {
      const double c = 1.0 - soma[v];
      x[v] = c > 0 ? 1.0 : 0.0;
      if (c > 0) b += c;
    }
    return b;
  }
  void calculaViolacao(const std::vector<double>& x, std::vector<double>& g) const {
    g.resize(pool_.size());
    for (int r = 0; r < pool_.size(); r++) {
      double a = 0;
      for (const int v : pool_.vertices(r)) a += x[v];
      g[r] = pool_.rhs_[r] - a;
    }
  }
  void publica(int64_t it) {
    if (!p_.aoMelhorar) return;
    Ponto pt;
    pt.segundos = p_.prazo.decorridos();
    pt.limitante = melhor_;
    pt.iteracoes = it;
    pt.linhas = pool_.size();
    p_.aoMelhorar(pt);
  }

  const Parametros& p_;
  const int n_;
  Pool pool_;
  CiclosDoConjunto busca_;
  std::vector<double> media_, violacaoMedia_, violacaoPonto_;
  double melhor_ = 0;
};

}  // namespace

void limita(const Parametros& p, Resultado* r) {
  Volume v(p);
  v.executa(r);
}

}  // namespace lagrangiano
