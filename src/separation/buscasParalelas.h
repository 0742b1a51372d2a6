// The shortest-path searches of a separation pass shared among threads, their
// results handed back in the order of their start vertices.  A search is a
// pure function of the round's graph, its weights and the start vertex, so
// the caller, reading the results in that order and applying its own logic
// to them, finds the very cuts of a search done alone, for any number of
// threads.
#ifndef BCT_SEPARATION_BUSCASPARALELAS_H
#define BCT_SEPARATION_BUSCASPARALELAS_H

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct CaminhoDaBusca {
  double comprimento = 0;    // what the search answered
  std::vector<int> caminho;  // after a hit: the walk, as the search's caller keeps it
};

class BuscasParalelas {
 public:
  // The search from start vertex v on thread `fio` (0 the calling thread,
  // 1 .. linhas()-1 the helpers), its result written into r.
  using Busca = std::function<void(int fio, int v, CaminhoDaBusca& r)>;
  // True when the caller is sure to pass over v: the helpers leave it.  Only
  // a hint: should the caller ask for v all the same, it is searched then.
  using Dispensa = std::function<bool(int v)>;

  // `linhas` threads search, the calling one among them; a helper the system
  // refuses is done without.
  explicit BuscasParalelas(int linhas);
  ~BuscasParalelas();
  BuscasParalelas(const BuscasParalelas&) = delete;
  BuscasParalelas& operator=(const BuscasParalelas&) = delete;

  int linhas() const { return static_cast<int>(ajudantes_.size()) + 1; }
  // The threads asked for, whether or not the system gave them all.
  int pedidas() const { return pedidas_; }

  // A pass over `inicios`, start vertices in increasing order: the helpers
  // search them in that order from now on.  Between comeca and termina the
  // graph and weights the searches read must not change.
  void comeca(std::vector<int> inicios, Busca busca, Dispensa dispensa);
  // The result of the search from v, one of the pass's start vertices, each
  // asked for after the ones before it; the calling thread searches too while
  // it waits.  The reference holds until the next call.
  const CaminhoDaBusca& resultadoDe(int v);
  // Ends the pass: returns once no helper searches any more (each finishes
  // the search it is on).
  void termina();
  // Searches done in all, by every thread, since the object was made: the
  // ones the caller never asked for were spent in vain.
  long long feitas() const { return feitas_.load(std::memory_order_relaxed); }

 private:
  enum : char { LIVRE, PRONTA, DISPENSADA };
  void ajuda(int fio);
  // Takes the next search of the pass, if any is left, and does it.
  bool fazProxima(int fio);

  int pedidas_;
  std::vector<std::thread> ajudantes_;
  // The pass: its start vertices, their results and the state of each.
  std::vector<int> inicios_;
  std::vector<CaminhoDaBusca> resultados_;
  std::unique_ptr<std::atomic<char>[]> estados_;
  size_t capacidade_ = 0;
  Busca busca_;
  Dispensa dispensa_;
  std::atomic<int> proxima_{0};  // the next start vertex no thread has taken
  std::atomic<bool> parar_{false};
  std::atomic<long long> feitas_{0};
  size_t cursor_ = 0;  // the caller's place in inicios_
  CaminhoDaBusca avulso_;  // of a vertex the pass does not hold
  // Passes handed to the helpers, under mutex_.
  std::mutex mutex_;
  std::condition_variable chamada_;  // a pass begins, or the end
  std::condition_variable saida_;    // a helper left the pass
  long long passe_ = 0;
  bool aberto_ = false;  // helpers may join the pass
  int ocupados_ = 0;     // helpers in the pass
  bool fim_ = false;
};

#endif
