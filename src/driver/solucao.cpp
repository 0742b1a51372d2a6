// The solution file: header lines beginning with '#', then "vertex side" for
// each chosen vertex in increasing order (vertices, or matrix rows, numbered
// from 0 as in the input).
#include "driver/solucao.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/parada.h"

namespace {

int escreveCorpo(std::FILE* f, const Relatorio& rel, double segundos, bool emAndamento) {
  const bool temSolucao = !rel.escolhido.empty();
  const int valor = valorInteiro(rel.zstar);
  const double limitante = limitanteDual(rel.zstar, rel.limitante);
  std::fprintf(f, "# BCTovsel: solucao\n");
  std::fprintf(f, "# vertices %d arestas %d\n", rel.vertices, rel.arestas);
  if (temSolucao) {
    // The objective is integral: a bound less than one above the value proves it.
    const bool otimo = limitante < valor + 1 - 1e-6;
    std::fprintf(f, "# valor %d\n# limitante %.6f\n# otimo %s\n", valor, limitante,
                 otimo ? "sim" : "nao");
  } else {
    std::fprintf(f, "# sem solucao\n# limitante %.6f\n", limitante);
  }
  std::fprintf(f, "# tempo %.2f s\n", segundos);
  if (emAndamento) std::fprintf(f, "# em andamento\n");
  if (temSolucao)
    for (size_t v = 0; v < rel.escolhido.size(); v++)
      if (rel.escolhido[v]) std::fprintf(f, "%zu %d\n", v, static_cast<int>(rel.lados[v]));
  return std::ferror(f) ? (errno != 0 ? errno : EIO) : 0;
}

int gravaSolucao(const char* caminho, const Relatorio& rel, double segundos, bool emAndamento) {
  std::string modelo = std::string(caminho) + ".XXXXXX";
  const int fd = mkstemp(modelo.data());
  if (fd < 0) return errno;
  std::FILE* f = fdopen(fd, "w");
  if (f == nullptr) {
    const int erro = errno;
    close(fd);
    unlink(modelo.c_str());
    return erro;
  }
  errno = 0;
  int erro = escreveCorpo(f, rel, segundos, emAndamento);
  if (std::fflush(f) != 0 && erro == 0) erro = errno != 0 ? errno : EIO;
  if (erro == 0 && fsync(fileno(f)) != 0) erro = errno;
  if (std::fclose(f) != 0 && erro == 0) erro = errno != 0 ? errno : EIO;
  // mkstemp makes the file private; the solution is as readable as any output.
  if (erro == 0) {
    const mode_t mascara = umask(0);
    umask(mascara);
    if (chmod(modelo.c_str(), 0666 & ~mascara) != 0) erro = errno;
  }
  if (erro == 0 && std::rename(modelo.c_str(), caminho) != 0) erro = errno;
  if (erro != 0) unlink(modelo.c_str());
  return erro;
}

}  // namespace

int escreveSolucao(const char* caminho, const Relatorio& rel, double segundos, bool emAndamento) {
  // A second stop signal waits for the rename: it never leaves the
  // temporary file behind.
  iniciaGravacao();
  const int erro = gravaSolucao(caminho, rel, segundos, emAndamento);
  terminaGravacao();
  return erro;
}
