// The search shared out among threads.  The root is coloured once; a
// thread takes the root's next branch left, colours its node and leaves that
// node's branches open, and every thread takes open branches before the
// next root branch (a root branch alone may hold a sixth of the work).  Each
// thread has its own working sets; the rows of the graph are read by all
// and the incumbent offered to all.  A branch holds what it would hold in a
// search alone: its parent's candidates less the copies branched on before
// it (at the root also their mirrors), so with the optimum known from the
// start the threads search the very same tree.
#include <algorithm>
#include <system_error>
#include <thread>

#include "base/parada.h"
#include "combinatorial/BuscaExata.h"

namespace combinatorio {

// A root branch opened by the thread that took it: its node at depth 1,
// coloured, whose own branches any thread may take.
struct BuscaExata::NoAberto {
  int cor = 0;      // the root branch's clique index: a bound on all below it
  int tamanho = 0;  // copies chosen: the root's branch and those taken without branching
  std::vector<int> escolhidas;
  std::vector<uint64_t> candidatos;  // what is left after them
  std::vector<int> lista, cores;     // its branches and their cliques, as coloured
  std::atomic<int> proximo{0};       // its branches taken, from the last one
  std::atomic<bool> podado{false};   // those left cannot beat the best set
  bool temRamos() const { return !podado && proximo.load() < static_cast<int>(lista.size()); }
};

bool BuscaExata::ramo(const uint64_t* p, int x, uint64_t* filho) const {
  const uint64_t* h = compat(x);
  uint64_t algum = 0;
  for (int j = 0; j < w_; j++) algum |= filho[j] = p[j] & h[j];
  return algum != 0;
}

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
    if (t == 0) {
      buscas[t]->progresso_ = progresso_;
      buscas[t]->vigia_ = vigia_;
    }
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
  if (parou_) {
    // What the deadline left untaken: branches of open nodes, and the next
    // root branch.
    for (const auto& no : partilha.abertos)
      if (no->temRamos()) limiteAberto_ = std::max(limiteAberto_, no->cor);
    const int i = m - 1 - partilha.proximo.load();
    if (i >= 0 && cor[i] > valor_) limiteAberto_ = std::max(limiteAberto_, cor[i]);
  }
}

void BuscaExata::trabalha(Partilha& partilha, const std::vector<int>& lista, const std::vector<int>& cor,
                          const std::vector<uint64_t>& raiz, int indice) {
  partilha_ = &partilha;
  valor_ = partilha.valor;
  escolhidas_.assign(n_ + 1, 0);
  candidatos_.assign(3, std::vector<uint64_t>(w_, 0));
  const int m = static_cast<int>(lista.size());
  // A branch of an open node, if some node has one left (exhausted nodes
  // leave the list on the way).
  auto umAberto = [&]() -> std::shared_ptr<NoAberto> {
    const std::lock_guard<std::mutex> trava(partilha.trava);
    auto& abertos = partilha.abertos;
    abertos.erase(std::remove_if(abertos.begin(), abertos.end(),
                                 [](const std::shared_ptr<NoAberto>& no) { return !no->temRamos(); }),
                  abertos.end());
    return abertos.empty() ? nullptr : abertos.front();
  };
  for (;;) {
    if (const std::shared_ptr<NoAberto> no = umAberto()) {
      const int j = static_cast<int>(no->lista.size()) - 1 - no->proximo.fetch_add(1);
      if (j < 0) continue;
      valor_ = std::max(valor_, partilha.valor.load());
      if (no->tamanho + no->cores[j] <= valor_) {
        no->podado = true;  // and so every branch after it
        continue;
      }
      partilha.corDaLinha[indice] = no->cor;
      if (prazo_.passou()) parou_ = true;
      if (!parou_) {
        // As the node's own loop would: less the branches taken before.
        uint64_t* p = candidatos_[1].data();
        std::copy(no->candidatos.begin(), no->candidatos.end(), p);
        for (size_t k = j + 1; k < no->lista.size(); k++) bits::desliga(p, no->lista[k]);
        const int x = no->lista[j];
        std::copy(no->escolhidas.begin(), no->escolhidas.end(), escolhidas_.begin());
        escolhidas_[no->tamanho] = x;
        if (ramo(p, x, candidatos_[2].data())) {
          contaGrausDe(2);
          expandeDe(2, no->tamanho + 1);
        }
        else if (no->tamanho + 1 > valor_) registra(no->tamanho + 1);
      }
      if (parou_) {
        limiteAberto_ = std::max(limiteAberto_, no->cor);
        break;
      }
      continue;
    }
    if (partilha.proximo.load() >= m) {
      // No root branch left: wait for the threads opening one, then a last
      // look at what they left open (published before they stopped opening).
      if (partilha.abrindo.load() > 0) {
        std::this_thread::yield();
        continue;
      }
      if (umAberto() == nullptr) break;
      continue;
    }
    partilha.abrindo++;
    const int i = m - 1 - partilha.proximo.fetch_add(1);
    std::shared_ptr<NoAberto> no;
    if (i >= 0) {
      valor_ = std::max(valor_, partilha.valor.load());
      if (cor[i] <= valor_) {
        partilha.proximo = m;  // and so every branch after it
      } else {
        partilha.corDaLinha[indice] = cor[i];
        uint64_t* p = candidatos_[0].data();
        std::copy(raiz.begin(), raiz.end(), p);
        for (int j = i + 1; j < m; j++) {
          bits::desliga(p, lista[j]);
          if (ajustes_.simetria) bits::desliga(p, espelho(lista[j]));
        }
        const int x = lista[i];
        // (A copy whose mirror was branched on is left out.)
        if (bits::testa(p, x)) {
          if (prazo_.passou()) parou_ = true;
          if (!parou_) {
            escolhidas_[0] = x;
            if (!ramo(p, x, candidatos_[1].data())) {
              if (valor_ < 1) registra(1);
            } else {
              no = std::make_shared<NoAberto>();
              int tamanho = 1;
              contaGrausDe(1);
              if (abreNo(1, tamanho, no->lista, no->cores) > 0) {
                no->cor = cor[i];
                no->tamanho = tamanho;
                no->escolhidas.assign(escolhidas_.begin(), escolhidas_.begin() + tamanho);
                no->candidatos = candidatos_[1];
                const std::lock_guard<std::mutex> trava(partilha.trava);
                partilha.abertos.push_back(no);
              }
            }
          }
          if (parou_) limiteAberto_ = std::max(limiteAberto_, cor[i]);
        }
      }
    }
    partilha.abrindo--;
    if (parou_) break;
  }
  partilha.corDaLinha[indice] = 0;
  partilha.nos += nos_ - nosContados_;
  nosContados_ = nos_;
}

}  // namespace combinatorio
