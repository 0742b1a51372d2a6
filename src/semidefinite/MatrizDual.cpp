// The relaxation's constraints on the vertices the fixings leave, and M(y).
#include "semidefinite/MatrizDual.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

namespace semidefinida {

namespace {

// A row of r doubles into the cache, a line (eight of them) at a time.
inline void prefetchLinha(const double* x, int r) {
  for (int j = 0; j < r; j += 8) __builtin_prefetch(x + j);
}

}  // namespace

MatrizDual::MatrizDual(const Parametros& p) {
  const GrafoSimples& g = *p.grafo;
  const int n = g.numVertices();
  if (!p.fixos.empty() && static_cast<int>(p.fixos.size()) != n)
    throw std::invalid_argument("semidefinida: fixos de tamanho errado");
  local_.assign(static_cast<size_t>(n), -1);
  for (int v = 0; v < n; v++) {
    const Fixo f = p.fixos.empty() ? Fixo::livre : p.fixos[v];
    if (f == Fixo::fora) continue;
    local_[v] = k_++;
    global_.push_back(v);
    dentro_.push_back(f == Fixo::dentro);
  }
  const std::vector<ArestaSinal> arestas = g.arestas();
  std::vector<int64_t> grau(static_cast<size_t>(k_) + 1, 0);
  for (size_t e = 0; e < arestas.size(); e++) {
    const int u = local_[arestas[e].u], w = local_[arestas[e].w];
    if (u < 0 && w >= 0) meiaAresta_.push_back({w, static_cast<int64_t>(e)});
    if (w < 0 && u >= 0) meiaAresta_.push_back({u, static_cast<int64_t>(e)});
    if (u < 0 || w < 0) continue;
    arestaU_.push_back(u);
    arestaW_.push_back(w);
    sinal_.push_back(static_cast<signed char>(arestas[e].sinal == 2 ? 0 : arestas[e].sinal));
    indiceAresta_.push_back(static_cast<int64_t>(e));
    grau[u + 1]++;
    grau[w + 1]++;
  }
  inicioAdj_.assign(static_cast<size_t>(k_) + 1, 0);
  for (int v = 0; v < k_; v++) inicioAdj_[v + 1] = inicioAdj_[v] + grau[v + 1];
  vizinho_.resize(static_cast<size_t>(inicioAdj_[k_]));
  arestaDoArco_.resize(vizinho_.size());
  std::vector<int64_t> livre(inicioAdj_.begin(), inicioAdj_.end() - 1);
  for (int e = 0; e < numArestas(); e++) {
    const int u = arestaU_[e], w = arestaW_[e];
    vizinho_[livre[u]] = w;
    arestaDoArco_[livre[u]++] = e;
    vizinho_[livre[w]] = u;
    arestaDoArco_[livre[w]++] = e;
  }
  inicioLinha_.push_back(0);
  for (const Linha& l : p.linhas) {
    if (l.vertices.size() != l.coefs.size())
      throw std::invalid_argument("semidefinida: linha com termos e coeficientes desiguais");
    for (size_t t = 0; t < l.vertices.size(); t++) {
      const int v = l.vertices[t];
      if (v < 0 || v >= n) throw std::invalid_argument("semidefinida: vertice fora da peca");
      if (local_[v] < 0 || l.coefs[t] == 0) continue;  // x_v = 0 there
      termoVertice_.push_back(local_[v]);
      termoCoef_.push_back(l.coefs[t]);
    }
    inicioLinha_.push_back(static_cast<int64_t>(termoVertice_.size()));
    rhsLinha_.push_back(l.rhs);
  }
  numNos_ = k_;
  if (!p.ajustes.produtos || k_ == 0) return;
  // W's node 0 is the constant, node 1 + v vertex v's indicator.
  numNos_ = 2 * k_ + 1;
  const int w0 = k_;
  auto wNo = [&](int v) { return k_ + 1 + v; };
  for (int i = 0; i <= k_; i++) {
    noParaGeral_.push_back(primeiraGeral() + numGerais());
    geral({{w0 + i, 1.0}}, {}, 1.0, false);
  }
  geral({{w0, 1.0}}, {}, 1.0, true);
  for (int v = 0; v < k_; v++) {
    geral({{wNo(v), -1.0}}, {{w0, wNo(v), 1.0}}, 0.0, true);
    geral({{v, 1.0}, {wNo(v), -1.0}}, {}, 0.0, true);
  }
  for (int e = 0; e < numArestas(); e++) {
    const int u = arestaU_[e], w = arestaW_[e];
    if (sinal_[e] != 0) {
      geral({}, {{u, w, static_cast<double>(sinal_[e])}, {wNo(u), wNo(w), -1.0}}, 0.0, true);
    } else {
      geral({}, {{u, w, 1.0}}, 0.0, true);
      geral({}, {{wNo(u), wNo(w), 1.0}}, 0.0, true);
    }
  }
}

void MatrizDual::geral(std::vector<std::pair<int, double>> diag,
                       std::vector<std::tuple<int, int, double>> fora, double rhs, bool igual) {
  for (const auto& [no, c] : diag) {
    diagNo_.push_back(no);
    diagCoef_.push_back(c);
  }
  for (const auto& [i, j, c] : fora) {
    foraI_.push_back(i);
    foraJ_.push_back(j);
    foraCoef_.push_back(c);
  }
  inicioDiag_.push_back(static_cast<int64_t>(diagNo_.size()));
  inicioFora_.push_back(static_cast<int64_t>(foraI_.size()));
  rhsGeral_.push_back(rhs);
  igualGeral_.push_back(igual);
}

std::vector<double> MatrizDual::dosMultiplicadores(const Parametros& p,
                                                   const Multiplicadores& m) const {
  std::vector<double> y(static_cast<size_t>(numRestricoes()), 0.0);
  const int mA = numArestas();
  for (int i = 0; i < numLinhas(); i++) {
    const double g = static_cast<size_t>(i) < m.linha.size() ? m.linha[i] : p.linhas[i].dual;
    y[k_ + mA + i] = std::max(0.0, g);
  }
  if (!m.aresta.empty())
    for (int e = 0; e < mA; e++) y[k_ + e] = std::max(0.0, m.aresta[indiceAresta_[e]]);
  if (!m.vertice.empty()) {
    for (int v = 0; v < k_; v++) {
      const double mu = m.vertice[global_[v]];
      y[v] = dentro_[v] ? mu : std::max(0.0, mu);
    }
    if (!m.aresta.empty())
      for (const auto& [w, e] : meiaAresta_) y[w] += std::max(0.0, m.aresta[e]);
  } else {
    // The LP's bound multipliers: what the rows leave uncovered.
    std::vector<double> cobre(static_cast<size_t>(k_), 0.0);
    for (int i = 0; i < numLinhas(); i++)
      for (int64_t t = inicioLinha_[i]; t < inicioLinha_[i + 1]; t++)
        cobre[termoVertice_[t]] += y[k_ + mA + i] * termoCoef_[t];
    for (int v = 0; v < k_; v++) y[v] = dentro_[v] ? 1.0 - cobre[v] : std::max(0.0, 1.0 - cobre[v]);
  }
  // The second block's rows start at 0 (W's part of M is then 0, and the
  // bound the first block's), or where a run with the same fixings left them.
  if (m.produtos.size() == static_cast<size_t>(numGerais()))
    for (int g = 0; g < numGerais(); g++)
      y[primeiraGeral() + g] = igualGeral_[g] ? m.produtos[g] : std::max(0.0, m.produtos[g]);
  return y;
}

Multiplicadores MatrizDual::paraMultiplicadores(const std::vector<double>& y, int nPeca,
                                                int64_t mPeca) const {
  Multiplicadores m;
  m.vertice.assign(static_cast<size_t>(nPeca), 0.0);
  m.aresta.assign(static_cast<size_t>(mPeca), 0.0);
  for (int v = 0; v < k_; v++) m.vertice[global_[v]] = y[v];
  for (int e = 0; e < numArestas(); e++) m.aresta[indiceAresta_[e]] = y[k_ + e];
  m.linha.assign(y.begin() + k_ + numArestas(), y.begin() + primeiraGeral());
  m.produtos.assign(y.begin() + primeiraGeral(), y.end());
  return m;
}

void MatrizDual::valores(const double* R, int r, std::vector<double>& out) const {
  out.resize(static_cast<size_t>(numRestricoes()));
  for (int v = 0; v < k_; v++) {
    const double* a = R + static_cast<size_t>(v) * r;
    double s = 0;
    for (int j = 0; j < r; j++) s += a[j] * a[j];
    out[v] = s;
  }
  // Four edges' products at once: each is summed in its own order, as one
  // at a time would, but the four chains of additions overlap (one alone
  // waits on each addition, and this is most of a step on a large piece).
  const int mA = numArestas();
  int e = 0;
  for (; e + 4 <= mA; e += 4) {
    if (e + 8 <= mA)
      for (int i = 4; i < 8; i++) {
        prefetchLinha(R + static_cast<size_t>(arestaU_[e + i]) * r, r);
        prefetchLinha(R + static_cast<size_t>(arestaW_[e + i]) * r, r);
      }
    const double* a0 = R + static_cast<size_t>(arestaU_[e]) * r;
    const double* b0 = R + static_cast<size_t>(arestaW_[e]) * r;
    const double* a1 = R + static_cast<size_t>(arestaU_[e + 1]) * r;
    const double* b1 = R + static_cast<size_t>(arestaW_[e + 1]) * r;
    const double* a2 = R + static_cast<size_t>(arestaU_[e + 2]) * r;
    const double* b2 = R + static_cast<size_t>(arestaW_[e + 2]) * r;
    const double* a3 = R + static_cast<size_t>(arestaU_[e + 3]) * r;
    const double* b3 = R + static_cast<size_t>(arestaW_[e + 3]) * r;
    double s[4] = {0, 0, 0, 0};
    for (int j = 0; j < r; j++) {
      s[0] += a0[j] * b0[j];
      s[1] += a1[j] * b1[j];
      s[2] += a2[j] * b2[j];
      s[3] += a3[j] * b3[j];
    }
    for (int i = 0; i < 4; i++) {
      const int f = e + i;
      double c = out[arestaU_[f]] + out[arestaW_[f]];
      if (sinal_[f] != 0) c -= sinal_[f] * s[i];
      out[k_ + f] = c;
    }
  }
  for (; e < mA; e++) {
    const int u = arestaU_[e], w = arestaW_[e];
    double c = out[u] + out[w];
    if (sinal_[e] != 0) {
      const double* a = R + static_cast<size_t>(u) * r;
      const double* b = R + static_cast<size_t>(w) * r;
      double s = 0;
      for (int j = 0; j < r; j++) s += a[j] * b[j];
      c -= sinal_[e] * s;
    }
    out[k_ + e] = c;
  }
  for (int i = 0; i < numLinhas(); i++) {
    double s = 0;
    for (int64_t t = inicioLinha_[i]; t < inicioLinha_[i + 1]; t++)
      s += termoCoef_[t] * out[termoVertice_[t]];
    out[k_ + numArestas() + i] = s;
  }
  if (numGerais() == 0) return;
  normas_.resize(static_cast<size_t>(numNos_));
  for (int i = 0; i < numNos_; i++) {
    if (i < k_) {
      normas_[i] = out[i];
      continue;
    }
    const double* a = R + static_cast<size_t>(i) * r;
    double s = 0;
    for (int j = 0; j < r; j++) s += a[j] * a[j];
    normas_[i] = s;
  }
  for (int g = 0; g < numGerais(); g++) {
    double s = 0;
    for (int64_t t = inicioDiag_[g]; t < inicioDiag_[g + 1]; t++) s += diagCoef_[t] * normas_[diagNo_[t]];
    for (int64_t t = inicioFora_[g]; t < inicioFora_[g + 1]; t++) {
      const double* a = R + static_cast<size_t>(foraI_[t]) * r;
      const double* b = R + static_cast<size_t>(foraJ_[t]) * r;
      double q = 0;
      for (int j = 0; j < r; j++) q += a[j] * b[j];
      s += foraCoef_[t] * q;
    }
    out[primeiraGeral() + g] = s;
  }
}

void MatrizDual::diagonal(const std::vector<double>& y, std::vector<double>& d,
                          std::vector<double>* somaAbs) const {
  d.assign(static_cast<size_t>(numNos_), 0.0);
  for (int v = 0; v < k_; v++) d[v] = y[v] - 1.0;
  if (somaAbs != nullptr) {
    somaAbs->assign(static_cast<size_t>(numNos_), 0.0);
    for (int v = 0; v < k_; v++) (*somaAbs)[v] = std::fabs(y[v]) + 1.0;
  }
  for (int g = 0; g < numGerais(); g++) {
    const double yg = y[primeiraGeral() + g];
    if (yg == 0) continue;
    for (int64_t t = inicioDiag_[g]; t < inicioDiag_[g + 1]; t++) {
      d[diagNo_[t]] += yg * diagCoef_[t];
      if (somaAbs != nullptr) (*somaAbs)[diagNo_[t]] += std::fabs(yg * diagCoef_[t]);
    }
  }
  for (int e = 0; e < numArestas(); e++) {
    const double l = y[k_ + e];
    d[arestaU_[e]] += l;
    d[arestaW_[e]] += l;
    if (somaAbs != nullptr) {
      (*somaAbs)[arestaU_[e]] += l;
      (*somaAbs)[arestaW_[e]] += l;
    }
  }
  for (int i = 0; i < numLinhas(); i++) {
    const double gi = y[k_ + numArestas() + i];
    if (gi == 0) continue;
    for (int64_t t = inicioLinha_[i]; t < inicioLinha_[i + 1]; t++) {
      d[termoVertice_[t]] += gi * termoCoef_[t];
      if (somaAbs != nullptr) (*somaAbs)[termoVertice_[t]] += std::fabs(gi * termoCoef_[t]);
    }
  }
}

void MatrizDual::aplica(const std::vector<double>& y, const std::vector<double>& d,
                        const double* X, int r, double* out) const {
  const double* lambda = y.data() + k_;
  for (int v = 0; v < numNos_; v++) {
    double* o = out + static_cast<size_t>(v) * r;
    const double* x = X + static_cast<size_t>(v) * r;
    for (int j = 0; j < r; j++) o[j] = d[v] * x[j];
    if (v >= k_) continue;
    const int64_t fimAdj = inicioAdj_[v + 1];
    for (int64_t a = inicioAdj_[v]; a < fimAdj; a++) {
      // The neighbours' rows are scattered over R: the one a few arcs on is
      // fetched while this one is added.
      if (a + 4 < fimAdj) prefetchLinha(X + static_cast<size_t>(vizinho_[a + 4]) * r, r);
      const int e = arestaDoArco_[a];
      if (sinal_[e] == 0 || lambda[e] == 0) continue;
      const double c = -0.5 * sinal_[e] * lambda[e];
      const double* xw = X + static_cast<size_t>(vizinho_[a]) * r;
      for (int j = 0; j < r; j++) o[j] += c * xw[j];
    }
  }
  for (int g = 0; g < numGerais(); g++) {
    const double yg = y[primeiraGeral() + g];
    if (yg == 0) continue;
    for (int64_t t = inicioFora_[g]; t < inicioFora_[g + 1]; t++) {
      const double c = 0.5 * foraCoef_[t] * yg;
      double* oi = out + static_cast<size_t>(foraI_[t]) * r;
      double* oj = out + static_cast<size_t>(foraJ_[t]) * r;
      const double* xi = X + static_cast<size_t>(foraI_[t]) * r;
      const double* xj = X + static_cast<size_t>(foraJ_[t]) * r;
      for (int j = 0; j < r; j++) {
        oi[j] += c * xj[j];
        oj[j] += c * xi[j];
      }
    }
  }
}

double MatrizDual::parteConstante(const std::vector<double>& y) const {
  // Each partial sum rounds by at most a relative unit, so the computed
  // sum is within (terms) u sum |y_c b_c| of the exact one.
  double s = 0, abs = 0;
  for (int c = 0; c < numRestricoes(); c++) {
    s += y[c] * rhs(c);
    abs += std::fabs(y[c] * rhs(c));
  }
  const double u = std::numeric_limits<double>::epsilon();
  return s + 2.0 * (numRestricoes() + 2) * u * abs;
}

}  // namespace semidefinida
