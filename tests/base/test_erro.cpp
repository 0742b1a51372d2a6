// The fatal-error report: its lines, its exit status, and that it works
// before the optimizer has been started.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "driver/capturaSaida.h"
#include "base/erro.h"

TEST(ErrormsgDeathTest, FalhaDeAlocacaoSaiCom255) {
  std::string saida;
  EXPECT_SAIDA_E_STATUS(errormsg("Main: memory allocation error.\n", 63, -1), 255, saida);
  EXPECT_EQ(saida, "The subroutine Main: memory allocation error.\n has failed on line 63\n");
}

TEST(ErrormsgDeathTest, CodigoDoOtimizadorPassaAoStatus) {
  std::string saida;
  EXPECT_SAIDA_E_STATUS(errormsg("Main: Erro na carga do modelo.", 120, 7), 7, saida);
  EXPECT_EQ(saida,
            "The subroutine Main: Erro na carga do modelo. has failed on line 120\n"
            "with error code 7\n");
}

TEST(ErrormsgDeathTest, Codigo32SemProblemaCriado) {
  // Before XPRSinit/XPRScreateprob: the query and the release fail quietly.
  std::string saida;
  EXPECT_SAIDA_E_STATUS(
      errormsg("Main: Erro na chamada da rotina XPRSmaxim.\n", 200, 32, nullptr),
      32, saida);
  EXPECT_EQ(saida,
            "The subroutine Main: Erro na chamada da rotina XPRSmaxim.\n"
            " has failed on line 200\n"
            "with error code 32\n"
            "The Optimizer error number is: 0\n");
}

TEST(ErrormsgDeathTest, Codigo32ComProblemaMostraONumeroDoOtimizador) {
  std::string saida;
  EXPECT_SAIDA_E_STATUS(
      {
        XPRSinit(nullptr);
        XPRSprob prob = nullptr;
        XPRScreateprob(&prob);
        int v;
        XPRSgetintattrib(prob, -12345, &v);  // a failed call leaves an error number
        errormsg("Cortes: Erro na chamada da rotina XPRSloadcuts.\n", 88, 32, prob);
      },
      32, saida);
  EXPECT_TRUE(std::regex_match(saida, std::regex("The subroutine Cortes: Erro na chamada da rotina "
                                                 "XPRSloadcuts.\n has failed on line 88\n"
                                                 "with error code 32\n"
                                                 "The Optimizer error number is: -?[0-9]+\n")))
      << saida;
}
