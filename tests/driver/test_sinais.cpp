// Real runs stopped by signals: a stop signal ends a long search in every
// mode the way the time limit does (report, record line, a solution file the
// checker accepts, a bound at least the value, status 128 + the signal); a
// second one ends it at once leaving no half file; one that comes while the
// instance is read leaves nothing written; and a run killed outright still
// leaves its best set in the solution file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "search/executa.h"

namespace {

namespace fs = std::filesystem;
using Relogio = std::chrono::steady_clock;

// BCTovsel started in `dir` on `instancia` (or on the pipe `entrada` when
// it is not -1), stdout and stderr to files there.
pid_t inicia(const std::string& dir, const std::vector<std::string>& args,
             const std::string& instancia, int entrada = -1) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (chdir(dir.c_str()) != 0) _exit(97);
  const int in = entrada >= 0 ? entrada : open(instancia.c_str(), O_RDONLY);
  const int out = open("saida.txt", O_WRONLY | O_CREAT | O_TRUNC, 0666);
  const int err = open("erro.txt", O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (in < 0 || out < 0 || err < 0) _exit(98);
  dup2(in, 0);
  dup2(out, 1);
  dup2(err, 2);
  std::vector<char*> argv{const_cast<char*>(BCTOVSEL_EXE)};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  execv(BCTOVSEL_EXE, argv.data());
  _exit(99);
}

// The exit status, or -1 when it did not exit.
int espera(pid_t pid) {
  int w = 0;
  while (waitpid(pid, &w, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(w) ? WEXITSTATUS(w) : -1;
}

double segundosDesde(Relogio::time_point t) {
  return std::chrono::duration<double>(Relogio::now() - t).count();
}

// The number after `chave ` in the solution file's header.
double doCabecalho(const std::string& texto, const std::string& chave) {
  for (const std::string& l : linhas(texto))
    if (l.rfind("# " + chave + " ", 0) == 0) return std::stod(l.substr(chave.size() + 3));
  ADD_FAILURE() << "sem # " << chave << " em\n" << texto;
  return -1;
}

// Files left in dir whose name starts with "sol.txt." (temporary ones).
int temporarios(const std::string& dir) {
  int n = 0;
  for (const auto& a : fs::directory_iterator(dir))
    if (a.path().filename().string().rfind("sol.txt.", 0) == 0) n++;
  return n;
}

TEST(Sinais, ParamUmaBuscaLongaComoOLimiteDeTempoEmTodosOsModos) {
  const struct {
    std::vector<std::string> opcoes;
    int sinal;
    const char* nome;
  } casos[] = {{{}, SIGINT, "SIGINT"},           {{}, SIGTERM, "SIGTERM"},
               {{"-r"}, SIGINT, "SIGINT"},       {{"-r"}, SIGTERM, "SIGTERM"},
               {{"-c"}, SIGTERM, "SIGTERM"},     {{"-c", "-j", "2"}, SIGINT, "SIGINT"},
               {{"-a"}, SIGINT, "SIGINT"},       {{"-a", "-r"}, SIGHUP, "SIGHUP"},
               {{"-j", "2"}, SIGINT, "SIGINT"},  {{"-r", "-j", "3"}, SIGTERM, "SIGTERM"},
               {{"-a", "-f", "-"}, SIGINT, "SIGINT"}};
  DiretorioTemporario base;
  const std::string grafo = grafoEsparso(base / "esparso.txt");
  for (const auto& c : casos) {
    std::string nome = c.nome;
    for (const std::string& o : c.opcoes) nome += " " + o;
    SCOPED_TRACE(nome);
    DiretorioTemporario dir;
    std::vector<std::string> args = c.opcoes;
    args.insert(args.end(), {"-s", "sol.txt", "1110"});
    const pid_t pid = inicia(dir.caminho(), args, grafo);
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    ASSERT_EQ(kill(pid, c.sinal), 0);
    const Relogio::time_point enviado = Relogio::now();
    const int status = espera(pid);
    // Within milliseconds when the machine is idle; the margin is for a
    // loaded one and for the sanitizers.
    EXPECT_LT(segundosDesde(enviado), 5.0);
    EXPECT_EQ(status, 128 + c.sinal);
    const std::string saida = leArquivo(dir / "saida.txt");
    const std::string erro = leArquivo(dir / "erro.txt");
    EXPECT_NE(saida.find("Estatisticas finais:"), std::string::npos) << saida;
    EXPECT_NE(saida.find(".melhor limitante dual"), std::string::npos) << saida;
    EXPECT_NE(erro.find(std::string("interrompido por ") + c.nome), std::string::npos) << erro;
    // With -f the last line says so too.
    if (!c.opcoes.empty() && c.opcoes.back() == "-") {
      EXPECT_EQ(linhas(saida).back().rfind(std::string("Estado final: interrompido por ") + c.nome +
                                               ", valor ", 0), 0u) << saida;
    }
    const std::vector<std::string> registro = linhas(leArquivo(dir / "BC_Improved_Vesku_Pre.out"));
    ASSERT_EQ(registro.size(), 1u);
    const std::vector<std::string> f = campos(registro[0]);
    ASSERT_EQ(f.size(), 19u);
    EXPECT_TRUE(fs::exists(dir / "tovsel.dir"));
    // The final file: checked, no longer marked as going on, its bound at
    // least its value (and equal to the record's).
    const std::string sol = leArquivo(dir / "sol.txt");
    EXPECT_EQ(sol.find("# em andamento"), std::string::npos);
    const Execucao v = executaVerifica("'" + grafo + "' '" + dir / "sol.txt" + "'");
    EXPECT_EQ(v.status, 0) << v.saida << v.erro;
    const double valor = doCabecalho(sol, "valor");
    EXPECT_EQ(valor, std::stod(f[5]));
    EXPECT_GT(valor, 0);
    EXPECT_GE(doCabecalho(sol, "limitante"), valor);
    EXPECT_EQ(std::stod(f[8]), doCabecalho(sol, "limitante"));
    EXPECT_EQ(temporarios(dir.caminho()), 0);
  }
}

// Two signals in a row: the second ends the run at once, and whatever it
// interrupted, the solution file is whole or absent.
TEST(Sinais, UmSegundoSinalTerminaLogoSemArquivoPelaMetade) {
  DiretorioTemporario dir;
  const std::string grafo = grafoEsparso(dir / "esparso.txt");
  const pid_t pid = inicia(dir.caminho(), {"-s", "sol.txt", "1110"}, grafo);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  ASSERT_EQ(kill(pid, SIGTERM), 0);
  ASSERT_EQ(kill(pid, SIGINT), 0);
  const int status = espera(pid);
  EXPECT_TRUE(status == 128 + SIGINT || status == 128 + SIGTERM) << status;
  EXPECT_EQ(temporarios(dir.caminho()), 0);
  if (fs::exists(dir / "sol.txt")) {
    const Execucao v = executaVerifica("'" + grafo + "' '" + dir / "sol.txt" + "'");
    EXPECT_EQ(v.status, 0) << v.saida << v.erro;
  }
}

// A signal while the instance is still coming: the run ends when its input
// does (the program writing it stopped by the same Ctrl-C), as interrupted,
// not as a malformed instance, and writes nothing.
TEST(Sinais, DuranteALeituraNadaEGravado) {
  DiretorioTemporario dir;
  int tubo[2];
  ASSERT_EQ(pipe2(tubo, O_CLOEXEC), 0);  // the child keeps only its stdin end
  const pid_t pid = inicia(dir.caminho(), {"-s", "sol.txt", "1110"}, "", tubo[0]);
  close(tubo[0]);
  const std::string comeco = "100 500\n0 1 1\n";
  ASSERT_EQ(write(tubo[1], comeco.data(), comeco.size()), static_cast<ssize_t>(comeco.size()));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_EQ(kill(pid, SIGINT), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  close(tubo[1]);
  EXPECT_EQ(espera(pid), 128 + SIGINT);
  EXPECT_NE(leArquivo(dir / "erro.txt").find("Interrompido por SIGINT durante a leitura"),
            std::string::npos)
      << leArquivo(dir / "erro.txt");
  EXPECT_FALSE(fs::exists(dir / "sol.txt"));
  EXPECT_FALSE(fs::exists(dir / "tovsel.dir"));
  EXPECT_FALSE(fs::exists(dir / "BC_Improved_Vesku_Pre.out"));
  // What was printed before the signal is there.
  EXPECT_NE(leArquivo(dir / "saida.txt").find("numero de arcos: 500"), std::string::npos);
}

// SIGKILL cannot be caught: the file written at the first improvement, while
// the search went on, is what is left, marked as such, and it checks.
TEST(Sinais, MortoComSIGKILLDeixaOMelhorConjuntoDoCaminho) {
  const std::vector<std::string> modos[] = {{}, {"-c"}, {"-r"}};
  DiretorioTemporario base;
  const std::string grafo = grafoEsparso(base / "esparso.txt");
  for (const auto& modo : modos) {
    SCOPED_TRACE(modo.empty() ? "" : modo[0]);
    DiretorioTemporario dir;
    std::vector<std::string> args = modo;
    args.insert(args.end(), {"-s", "sol.txt", "1110"});
    const pid_t pid = inicia(dir.caminho(), args, grafo);
    const Relogio::time_point inicio = Relogio::now();
    while (!fs::exists(dir / "sol.txt") && segundosDesde(inicio) < 30)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(kill(pid, SIGKILL), 0);
    espera(pid);
    const std::string sol = leArquivo(dir / "sol.txt");
    EXPECT_NE(sol.find("# em andamento"), std::string::npos) << sol;
    EXPECT_GE(doCabecalho(sol, "limitante"), doCabecalho(sol, "valor"));
    const Execucao v = executaVerifica("'" + grafo + "' '" + dir / "sol.txt" + "'");
    EXPECT_EQ(v.status, 0) << v.saida << v.erro;
    EXPECT_EQ(temporarios(dir.caminho()), 0);
    // Nothing printed before the search is lost.
    EXPECT_NE(leArquivo(dir / "saida.txt").find("numero de arcos:"), std::string::npos);
  }
}

}  // namespace
