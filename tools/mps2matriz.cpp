// mps2matriz: the constraint matrix of a linear program in MPS (fixed or
// free format, read by CoinUtils) to the solver's matrix form: one row per
// constraint row, one column per variable, each entry the sign of the
// coefficient (0, 1 or -1).
//
//   mps2matriz entrada.mps matriz.txt [linhas.txt]
//
// The objective row is not a constraint and is left out.  With a third
// file, the name of each row as "row name" lines (rows numbered from 0, as
// the solver numbers the vertices), for reading a solution by row names.
// The files are written whole, or not at all.  Exit 0, or 2 with a message when the MPS
// file cannot be read or the output cannot be written.
#include <coin/CoinMpsIO.hpp>
#include <coin/CoinPackedMatrix.hpp>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gravaInteiro.h"

namespace {

[[noreturn]] void falha(const std::string& mensagem) {
  std::fprintf(stderr, "mps2matriz: %s\n", mensagem.c_str());
  std::exit(2);
}

// CoinUtils tells fixed from free format by itself; its messages stay quiet.
bool le(CoinMpsIO& mps, const char* caminho) {
  mps.messageHandler()->setLogLevel(0);
  return mps.readMps(caminho, "") == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) falha("uso: mps2matriz entrada.mps matriz.txt [linhas.txt]");
  if (std::FILE* f = std::fopen(argv[1], "r")) std::fclose(f);
  else falha(std::string("nao foi possivel abrir ") + argv[1] + ": " + std::strerror(errno));
  CoinMpsIO mps;
  if (!le(mps, argv[1])) falha(std::string(argv[1]) + ": nao e' um arquivo MPS valido");
  const CoinPackedMatrix* porLinha = mps.getMatrixByRow();
  const int linhas = mps.getNumRows(), colunas = mps.getNumCols();
  std::string saida = std::to_string(linhas) + " " + std::to_string(colunas) + "\n";
  std::vector<int> linha(static_cast<size_t>(colunas));
  for (int i = 0; i < linhas; i++) {
    std::fill(linha.begin(), linha.end(), 0);
    const CoinShallowPackedVector v = porLinha->getVector(i);
    for (int k = 0; k < v.getNumElements(); k++)
      if (v.getElements()[k] != 0) linha[v.getIndices()[k]] += v.getElements()[k] > 0 ? 1 : -1;
    for (int j = 0; j < colunas; j++)
      saida += (j ? " " : "") + std::to_string(linha[j] > 0 ? 1 : linha[j] < 0 ? -1 : 0);
    saida += "\n";
  }
  std::string nomes;
  if (argc == 4)
    for (int i = 0; i < linhas; i++) nomes += std::to_string(i) + " " + mps.rowName(i) + "\n";
  const std::string erro = gravaInteiro(argv[2], saida);
  if (!erro.empty()) falha(std::string("nao foi possivel gravar ") + argv[2] + ": " + erro);
  if (argc == 4) {
    const std::string erroNomes = gravaInteiro(argv[3], nomes);
    if (!erroNomes.empty()) {
      std::remove(argv[2]);
      falha(std::string("nao foi possivel gravar ") + argv[3] + ": " + erroNomes);
    }
  }
  std::fprintf(stderr, "mps2matriz: %d linhas, %d colunas\n", linhas, colunas);
  return 0;
}
