// An ascending sweep over keys 0..n-1 (vertices, or their positions in some
// order) that visits the marked keys alone: a key marked ahead of the sweep
// is visited by it, one marked behind waits for the next sweep.  It does what
// a scan of every key would do when unmarked keys are always passed over
// (a counter still at zero that must reach a set's size), at the cost of the
// marked keys: the counting passes of the model rows and of the clique
// separator run over the neighbours of their members only.
#ifndef BCT_BASE_VARREDURAESPARSA_H
#define BCT_BASE_VARREDURAESPARSA_H

#include <algorithm>
#include <functional>
#include <vector>

class VarreduraEsparsa {
 public:
  // n keys, none marked, no sweep under way.
  void dimensiona(int n) {
    marcada_.assign(static_cast<size_t>(n), 0);
    marcadas_.clear();
    fila_.clear();
    varrida_ = -1;
  }
  // Marks a key; false when it was marked already.
  bool marca(int chave) {
    if (marcada_[chave]) return false;
    marcada_[chave] = 1;
    marcadas_.push_back(chave);
    if (chave > varrida_) {
      fila_.push_back(chave);
      std::push_heap(fila_.begin(), fila_.end(), std::greater<int>());
    }
    return true;
  }
  // Every key marked so far, in the order marked.
  const std::vector<int>& marcadas() const { return marcadas_; }
  // Unmarks every key and ends the sweep under way.
  void esquece() {
    for (int k : marcadas_) marcada_[k] = 0;
    marcadas_.clear();
    fila_.clear();
    varrida_ = -1;
  }
  // A new sweep from the front over every key marked so far.
  void recomeca() {
    varrida_ = -1;
    fila_.assign(marcadas_.begin(), marcadas_.end());
    std::make_heap(fila_.begin(), fila_.end(), std::greater<int>());
  }
  // The next key of the sweep, -1 at its end.
  int proxima() {
    if (fila_.empty()) return -1;
    std::pop_heap(fila_.begin(), fila_.end(), std::greater<int>());
    varrida_ = fila_.back();
    fila_.pop_back();
    return varrida_;
  }

 private:
  std::vector<char> marcada_;
  std::vector<int> marcadas_;
  std::vector<int> fila_;  // min-heap of the keys ahead of the sweep
  int varrida_ = -1;       // the key the sweep is at
};

#endif
