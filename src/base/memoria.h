// Allocation with the system's one failure path: a failed allocation ends the
// run through errormsg with the memory message and the caller's line.
#ifndef BCT_BASE_MEMORIA_H
#define BCT_BASE_MEMORIA_H

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// malloc of `elementos` elements of `tamanho` bytes; an empty request still
// gets a real block, so that null always means failure.
void* aloca(size_t elementos, size_t tamanho, int linha);

// An array from aloca, owned: freed with its owner or at the next aloca.  It
// stands where a plain pointer did (null until allocated), so that the
// caller's line still names the allocation that failed.
template <class T>
class Arranjo {
 public:
  Arranjo() = default;
  Arranjo(const Arranjo&) = delete;
  Arranjo& operator=(const Arranjo&) = delete;
  ~Arranjo() { libera(); }
  void aloca(size_t elementos, int linha) {
    libera();
    p_ = static_cast<T*>(::aloca(elementos, sizeof(T), linha));
  }
  // Room for `elementos`, the contents kept (realloc); false when refused,
  // the old block then left as it was.
  bool cresce(size_t elementos) {
    T* q = static_cast<T*>(std::realloc(p_, elementos * sizeof(T)));
    if (q == nullptr) return false;
    p_ = q;
    return true;
  }
  void libera() {
    std::free(p_);
    p_ = nullptr;
  }
  operator T*() const { return p_; }

 private:
  T* p_ = nullptr;
};

// Ends the run through the memory failure path, before anything is written,
// when a run over `vertices` and `arestas` would need clearly more memory than
// the machine (and the process limits) can give; says so on stderr with the
// figures.  So an impossible instance is refused within seconds instead of
// failing half-way or being killed.
void exigeMemoria(int64_t vertices, int64_t arestas);
// The same for one branch-and-cut search over a piece of a reduced instance.
void exigeMemoriaDaBusca(int64_t vertices, int64_t arestas);
// The same for any stage that knows its own needs: `precisa` bytes for what
// `descricao` says ("uma instancia de ...").
void exigeBytes(int64_t precisa, const char* descricao);
// The estimate behind them, in bytes (`busca`: a search over the whole
// graph, with the LINHAS threads of its cycle searches; otherwise what
// reading and reducing hold), and what the machine offers (-1 when it cannot
// be told).
int64_t memoriaEstimada(int64_t vertices, int64_t arestas, bool busca);
int64_t memoriaDisponivel();

#endif
