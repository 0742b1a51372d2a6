// What the converters share: a file written whole, through a temporary file
// beside it renamed into place, or not at all.
#ifndef BCT_TOOLS_GRAVAINTEIRO_H
#define BCT_TOOLS_GRAVAINTEIRO_H

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

// Empty when written; otherwise the reason, and no file is left behind.
inline std::string gravaInteiro(const std::string& caminho, const std::string& conteudo) {
  const std::string temp = caminho + ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "w");
  if (f == nullptr) return std::strerror(errno);
  const bool ok = std::fwrite(conteudo.data(), 1, conteudo.size(), f) == conteudo.size();
  if (std::fclose(f) != 0 || !ok || std::rename(temp.c_str(), caminho.c_str()) != 0) {
    const int erro = errno;
    std::remove(temp.c_str());
    return std::strerror(erro != 0 ? erro : EIO);
  }
  return "";
}

#endif
