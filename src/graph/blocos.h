// Storage for list elements of one type, handed out from blocks that double
// in size up to a cap and given back all at once: the millions of edge ends
// and arcs of a large graph cost one allocation per block, not one each, to
// make and to release, and no per-element header.
#ifndef BCT_GRAPH_BLOCOS_H
#define BCT_GRAPH_BLOCOS_H

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <vector>

template <class T>
class Blocos {
 public:
  Blocos() = default;
  Blocos(const Blocos&) = delete;
  Blocos& operator=(const Blocos&) = delete;
  ~Blocos() { libera(); }

  // An uninitialised element, or nullptr when memory is exhausted.
  T* novo() {
    if (usados_ == tamanho_) {
      const size_t tamanho = std::clamp<size_t>(2 * tamanho_, kMenor, kMaior);
      T* bloco = static_cast<T*>(std::malloc(tamanho * sizeof(T)));
      if (bloco == nullptr) return nullptr;
      try {
        blocos_.push_back(bloco);
      } catch (...) {
        std::free(bloco);
        return nullptr;
      }
      tamanho_ = tamanho;
      usados_ = 0;
    }
    return blocos_.back() + usados_++;
  }

  // Every element handed out becomes invalid.
  void libera() {
    for (T* b : blocos_) std::free(b);
    blocos_.clear();
    blocos_.shrink_to_fit();
    tamanho_ = usados_ = 0;
  }

 private:
  static constexpr size_t kMenor = 64, kMaior = size_t{1} << 16;
  std::vector<T*> blocos_;
  size_t tamanho_ = 0, usados_ = 0;
};

#endif
