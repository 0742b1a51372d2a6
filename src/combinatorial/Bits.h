// Vertex sets of the exact search as arrays of 64-bit words: the few
// word-level operations its colouring and branching are made of.
#ifndef BCT_COMBINATORIAL_BITS_H
#define BCT_COMBINATORIAL_BITS_H

#include <sys/mman.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace combinatorio::bits {

inline int palavras(int n) { return (n + 63) >> 6; }

inline void liga(uint64_t* a, int i) { a[i >> 6] |= uint64_t{1} << (i & 63); }
inline void desliga(uint64_t* a, int i) { a[i >> 6] &= ~(uint64_t{1} << (i & 63)); }
inline bool testa(const uint64_t* a, int i) { return (a[i >> 6] >> (i & 63)) & 1; }

inline bool vazio(const uint64_t* a, int w) {
  for (int i = 0; i < w; i++)
    if (a[i] != 0) return false;
  return true;
}

inline int conta(const uint64_t* a, int w) {
  int c = 0;
  for (int i = 0; i < w; i++) c += std::popcount(a[i]);
  return c;
}

// Whether a and b share a member.
inline bool cruzam(const uint64_t* a, const uint64_t* b, int w) {
  for (int i = 0; i < w; i++)
    if ((a[i] & b[i]) != 0) return true;
  return false;
}

// Members of a & b, counted up to 2 (the colouring only asks: none, one, more).
inline int contaAteDois(const uint64_t* a, const uint64_t* b, int w, int* unico) {
  int c = 0;
  for (int i = 0; i < w; i++) {
    const uint64_t x = a[i] & b[i];
    if (x == 0) continue;
    c += std::popcount(x);
    if (c > 1) return 2;
    *unico = (i << 6) + std::countr_zero(x);
  }
  return c;
}

// A zeroed block of words for rows of bits.  A large one is aligned to and
// asks for huge pages: its first touch then costs one page fault per 2 MB
// instead of per 4 KB, which on a virtual machine is most of the time it
// takes to fill rows of gigabytes.
class Bloco {
 public:
  Bloco() = default;
  Bloco(const Bloco&) = delete;
  Bloco& operator=(const Bloco&) = delete;
  ~Bloco() { std::free(p_); }

  // At least `palavras` words, all zero; what was there is dropped.
  void zera(size_t palavras) {
    if (palavras > cap_) {
      std::free(p_);
      p_ = nullptr;
      cap_ = 0;
      const bool grande = palavras * sizeof(uint64_t) >= kPagina;
      const size_t alinhamento = grande ? kPagina : 64;
      const size_t bytes =
          (palavras * sizeof(uint64_t) + alinhamento - 1) / alinhamento * alinhamento;
      void* q = std::aligned_alloc(alinhamento, bytes);
      if (q == nullptr) {
        // The run's one failure path for memory, as for any container.
        if (std::new_handler h = std::get_new_handler()) h();
        throw std::bad_alloc();
      }
      if (grande) madvise(q, bytes, MADV_HUGEPAGE);
      p_ = static_cast<uint64_t*>(q);
      cap_ = bytes / sizeof(uint64_t);
      std::memset(p_, 0, bytes);
    } else {
      std::memset(p_, 0, palavras * sizeof(uint64_t));
    }
  }
  // At least `palavras` words, contents undefined.
  void garante(size_t palavras) {
    if (palavras > cap_) zera(palavras);
  }
  uint64_t* data() { return p_; }
  const uint64_t* data() const { return p_; }

 private:
  static constexpr size_t kPagina = size_t{2} << 20;
  uint64_t* p_ = nullptr;
  size_t cap_ = 0;
};

}  // namespace combinatorio::bits

#endif
