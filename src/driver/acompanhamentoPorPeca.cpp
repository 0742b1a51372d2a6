// The whole instance's figures while its pieces are searched: running sums
// kept as each piece's search reports, so that a clock check costs the same
// however many pieces there are.
#include "driver/acompanhamentoPorPeca.h"

#include <algorithm>

namespace {

double tamanho(const std::vector<char>& escolhido) {
  return static_cast<double>(std::count(escolhido.begin(), escolhido.end(), 1));
}

}  // namespace

AcompanhamentoPorPeca::AcompanhamentoPorPeca(const Reducao& reducao,
                                               const std::vector<std::vector<char>>& solucoes,
                                               Progresso* progresso, SolucaoViva* viva)
    : reducao_(reducao), conjuntos_(solucoes), progresso_(progresso), viva_(viva) {
  const std::vector<Peca>& pecas = reducao.pecas();
  valor_.resize(pecas.size());
  limitante_.resize(pecas.size());
  nos_.assign(pecas.size(), 0);
  abertos_.assign(pecas.size(), 0);
  somaValor_ = somaLimitante_ = reducao.valorFixo();
  for (size_t i = 0; i < pecas.size(); i++) {
    valor_[i] = tamanho(solucoes[i]);
    limitante_[i] = pecas[i].grafo.numVertices();
    somaValor_ += valor_[i];
    somaLimitante_ += limitante_[i];
  }
}

Acompanhamento AcompanhamentoPorPeca::daPeca(int i) {
  Acompanhamento a;
  if (progresso_ != nullptr)
    a.progresso = [this, i](long long nos, long long abertos, double valor, double limitante) {
      std::lock_guard<std::mutex> trava(mutex_);
      somaNos_ += nos - nos_[i];
      somaAbertos_ += abertos - abertos_[i];
      nos_[i] = nos;
      abertos_[i] = abertos;
      melhora(i, valor);
      // A search without a bound yet has none for the whole either.
      if (limitante < 1e20) ajustaLimitante(i, limitante);
      progresso_->relata(somaNos_, somaAbertos_, somaValor_, limitante < 1e20 ? somaLimitante_ : 1e40);
    };
  if (viva_ != nullptr) {
    a.quer = [this, i](double valor) {
      std::lock_guard<std::mutex> trava(mutex_);
      return viva_->devida(somaValor_ - valor_[i] + std::max(valor, valor_[i]));
    };
    a.recebe = [this, i](const std::vector<char>& escolhido, double limitante) {
      std::lock_guard<std::mutex> trava(mutex_);
      const double fora = somaLimitante_ - limitante_[i];
      conjuntos_[i] = escolhido;
      melhora(i, tamanho(escolhido));
      viva_->grava(reducao_.reconstroi(conjuntos_), fora + limitante);
    };
  }
  return a;
}

void AcompanhamentoPorPeca::terminou(int i, const ResultadoBusca& r) {
  std::lock_guard<std::mutex> trava(mutex_);
  somaNos_ -= nos_[i];
  somaAbertos_ -= abertos_[i];
  nos_[i] = abertos_[i] = 0;
  if (r.zstar > valor_[i] + 0.5) {
    conjuntos_[i] = r.escolhido;
    melhora(i, r.zstar);
  }
  ajustaLimitante(i, std::max(r.zstar, r.limitante));
}

void AcompanhamentoPorPeca::melhora(int i, double valor) {
  if (!(valor > valor_[i])) return;
  somaValor_ += valor - valor_[i];
  valor_[i] = valor;
}

void AcompanhamentoPorPeca::ajustaLimitante(int i, double limitante) {
  somaLimitante_ += limitante - limitante_[i];
  limitante_[i] = limitante;
}
