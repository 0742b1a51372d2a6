// The stop signals' handler and the guard around file writes.  The handler
// only stores into lock-free atomics and, on a second signal, calls _exit:
// both are safe in a signal handler.
#include "base/parada.h"

#include <signal.h>
#include <unistd.h>

std::atomic<int> SINAL_DE_PARADA{0};

namespace {

const int SINAIS[] = {SIGINT, SIGTERM, SIGHUP, SIGXCPU};

std::atomic<int> gravando{0};       // files being written (the main thread writes them)
std::atomic<int> segundoSinal{0};   // a second signal, held back by a write

void aoSinal(int sinal) {
  int nenhum = 0;
  if (SINAL_DE_PARADA.compare_exchange_strong(nenhum, sinal)) return;
  // The second one: at once, unless a file is half written; then the end of
  // the write sees it.  (Both sides store before they load, so one of them
  // always ends the process.)
  segundoSinal.store(sinal);
  if (gravando.load() == 0) _exit(128 + sinal);
}

}  // namespace

void instalaSinais() {
  for (const int sinal : SINAIS) {
    struct sigaction antes;
    if (sigaction(sinal, nullptr, &antes) != 0 || antes.sa_handler == SIG_IGN) continue;
    struct sigaction acao = {};
    acao.sa_handler = aoSinal;
    sigemptyset(&acao.sa_mask);
    // Interrupted reads and writes resume: the run stops at its next clock
    // check, not in the middle of a system call.
    acao.sa_flags = SA_RESTART;
    sigaction(sinal, &acao, nullptr);
  }
}

void iniciaGravacao() { gravando.fetch_add(1); }

void terminaGravacao() {
  gravando.fetch_sub(1);
  const int sinal = segundoSinal.load();
  if (sinal != 0 && gravando.load() == 0) _exit(128 + sinal);
}

int statusDaParada() {
  const int sinal = SINAL_DE_PARADA.load();
  return sinal != 0 ? 128 + sinal : 0;
}

const char* nomeDoSinal(int sinal) {
  switch (sinal) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    case SIGHUP: return "SIGHUP";
    case SIGXCPU: return "SIGXCPU";
    default: return "?";
  }
}
