// The solution file while the run goes on: the rate of its writes, the set
// lifted onto the input, checked, then written like the final file.
#include "driver/solucaoViva.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/erro.h"
#include "base/opcoes.h"
#include "base/relogio.h"
#include "driver/relatorio.h"
#include "driver/solucao.h"
#include "graph/grafo.h"
#include "search/busca.h"

namespace {

// Seconds between two writes: a large set costs a balance check and a
// synced file, which a search improving its set every node must not pay.
const double INTERVALO = 5.0;

const GrafoSimples* grafoEntrada = nullptr;
int arestasEntrada = 0;
double valorGravado = -1e40;   // value of the set on disk
double ultimaGravacao = -1e9;  // elapsed seconds at that write
double valorDeFora = 0, limitanteDeFora = 0;
std::function<std::vector<char>(const std::vector<char>&)> paraAEntrada;

}  // namespace

void iniciaSolucaoViva(const GrafoSimples* entrada, int arestas) {
  grafoEntrada = entrada;
  arestasEntrada = arestas;
  valorGravado = -1e40;
  ultimaGravacao = -1e9;
  solucaoVivaFora(0, 0, nullptr);
}

void solucaoVivaFora(double valorFora, double limitanteFora,
                     std::function<std::vector<char>(const std::vector<char>&)> paraEntrada) {
  valorDeFora = valorFora;
  limitanteDeFora = limitanteFora;
  paraAEntrada = std::move(paraEntrada);
}

bool solucaoVivaDevida(double valor) {
  if (ARQUIVO_SOLUCAO == nullptr || grafoEntrada == nullptr || valor < -1e19) return false;
  if (valorDeFora + valor < valorGravado + 0.5) return false;
  return segundosDecorridos() - ultimaGravacao >= INTERVALO || valorGravado < 0;
}

void gravaSolucaoViva(const std::vector<char>& escolhido, double limitante) {
  Relatorio rel;
  rel.escolhido = paraAEntrada ? paraAEntrada(escolhido) : escolhido;
  if (!equilibrado(*grafoEntrada, rel.escolhido, &rel.lados)) return;
  const int n = grafoEntrada->numVertices();
  rel.vertices = n;
  rel.arestas = arestasEntrada;
  rel.zstar = static_cast<double>(std::count(rel.escolhido.begin(), rel.escolhido.end(), 1));
  rel.limitante = std::min<double>(n, limitanteDeFora + limitante);
  // A file that cannot be written now is reported by the final write.
  if (escreveSolucao(ARQUIVO_SOLUCAO, rel, segundosDecorridos(), true) != 0) return;
  valorGravado = rel.zstar;
  ultimaGravacao = segundosDecorridos();
}

void solucaoVivaDoArmazem() {
  if (!solucaoVivaDevida(zstar)) return;
  std::vector<char> escolhido(static_cast<size_t>(nlin));
  for (int v = 0; v < nlin; v++) escolhido[v] = xstar[v] > 1e-6;
  double limitante = 1e40;
  XPRSgetdblattrib(prob, XPRS_BESTBOUND, &limitante);
  gravaSolucaoViva(escolhido, limitante);
}
