// Test helper: runs the BCTovsel executable on an instance in a directory of
// its own and collects what it left behind.
#ifndef BCT_TESTS_SEARCH_EXECUTA_H
#define BCT_TESTS_SEARCH_EXECUTA_H

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

inline std::string leArquivo(const std::string& caminho) {
  std::ifstream in(caminho, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::vector<std::string> campos(const std::string& linha) {
  std::istringstream in(linha);
  std::vector<std::string> r;
  for (std::string c; in >> c;) r.push_back(c);
  return r;
}

inline std::vector<std::string> linhas(const std::string& texto) {
  std::vector<std::string> r;
  std::istringstream in(texto);
  for (std::string l; std::getline(in, l);) r.push_back(l);
  return r;
}

// A temporary working directory, removed with everything in it.
class DiretorioTemporario {
 public:
  DiretorioTemporario() {
    std::string modelo = (std::filesystem::temp_directory_path() / "bctovselXXXXXX").string();
    std::vector<char> buf(modelo.begin(), modelo.end());
    buf.push_back('\0');
    caminho_ = mkdtemp(buf.data()) ? std::string(buf.data()) : std::string();
  }
  ~DiretorioTemporario() {
    std::error_code e;
    std::filesystem::permissions(caminho_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, e);
    std::filesystem::remove_all(caminho_, e);
  }
  DiretorioTemporario(const DiretorioTemporario&) = delete;
  DiretorioTemporario& operator=(const DiretorioTemporario&) = delete;
  const std::string& caminho() const { return caminho_; }
  std::string operator/(const std::string& nome) const { return caminho_ + "/" + nome; }

 private:
  std::string caminho_;
};

struct Execucao {
  int status = -1;     // exit status, or -1 when the process did not exit
  std::string saida;   // standard output
  std::string erro;    // standard error
};

// Runs a shell command with its standard output and error sent to the two
// files named, and collects them (the files are removed afterwards).
inline Execucao rodaComando(const std::string& comando, const std::string& saida,
                            const std::string& erro) {
  const int r = std::system((comando + " > '" + saida + "' 2> '" + erro + "'").c_str());
  Execucao e;
  e.status = WIFEXITED(r) ? WEXITSTATUS(r) : -1;
  e.saida = leArquivo(saida);
  e.erro = leArquivo(erro);
  std::remove(saida.c_str());
  std::remove(erro.c_str());
  return e;
}

// Runs `BCTOVSEL_EXE args < instancia` inside dir; `ambiente` is put in front
// of the command (e.g. "BCTOVSEL_TEMPO_MAX=5").
inline Execucao executa(const std::string& dir, const std::string& args,
                        const std::string& instancia, const std::string& ambiente = "") {
  // Kept beside the directory, so that a directory made unwritable on purpose
  // still lets the output be collected.
  return rodaComando("cd '" + dir + "' && " + ambiente + " '" BCTOVSEL_EXE "' " + args + " < '" +
                         instancia + "'",
                     dir + ".saida", dir + ".erro");
}

// A run's standard output without its last line when that is the status
// line of a run given options, to hold it against the run without them.
inline std::string semEstadoFinal(const std::string& saida) {
  const size_t fim = saida.size() > 0 ? saida.rfind('\n', saida.size() - 2) : std::string::npos;
  const size_t inicio = fim == std::string::npos ? 0 : fim + 1;
  return saida.compare(inicio, 14, "Estado final: ") == 0 ? saida.substr(0, inicio) : saida;
}

// Runs one of the project's tools with `args`, in no particular directory.
inline Execucao executaFerramenta(const std::string& exe, const std::string& args) {
  DiretorioTemporario dir;
  return rodaComando("'" + exe + "' " + args, dir / "saida", dir / "erro");
}

inline Execucao executaVerifica(const std::string& args) { return executaFerramenta(VERIFICA_EXE, args); }

// n vertices, each pair joined with probability 0.1, signs at random, drawn
// from `semente`.  Written to `caminho`, which is returned.
inline std::string grafoEsparso(const std::string& caminho, int n, unsigned semente) {
  std::mt19937 rng(semente);
  std::vector<std::string> arestas;
  for (int u = 0; u < n; u++)
    for (int w = u + 1; w < n; w++)
      if (rng() % 10 == 0)
        arestas.push_back(std::to_string(u) + " " + std::to_string(w) + (rng() % 2 ? " 1" : " -1"));
  std::ofstream f(caminho);
  f << n << " " << arestas.size() << "\n";
  for (const std::string& a : arestas) f << a << "\n";
  return caminho;
}

// 130 vertices: far beyond what one second proves, in any mode.
inline std::string grafoEsparso(const std::string& caminho) { return grafoEsparso(caminho, 130, 130); }

#endif
