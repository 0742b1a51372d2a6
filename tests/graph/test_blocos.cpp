// The block store of list elements: elements stay where they were handed out
// while later blocks are added, and a release leaves it ready for reuse.
#include <gtest/gtest.h>

#include <vector>

#include "graph/blocos.h"

namespace {

struct Par {
  int a;
  long b;
};

TEST(Blocos, ElementosFicamNoLugarEnquantoCrescemEReusamDepoisDeLiberar) {
  Blocos<Par> blocos;
  for (int rodada = 0; rodada < 2; rodada++) {
    std::vector<Par*> dados;
    for (int i = 0; i < 300000; i++) {
      Par* p = blocos.novo();
      ASSERT_NE(p, nullptr);
      *p = {i, -static_cast<long>(i)};
      dados.push_back(p);
    }
    for (int i = 0; i < 300000; i++) {
      ASSERT_EQ(dados[i]->a, i);
      ASSERT_EQ(dados[i]->b, -i);
    }
    blocos.libera();
  }
}

}  // namespace
