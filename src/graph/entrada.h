// Token reading shared by the two instance readers, and the one way they
// reject a malformed instance (message on stderr, exit status 2).
#ifndef BCT_GRAPH_ENTRADA_H
#define BCT_GRAPH_ENTRADA_H

#include <cstdio>

#include "base/relogio.h"

enum ResultadoLeitura {
  LIDO,           // a decimal integer that fits an int
  FIM_DA_ENTRADA, // only white space was left
  NAO_NUMERICO,   // a token that is not a decimal integer
  FORA_DA_FAIXA   // a decimal integer beyond the range of int
};

struct Leitor {
  std::FILE* in;
  const Prazo* prazo; // reading stops at it
  long token;         // ordinal of the last token read, from 1
  char texto[24];     // its text, cut short when longer
};

void iniciaLeitor(Leitor* l, std::FILE* in, const Prazo& prazo);
ResultadoLeitura leInteiro(Leitor* l, int* valor);
// Rejects the instance for a token that could not be read as `oQue`.
[[noreturn]] void rejeitaToken(const Leitor* l, ResultadoLeitura r, const char* oQue);
// Reads one integer and rejects the instance unless it is there and numeric;
// `oQue` names the expected value in the message ("o sinal da aresta 3").
int leInteiroObrigatorio(Leitor* l, const char* oQue);
// Rejects the instance when anything but white space follows; `depois`
// names what came last ("das 4 arestas declaradas").
void exigeFimDaEntrada(Leitor* l, const char* depois);

// Ends the run when the deadline passes before the instance is read whole:
// a message on stderr saying how far reading got (`lidos` of `declarados`
// items, `oQue` naming them), status 4, no files.  A stop signal ends it the
// same way, with the signal's status (see leituraInterrompida).
void verificaPrazoDeLeitura(const Prazo& prazo, long lidos, long declarados, const char* oQue);

// Ends the run, with nothing written, when a stop signal came while the
// instance was read: a message naming the signal, status 128 + its number.
// Does nothing when none came.  (An input that ends early because the
// signal also stopped the program writing it is no malformed instance.)
void leituraInterrompida();

// Prints "Instancia invalida: <message>" on stderr and ends the process with
// status 2.
[[noreturn]] void rejeitaInstancia(const char* formato, ...)
    __attribute__((format(printf, 1, 2)));

#endif
