// The instance of -f and the path of -s, before the instance is read.
#include "driver/arquivosDoComando.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/erro.h"
#include "base/opcoes.h"
#include "driver/parametros.h"

namespace {

// Status of a run that cannot write a file it was asked for, as at its end.
const int kFalhaArquivo = 3;
// Status of an instance that cannot be read, as of one not well formed.
const int kEntradaInvalida = 2;

}  // namespace

void abreArquivoDaInstancia() {
  const char* caminho = arquivoDaInstancia();
  if (caminho == nullptr || std::strcmp(caminho, "-") == 0) return;
  int erro = 0;
  if (std::freopen(caminho, "r", stdin) == nullptr) {
    erro = errno;
  } else {
    // A directory opens, and reads as an error: said as what it is.
    struct stat st;
    if (fstat(STDIN_FILENO, &st) == 0 && S_ISDIR(st.st_mode)) erro = EISDIR;
  }
  if (erro == 0) return;
  std::fprintf(stderr, "BCTovsel: nao foi possivel ler a instancia \"%s\": %s\n", caminho,
               std::strerror(erro));
  terminaExecucao(kEntradaInvalida);
}

void confereCaminhoDaSolucao() {
  if (ARQUIVO_SOLUCAO == nullptr) return;
  int erro = 0;
  struct stat st;
  if (stat(ARQUIVO_SOLUCAO, &st) == 0 && S_ISDIR(st.st_mode)) {
    erro = EISDIR;  // what the final rename would meet
  } else {
    std::string modelo = std::string(ARQUIVO_SOLUCAO) + ".XXXXXX";
    const int fd = mkstemp(modelo.data());
    if (fd < 0) {
      erro = errno;
    } else {
      close(fd);
      unlink(modelo.c_str());
    }
  }
  if (erro == 0) return;
  std::fprintf(stderr, "BCTovsel: nao foi possivel gravar \"%s\": %s (visto antes da leitura da "
                       "instancia; nada foi gravado)\n", ARQUIVO_SOLUCAO, std::strerror(erro));
  terminaExecucao(kFalhaArquivo);
}
