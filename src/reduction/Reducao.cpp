// The reduction's results and the rebuild of a solution of the input graph.
#include "reduction/Reducao.h"

#include <stdexcept>

#include "reduction/redutor.h"

Reducao::Reducao(const GrafoSimples& g, const Prazo& prazo) {
  Redutor redutor(g, prazo, *this);
  redutor.executa();
  redutor.separaPecas();
}

// The rebuilt set is balanced, by induction over the reduction's steps in
// reverse.  The graph after the last step is the disjoint union of the
// pieces, and the union of balanced sets of each is balanced in it.  Each
// step turned a graph G into G' and carries a balanced set S' of G' to a
// balanced set S of G with as many more vertices as it added to the fixed
// value (the argument sits at each rule): a taken vertex is added, a dropped
// one stays out, a solved block adds its solution for the state of its cut
// vertex.  Doing every step at once gives the same set, since each step only
// decides its own vertices, and a block's cut vertex is decided by a later
// step (or a piece), which the reverse order settles first.
std::vector<char> Reducao::reconstroi(const std::vector<std::vector<char>>& escolhidos) const {
  if (escolhidos.size() != pecas_.size())
    throw std::invalid_argument("reconstroi: um conjunto por peca");
  std::vector<char> escolhido(destino_.size(), 0);
  for (size_t v = 0; v < destino_.size(); v++) escolhido[v] = destino_[v] == Destino::tomado;
  for (size_t i = 0; i < pecas_.size(); i++) {
    const std::vector<int>& original = pecas_[i].original;
    if (escolhidos[i].size() != original.size())
      throw std::invalid_argument("reconstroi: um valor por vertice da peca");
    for (size_t j = 0; j < original.size(); j++) escolhido[original[j]] = escolhidos[i][j] != 0;
  }
  for (auto b = blocos_.rbegin(); b != blocos_.rend(); ++b) {
    const std::vector<char>& solucao = b->corte >= 0 && escolhido[b->corte] ? b->comCorte : b->semCorte;
    for (size_t j = 0; j < b->vertices.size(); j++) escolhido[b->vertices[j]] = solucao[j];
  }
  return escolhido;
}

std::vector<std::pair<const char*, int64_t>> Reducao::contagens() const {
  static const char* const nome[numRegras] = {
      "isolado",       "grau1",          "grau1Dupla",     "grau2",
      "simplicial",    "cliqueDupla",    "dominacaoDupla", "blocoCorteFica",
      "blocoCorteSai", "componentePequena"};
  std::vector<std::pair<const char*, int64_t>> r;
  for (int i = 0; i < numRegras; i++) r.push_back({nome[i], contagem_[i]});
  return r;
}
