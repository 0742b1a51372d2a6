// Vertex sets of the exact search as arrays of 64-bit words: the few
// word-level operations its colouring and branching are made of.
#ifndef BCT_COMBINATORIO_BITS_H
#define BCT_COMBINATORIO_BITS_H

#include <bit>
#include <cstdint>

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

}  // namespace combinatorio::bits

#endif
