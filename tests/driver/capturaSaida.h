// Death tests on standard output: the child writes its stdout to a file that
// the parent reads once the child has ended.
#ifndef BCT_TESTS_DRIVER_CAPTURASAIDA_H
#define BCT_TESTS_DRIVER_CAPTURASAIDA_H

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

inline std::string arquivoDeSaida() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return ::testing::TempDir() + "bct_" + std::to_string(getpid()) + "_" + info->name() + ".out";
}

inline std::string conteudo(const std::string& caminho) {
  std::ifstream in(caminho, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs `comando` in a child with stdout sent to a file; expects exit status
// `status` and leaves the child's stdout in `saida`.
#define EXPECT_SAIDA_E_STATUS(comando, status, saida)                                         \
  do {                                                                                        \
    const std::string arq_ = arquivoDeSaida();                                                \
    std::remove(arq_.c_str());                                                                \
    EXPECT_EXIT(                                                                              \
        {                                                                                     \
          if (std::freopen(arq_.c_str(), "w", stdout) == nullptr) std::_Exit(99);             \
          comando;                                                                            \
        },                                                                                    \
        ::testing::ExitedWithCode(status), "");                                               \
    saida = conteudo(arq_);                                                                   \
    std::remove(arq_.c_str());                                                                \
  } while (0)

#endif
