// The search shared out among threads: the root is coloured once, and each
// thread takes the root's next branch left, with its own working sets, the
// rows of the graph read by all and the incumbent offered to all.  A branch
// holds what it would hold in a search alone: the root's candidates less
// the copies branched on before it (and their mirrors), so with the
// optimum known from the start the threads search the very same tree.
#include <algorithm>
#include <system_error>
#include <thread>

#include "combinatorio/BuscaExata.h"

namespace combinatorio {

void BuscaExata::raizEmParalelo(int linhas, int m) {
  const std::vector<int> lista(lista_.begin(), lista_.begin() + m), cor(cor_.begin(), cor_.begin() + m);
  Partilha partilha;
  partilha.valor = valor_;
  partilha.melhor = melhor_;
  partilha.noMelhor = noMelhor_;
  partilha.nos = nos_;
  partilha.linhas = linhas;
  partilha.corDaLinha = std::make_unique<std::atomic<int>[]>(linhas);
  for (int t = 0; t < linhas; t++) partilha.corDaLinha[t] = 0;
  std::vector<std::unique_ptr<BuscaExata>> buscas;
  for (int t = 0; t < linhas; t++) {
    buscas.push_back(std::unique_ptr<BuscaExata>(new BuscaExata(*this, Linha{})));
    // One thread speaks for all.
    if (t == 0) buscas[t]->progresso_ = progresso_;
  }
  {
    // The calling thread searches too, as the one that reports progress.
    // A thread the system refuses is done without: the others take its
    // branches, as every thread takes the next branch left.
    std::vector<std::jthread> fios;
    for (int t = 1; t < linhas; t++) {
      try {
        fios.emplace_back([&, t] { buscas[t]->trabalha(partilha, lista, cor, candidatos_[0], t); });
      } catch (const std::system_error&) {
        break;
      }
    }
    buscas[0]->trabalha(partilha, lista, cor, candidatos_[0], 0);
  }
  for (const auto& b : buscas) {
    nos_ += b->nos_;
    parou_ = parou_ || b->parou_;
    limiteAberto_ = std::max(limiteAberto_, b->limiteAberto_);
  }
  valor_ = partilha.valor;
  melhor_ = partilha.melhor;
  noMelhor_ = partilha.noMelhor;
}

void BuscaExata::trabalha(Partilha& partilha, const std::vector<int>& lista, const std::vector<int>& cor,
                          const std::vector<uint64_t>& raiz, int indice) {
  partilha_ = &partilha;
  valor_ = partilha.valor;
  escolhidas_.assign(n_ + 1, 0);
  candidatos_.assign(2, std::vector<uint64_t>(w_, 0));
  const int m = static_cast<int>(lista.size());
  for (;;) {
    const int i = m - 1 - partilha.proximo.fetch_add(1);
    if (i < 0) break;
    valor_ = std::max(valor_, partilha.valor.load());
    if (cor[i] <= valor_) break;  // and so every branch after it
    partilha.corDaLinha[indice] = cor[i];
    uint64_t* p = candidatos_[0].data();
    std::copy(raiz.begin(), raiz.end(), p);
    for (int j = i + 1; j < m; j++) {
      bits::desliga(p, lista[j]);
      if (ajustes_.simetria) bits::desliga(p, espelho(lista[j]));
    }
    const int x = lista[i];
    if (!bits::testa(p, x)) continue;  // the mirror of a copy already branched on
    if (Relogio::now() >= prazo_) parou_ = true;
    if (!parou_) {
      escolhidas_[0] = x;
      uint64_t* filho = candidatos_[1].data();
      const uint64_t* h = compat(x);
      uint64_t algum = 0;
      for (int j = 0; j < w_; j++) algum |= filho[j] = p[j] & h[j];
      if (algum != 0) expandeDe(1, 1);
      else if (valor_ < 1) registra(1);
    }
    if (parou_) {
      limiteAberto_ = std::max(limiteAberto_, cor[i]);
      break;
    }
  }
  partilha.corDaLinha[indice] = 0;
  partilha.nos += nos_ - nosContados_;
  nosContados_ = nos_;
}

}  // namespace combinatorio
