// Components, one exact search each, and the sums.
#include "combinatorial/Combinatorio.h"

#include <algorithm>
#include <numeric>

#include "base/parada.h"

namespace combinatorio {

namespace {

// Component of each vertex, numbered from 0; returns how many.
int componentes(const GrafoSimples& g, std::vector<int>& comp) {
  const int n = g.numVertices();
  comp.assign(n, -1);
  std::vector<int> pilha;
  int k = 0;
  for (int s = 0; s < n; s++) {
    if (comp[s] >= 0) continue;
    comp[s] = k;
    pilha.assign(1, s);
    while (!pilha.empty()) {
      const int v = pilha.back();
      pilha.pop_back();
      for (const int w : g.vizinhos(v))
        if (comp[w] < 0) {
          comp[w] = k;
          pilha.push_back(w);
        }
    }
    k++;
  }
  return k;
}

}  // namespace

Componente maiorComponente(const GrafoSimples& g) {
  std::vector<int> comp;
  const int k = componentes(g, comp);
  std::vector<Componente> c(k);
  for (int v = 0; v < g.numVertices(); v++) {
    c[comp[v]].vertices++;
    c[comp[v]].arestas += g.grau(v);  // each edge twice
  }
  Componente maior;
  for (const Componente& x : c)
    if (x.vertices > maior.vertices) maior = {x.vertices, x.arestas / 2};
  return maior;
}

ResultadoExato resolveGrafo(const GrafoSimples& g, const std::vector<signed char>& inicial,
                            const Prazo& prazo, Ajustes ajustes,
                            const BuscaExata::Progresso& progresso, const BuscaExata::Vigia* vigia) {
  const int n = g.numVertices();
  std::vector<int> comp;
  const int k = componentes(g, comp);
  std::vector<std::vector<int>> membros(k);
  for (int v = 0; v < n; v++) membros[comp[v]].push_back(v);
  std::vector<int> ordem(k);
  std::iota(ordem.begin(), ordem.end(), 0);
  std::stable_sort(ordem.begin(), ordem.end(),
                   [&](int a, int b) { return membros[a].size() < membros[b].size(); });

  ResultadoExato r;
  r.lado = inicial;
  r.lado.resize(n, -1);
  r.completo = true;
  // First values and sizes of the components after each place in the order.
  std::vector<int> valorDepois(k + 1, 0), tamanhoDepois(k + 1, 0);
  for (int j = k - 1; j >= 0; j--) {
    int valor = 0;
    for (const int v : membros[ordem[j]]) valor += r.lado[v] >= 0;
    valorDepois[j] = valorDepois[j + 1] + valor;
    tamanhoDepois[j] = tamanhoDepois[j + 1] + static_cast<int>(membros[ordem[j]].size());
  }
  std::vector<int> local(n, -1);
  for (int j = 0; j < k; j++) {
    const int c = ordem[j];
    const std::vector<int>& vs = membros[c];
    const int tam = static_cast<int>(vs.size());
    int valorInicial = 0;
    for (const int v : vs) valorInicial += r.lado[v] >= 0;
    if (tam == 1) {  // alone, a vertex is a balanced set
      r.lado[vs[0]] = 0;
      r.valor += 1;
      r.limitante += 1;
      r.limitanteInicial += 1;
      r.limitanteRaiz += 1;
      continue;
    }
    if (!r.completo || prazo.passou()) {
      r.completo = false;
      r.valor += valorInicial;
      r.limitante += tam;
      r.limitanteInicial += tam;
      r.limitanteRaiz += tam;
      continue;
    }
    for (int i = 0; i < tam; i++) local[vs[i]] = i;
    std::vector<ArestaSinal> arestas;
    std::vector<signed char> ladoLocal(tam, -1);
    for (int i = 0; i < tam; i++) {
      const int v = vs[i];
      ladoLocal[i] = r.lado[v];
      const auto viz = g.vizinhos(v);
      const auto sin = g.sinais(v);
      for (size_t j = 0; j < viz.size(); j++)
        if (v < viz[j]) arestas.push_back({i, local[viz[j]], sin[j]});
    }
    const GrafoSimples sub(tam, arestas);
    arestas = {};
    // Progress speaks for the whole graph: the components searched count
    // with their results, the later ones with their first sets and sizes.
    BuscaExata::Progresso daParte;
    if (progresso)
      daParte = [&, valorAntes = r.valor, limitanteAntes = r.limitante](int64_t nos, int abertos, int valor,
                                                                         int limitante) {
        progresso(nos, abertos, valorAntes + valor + valorDepois[j + 1], limitanteAntes + limitante + tamanhoDepois[j + 1]);
      };
    BuscaExata::Vigia vigiaDaParte;
    if (vigia != nullptr && vigia->quer && vigia->recebe) {
      vigiaDaParte.quer = [&, valorAntes = r.valor, limitanteAntes = r.limitante](int valor, int limitante) {
        return vigia->quer(valorAntes + valor + valorDepois[j + 1], limitanteAntes + limitante + tamanhoDepois[j + 1]);
      };
      vigiaDaParte.recebe = [&](const std::vector<signed char>& lado) {
        std::vector<signed char> todo = r.lado;
        for (int i = 0; i < tam; i++) todo[vs[i]] = lado[i];
        vigia->recebe(todo);
      };
    }
    BuscaExata busca(sub, ajustes);
    const ResultadoExato rc = busca.resolve(ladoLocal, prazo, r.nos, daParte, &vigiaDaParte);
    for (int i = 0; i < tam; i++) r.lado[vs[i]] = rc.lado[i];
    r.valor += rc.valor;
    r.limitante += rc.limitante;
    r.limitanteInicial += rc.limitanteInicial;
    r.limitanteRaiz += rc.limitanteRaiz;
    r.nos += rc.nos;
    if (rc.valor > valorInicial && rc.noMelhor > 0) r.noMelhor = rc.noMelhor;
    r.completo = r.completo && rc.completo;
  }
  return r;
}

}  // namespace combinatorio
