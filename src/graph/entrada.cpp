// Token reading for the instance readers: whitespace-separated decimal
// integers, counted so that a rejection can say where the fault lies.
#include "graph/entrada.h"

#include <cctype>
#include <climits>
#include <cstdarg>
#include <cstdlib>

#include "base/erro.h"
#include "base/parada.h"
#include "base/relogio.h"

void iniciaLeitor(Leitor* l, std::FILE* in, const Prazo& prazo) {
  l->in = in;
  l->prazo = &prazo;
  l->token = 0;
  l->texto[0] = '\0';
}

ResultadoLeitura leInteiro(Leitor* l, int* valor) {
  int c = std::getc(l->in);
  while (c != EOF && std::isspace(static_cast<unsigned char>(c))) c = std::getc(l->in);
  if (c == EOF) return FIM_DA_ENTRADA;
  l->token++;

  size_t tam = 0;
  const size_t cabe = sizeof l->texto - 1;
  bool negativo = false, soDigitos = true, estourou = false;
  size_t digitos = 0;
  long long acumulado = 0;
  for (; c != EOF && !std::isspace(static_cast<unsigned char>(c)); c = std::getc(l->in), tam++) {
    if (tam < cabe) l->texto[tam] = static_cast<char>(c);
    if (tam == 0 && (c == '-' || c == '+')) {
      negativo = (c == '-');
    } else if (c >= '0' && c <= '9') {
      digitos++;
      if (!estourou) {
        acumulado = acumulado * 10 + (c - '0');
        if (acumulado > static_cast<long long>(INT_MAX) + 1) estourou = true;
      }
    } else {
      soDigitos = false;
    }
  }
  if (tam > cabe) {
    l->texto[cabe - 3] = l->texto[cabe - 2] = l->texto[cabe - 1] = '.';
    tam = cabe;
  }
  l->texto[tam] = '\0';

  if (!soDigitos || digitos == 0) return NAO_NUMERICO;
  if (negativo) acumulado = -acumulado;
  if (estourou || acumulado > INT_MAX || acumulado < INT_MIN) return FORA_DA_FAIXA;
  *valor = static_cast<int>(acumulado);
  return LIDO;
}

void rejeitaToken(const Leitor* l, ResultadoLeitura r, const char* oQue) {
  if (r == FIM_DA_ENTRADA)
    rejeitaInstancia("a entrada acabou onde se esperava %s (token %ld)", oQue, l->token + 1);
  if (r == FORA_DA_FAIXA)
    rejeitaInstancia("%s esta fora da faixa dos inteiros: \"%s\" (token %ld)", oQue, l->texto,
                     l->token);
  rejeitaInstancia("%s nao e' um numero inteiro: \"%s\" (token %ld)", oQue, l->texto, l->token);
}

int leInteiroObrigatorio(Leitor* l, const char* oQue) {
  int valor = 0;
  const ResultadoLeitura r = leInteiro(l, &valor);
  if (r != LIDO) rejeitaToken(l, r, oQue);
  return valor;
}

void exigeFimDaEntrada(Leitor* l, const char* depois) {
  int valor;
  if (leInteiro(l, &valor) != FIM_DA_ENTRADA)
    rejeitaInstancia("conteudo a mais depois %s: \"%s\" (token %ld)", depois, l->texto, l->token);
}

void leituraInterrompida() {
  if (!paradaPedida()) return;
  std::fflush(stdout);
  std::fprintf(stderr, "Interrompido por %s durante a leitura da instancia.\n",
               nomeDoSinal(SINAL_DE_PARADA.load()));
  terminaExecucao(statusDaParada());
}

void verificaPrazoDeLeitura(const Prazo& prazo, long lidos, long declarados, const char* oQue) {
  if (!prazo.passou()) return;
  leituraInterrompida();
  std::fflush(stdout);
  std::fprintf(stderr, "Tempo esgotado durante a leitura da instancia (%s: %ld de %ld).\n", oQue,
               lidos, declarados);
  terminaExecucao(4);
}

void rejeitaInstancia(const char* formato, ...) {
  leituraInterrompida();
  std::fflush(stdout);
  std::fputs("Instancia invalida: ", stderr);
  va_list args;
  va_start(args, formato);
  std::vfprintf(stderr, formato, args);
  va_end(args);
  std::fputs(".\n", stderr);
  terminaExecucao(2);
}
