// The threads of the cycle separator's searches: helpers that wait between
// passes, and the ordered hand-back of what they found.
#include "separation/buscasParalelas.h"

#include <system_error>

#include <utility>

BuscasParalelas::BuscasParalelas(int linhas) : pedidas_(linhas) {
  for (int fio = 1; fio < linhas; fio++) {
    try {
      ajudantes_.emplace_back([this, fio] { ajuda(fio); });
    } catch (const std::system_error&) {
      break;
    }
  }
}

BuscasParalelas::~BuscasParalelas() {
  parar_.store(true);
  {
    std::lock_guard<std::mutex> trava(mutex_);
    fim_ = true;
  }
  chamada_.notify_all();
  for (std::thread& t : ajudantes_) t.join();
}

void BuscasParalelas::comeca(std::vector<int> inicios, Busca busca, Dispensa dispensa) {
  std::lock_guard<std::mutex> trava(mutex_);
  inicios_ = std::move(inicios);
  busca_ = std::move(busca);
  dispensa_ = std::move(dispensa);
  const size_t total = inicios_.size();
  if (resultados_.size() < total) resultados_.resize(total);
  if (capacidade_ < total) {
    estados_ = std::make_unique<std::atomic<char>[]>(total);
    capacidade_ = total;
  }
  for (size_t i = 0; i < total; i++) estados_[i].store(LIVRE, std::memory_order_relaxed);
  proxima_.store(0, std::memory_order_relaxed);
  parar_.store(false, std::memory_order_relaxed);
  cursor_ = 0;
  passe_++;
  aberto_ = !ajudantes_.empty() && total > 1;
  if (aberto_) chamada_.notify_all();
}

void BuscasParalelas::ajuda(int fio) {
  long long visto = 0;
  for (;;) {
    {
      std::unique_lock<std::mutex> trava(mutex_);
      chamada_.wait(trava, [&] { return fim_ || (aberto_ && passe_ != visto); });
      if (fim_) return;
      visto = passe_;
      ocupados_++;
    }
    while (!parar_.load(std::memory_order_relaxed) && fazProxima(fio)) {
    }
    {
      std::lock_guard<std::mutex> trava(mutex_);
      ocupados_--;
    }
    saida_.notify_all();
  }
}

bool BuscasParalelas::fazProxima(int fio) {
  const int total = static_cast<int>(inicios_.size());
  if (proxima_.load(std::memory_order_relaxed) >= total) return false;
  const int i = proxima_.fetch_add(1, std::memory_order_relaxed);
  if (i >= total) return false;
  const int v = inicios_[i];
  char estado = DISPENSADA;
  if (!dispensa_ || !dispensa_(v)) {
    busca_(fio, v, resultados_[i]);
    feitas_.fetch_add(1, std::memory_order_relaxed);
    estado = PRONTA;
  }
  estados_[i].store(estado, std::memory_order_release);
  // Only the calling thread ever waits on a result.
  if (fio != 0) estados_[i].notify_one();
  return true;
}

const CaminhoDaBusca& BuscasParalelas::resultadoDe(int v) {
  while (cursor_ < inicios_.size() && inicios_[cursor_] < v) cursor_++;
  if (cursor_ == inicios_.size() || inicios_[cursor_] != v) {
    // No start vertex of the pass: searched here and now.
    busca_(0, v, avulso_);
    feitas_.fetch_add(1, std::memory_order_relaxed);
    return avulso_;
  }
  const int i = static_cast<int>(cursor_);
  // The start vertices before this one are passed over: no thread need take
  // them any more.
  int p = proxima_.load(std::memory_order_relaxed);
  while (p < i && !proxima_.compare_exchange_weak(p, i, std::memory_order_relaxed)) {
  }
  for (;;) {
    const char estado = estados_[i].load(std::memory_order_acquire);
    if (estado == PRONTA) return resultados_[i];
    if (estado == DISPENSADA) {
      // Left on a hint that did not hold: the helpers are done with it.
      busca_(0, v, resultados_[i]);
      feitas_.fetch_add(1, std::memory_order_relaxed);
      estados_[i].store(PRONTA, std::memory_order_relaxed);
      return resultados_[i];
    }
    // Not taken yet, or on a helper: search the next one meanwhile, or wait.
    if (!fazProxima(0)) estados_[i].wait(LIVRE, std::memory_order_acquire);
  }
}

void BuscasParalelas::termina() {
  parar_.store(true, std::memory_order_relaxed);
  std::unique_lock<std::mutex> trava(mutex_);
  aberto_ = false;
  saida_.wait(trava, [&] { return ocupados_ == 0; });
}
