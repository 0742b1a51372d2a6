// The solution file while the run goes on: the rate of its writes, the set
// lifted onto the input, checked, then written like the final file.
#include "driver/solucaoViva.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/relogio.h"
#include "driver/relatorio.h"
#include "driver/solucao.h"

namespace {

// Seconds between two writes: a large set costs a balance check and a
// synced file, which a search improving its set every node must not pay.
const double INTERVALO = 5.0;

}  // namespace

SolucaoViva::SolucaoViva(const char* arquivo, const GrafoSimples& entrada, int arestas,
                         const Prazo& execucao)
    : arquivo_(arquivo), execucao_(execucao), entrada_(entrada), arestas_(arestas) {}

bool SolucaoViva::devida(double valor) {
  if (arquivo_ == nullptr || valor < -1e19) return false;
  std::lock_guard<std::mutex> trava(mutex_);
  if (valor < valorGravado_ + 0.5) return false;
  return execucao_.decorridos() - ultimaGravacao_ >= INTERVALO || valorGravado_ < 0;
}

void SolucaoViva::grava(const std::vector<char>& escolhido, double limitante) {
  std::lock_guard<std::mutex> trava(mutex_);
  Relatorio rel;
  rel.escolhido = escolhido;
  if (!equilibrado(entrada_, rel.escolhido, &rel.lados)) return;
  const int n = entrada_.numVertices();
  rel.vertices = n;
  rel.arestas = arestas_;
  rel.zstar = static_cast<double>(std::count(rel.escolhido.begin(), rel.escolhido.end(), 1));
  rel.limitante = std::min<double>(n, limitante);
  // A file that cannot be written now is reported by the final write.
  if (escreveSolucao(arquivo_, rel, execucao_.decorridos(), true) != 0) return;
  valorGravado_ = rel.zstar;
  ultimaGravacao_ = execucao_.decorridos();
}
