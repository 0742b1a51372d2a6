// lista2grafo: a signed edge list as KONECT and SNAP publish them, to the
// solver's graph form, with a map from the new vertex numbers to the ids.
//
//   lista2grafo entrada grafo.txt mapa.txt
//
// Input: one edge a line, "u v [weight [time]]", fields separated by tabs,
// spaces or commas; lines that are empty or begin with '%' or '#' are
// comments.  Ids are any words (compared as numbers when both are whole
// numbers); a missing weight counts as positive.  Direction is ignored, the
// sign of the weight gives the sign, a zero weight is dropped, a pair seen
// with one sign is one edge of that sign and with both one double edge, and
// loops are dropped (their vertices stay, isolated if nothing else joins
// them).  Vertices are numbered from 0 in increasing order of
// their ids; the map file holds "new old" a line.  Both files are written
// whole, or not at all.  Exit 0, or 2 with a message on a malformed line or
// a file that cannot be read or written.
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "gravaInteiro.h"

namespace {

[[noreturn]] void falha(const std::string& mensagem) {
  std::fprintf(stderr, "lista2grafo: %s\n", mensagem.c_str());
  std::exit(2);
}

bool inteiro(const std::string& s, long long* v) {
  if (s.empty()) return false;
  char* fim = nullptr;
  errno = 0;
  *v = std::strtoll(s.c_str(), &fim, 10);
  return errno == 0 && *fim == '\0';
}

// Whole numbers in numeric order, before any other word; words in byte order.
bool antes(const std::string& a, const std::string& b) {
  long long x, y;
  const bool na = inteiro(a, &x), nb = inteiro(b, &y);
  if (na && nb) return x < y;
  if (na != nb) return na;
  return a < b;
}

std::vector<std::string> divide(const std::string& linha) {
  std::vector<std::string> campos;
  std::string atual;
  for (const char c : linha) {
    if (c == ' ' || c == '\t' || c == ',' || c == '\r') {
      if (!atual.empty()) campos.push_back(atual);
      atual.clear();
    } else {
      atual += c;
    }
  }
  if (!atual.empty()) campos.push_back(atual);
  return campos;
}

void grava(const std::string& caminho, const std::string& conteudo) {
  const std::string erro = gravaInteiro(caminho, conteudo);
  if (!erro.empty()) falha("nao foi possivel gravar " + caminho + ": " + erro);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) falha("uso: lista2grafo entrada grafo.txt mapa.txt");
  std::ifstream in(argv[1]);
  if (!in) falha(std::string("nao foi possivel abrir ") + argv[1]);

  std::map<std::pair<std::string, std::string>, int> sinais;  // bit 1 positive, bit 2 negative
  std::vector<std::string> ids;
  std::string linha;
  for (long numero = 1; std::getline(in, linha); numero++) {
    const size_t p = linha.find_first_not_of(" \t\r");
    if (p == std::string::npos || linha[p] == '%' || linha[p] == '#') continue;
    const std::vector<std::string> c = divide(linha);
    const std::string onde = std::string(argv[1]) + ", linha " + std::to_string(numero) + ": ";
    if (c.size() < 2 || c.size() > 4) falha(onde + "esperava \"u v [peso [tempo]]\"");
    double peso = 1;
    if (c.size() >= 3) {
      char* fim = nullptr;
      peso = std::strtod(c[2].c_str(), &fim);
      if (*fim != '\0' || peso != peso) falha(onde + "peso invalido \"" + c[2] + "\"");
    }
    ids.push_back(c[0]);
    ids.push_back(c[1]);
    if (peso == 0 || c[0] == c[1]) continue;
    std::pair<std::string, std::string> par = antes(c[1], c[0]) ? std::make_pair(c[1], c[0])
                                                                 : std::make_pair(c[0], c[1]);
    sinais[std::move(par)] |= peso > 0 ? 1 : 2;
  }
  if (in.bad()) falha(std::string("erro ao ler ") + argv[1]);
  // Every id of a record counts as a vertex, even when all its edges dropped.
  std::sort(ids.begin(), ids.end(), antes);
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  std::map<std::string, int> numero;
  for (size_t i = 0; i < ids.size(); i++) numero[ids[i]] = static_cast<int>(i);

  std::vector<std::array<int, 3>> arestas;
  for (const auto& [par, s] : sinais) {
    const int u = numero[par.first], w = numero[par.second];
    arestas.push_back({std::min(u, w), std::max(u, w), s == 3 ? 2 : s == 1 ? 1 : -1});
  }
  std::sort(arestas.begin(), arestas.end());
  std::string grafo = std::to_string(ids.size()) + " " + std::to_string(arestas.size()) + "\n";
  for (const auto& [u, w, s] : arestas)
    grafo += std::to_string(u) + " " + std::to_string(w) + " " + std::to_string(s) + "\n";
  std::string mapa;
  for (size_t i = 0; i < ids.size(); i++) mapa += std::to_string(i) + " " + ids[i] + "\n";
  grava(argv[2], grafo);
  grava(argv[3], mapa);
  std::fprintf(stderr, "lista2grafo: %zu vertices, %zu arestas\n", ids.size(), arestas.size());
  return 0;
}
