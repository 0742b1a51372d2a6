// The initial model: one 0/1 column per vertex, clique rows over double
// edges, odd negative cycle rows, and the K1K2 clique rows added after load.
#ifndef BCT_MODEL_MODELO_H
#define BCT_MODEL_MODELO_H

#include <cstdio>
#include <vector>

#include "base/relogio.h"
#include "graph/grafo.h"
#include "optimizer/xprs.h"

// The loaded rows of a store's model, built once: contaModelo builds them
// and reports the rows and elements cargaDosVetores then writes, so that its
// arrays can be sized to fit; without it, cargaDosVetores builds them
// itself.  The store's arc weights are rewritten on the way.
class ModeloInicial {
 public:
  // The counts are printed on `saida` when `relata` is set.  Past the
  // deadline the rows found so far make the model.
  ModeloInicial(Armazem& grafo, const Prazo& prazo, std::FILE* saida, bool relata)
      : grafo_(grafo), prazo_(prazo), saida_(saida), relata_(relata) {}

  void contaModelo(int* linhas, int* elementos);
  int cargaDosVetores(char* qgtype, double* obj, double* dlb, double* dub, int* mgcols,
                      char* qrtype, double* rhs, int* mstart, int* mrwind, double* dmatval);

  int nCliqueIndSetIF = 0;  // clique rows of the loaded model
  int nCycleIF = 0;         // cycle rows of the loaded model

 private:
  void geraLinhas();

  Armazem& grafo_;
  const Prazo prazo_;
  std::FILE* saida_;
  bool relata_;
  bool preparado_ = false;
  int nClique_ = 0, nCiclo_ = 0;
  std::vector<std::vector<int>> linhasDaColuna_, ciclos_;
};

// Adds the store's K1K2 rows to the loaded problem and returns how many
// (nCliqueSigIF), those found by the deadline; the count is printed on
// `saida` when `relata` is set.
int gerarDesigualdadesClique(XPRSprob prob, const Armazem& grafo, const Prazo& prazo,
                             std::FILE* saida, bool relata);

#endif
