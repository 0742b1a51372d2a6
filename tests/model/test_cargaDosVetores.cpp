// The initial model arrays: clique rows over double edges, odd negative cycle
// rows, the column-major layout, the printed totals, and agreement with a
// plain version that keeps an n x n cover table and one flag array per row
// and runs the general shortest-path search with the bound 2n.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "graph/instancias.h"
#include "graph/vizinhosFundidos.h"
#include "model/modelo.h"
#include "separation/dijkstra.h"

namespace {

struct Modelo {
  int linhas = 0;
  std::vector<char> qgtype, qrtype;
  std::vector<double> obj, dlb, dub, rhs, dmatval;
  std::vector<int> mgcols, mstart, mrwind;
  std::string saida;

  std::vector<int> coluna(int k) const {
    return {mrwind.begin() + mstart[k], mrwind.begin() + mstart[k + 1]};
  }
  std::set<int> linha(int r) const {
    std::set<int> s;
    for (int k = 0; k + 1 < static_cast<int>(mstart.size()); k++)
      for (int e = mstart[k]; e < mstart[k + 1]; e++)
        if (mrwind[e] == r) s.insert(k);
    return s;
  }
  bool operator==(const Modelo& o) const {
    return linhas == o.linhas && qrtype == o.qrtype && rhs == o.rhs && mstart == o.mstart &&
           mrwind == o.mrwind && dmatval == o.dmatval;
  }
};

using Linhas = std::vector<int>;
using Conjunto = std::set<int>;

class CargaDosVetores : public ComArmazem {
 protected:
  // With `exato`, the arrays get exactly the room contaModelo asks for (the
  // driver's way, so that the sanitizers see any write past it); otherwise a
  // bound of n + narco rows of every column (each clique row starts from an
  // edge of its own, and there is a cycle row per vertex at most).
  Modelo carregaModelo(bool exato = false) {
    ModeloInicial modelo(*armazem_, Prazo(), stdout, true);
    size_t n = nlin, m = nlin + narco, elementos = n * m;
    if (exato) {
      int linhas = -1, e = -1;
      modelo.contaModelo(&linhas, &e);
      m = linhas;
      elementos = e;
    }
    Modelo md;
    md.qgtype.assign(n, 0);
    md.obj.assign(n, 0);
    md.dlb.assign(n, 0);
    md.dub.assign(n, 0);
    md.mgcols.assign(n, 0);
    md.qrtype.assign(m, 0);
    md.rhs.assign(m, 0);
    md.mstart.assign(n + 1, -1);
    md.mrwind.assign(elementos, -1);
    md.dmatval.assign(elementos, 0);
    ::testing::internal::CaptureStdout();
    md.linhas = modelo.cargaDosVetores(md.qgtype.data(), md.obj.data(), md.dlb.data(), md.dub.data(),
                                       md.mgcols.data(), md.qrtype.data(), md.rhs.data(),
                                       md.mstart.data(), md.mrwind.data(), md.dmatval.data());
    std::fflush(stdout);
    md.saida = ::testing::internal::GetCapturedStdout();
    nCliqueIndSetIF = modelo.nCliqueIndSetIF;
    nCycleIF = modelo.nCycleIF;
    if (exato) {
      EXPECT_EQ(static_cast<size_t>(md.linhas), m);
      EXPECT_EQ(static_cast<size_t>(md.mstart[n]), elementos);
    }
    md.qrtype.resize(md.linhas);
    md.rhs.resize(md.linhas);
    md.mrwind.resize(md.mstart[n]);
    md.dmatval.resize(md.mstart[n]);
    return md;
  }

  Modelo modeloDe(const std::string& grafo) {
    ::testing::internal::CaptureStdout();
    carregaGrafo(grafo);
    ::testing::internal::GetCapturedStdout();
    return carregaModelo();
  }

  Modelo modeloSimples();
  std::vector<std::pair<int, int>> vizinhosFundidos(int v) const { return ::vizinhosFundidos(*armazem_, v); }

  int nCliqueIndSetIF = 0, nCycleIF = 0;
};

}  // namespace

TEST_F(CargaDosVetores, ColunasBinariasComObjetivo1) {
  const Modelo md = modeloDe("3 1 0 1 1");
  for (int v = 0; v < 3; v++) {
    EXPECT_EQ(md.qgtype[v], 'B');
    EXPECT_EQ(md.obj[v], 1.0);
    EXPECT_EQ(md.dlb[v], 0.0);
    EXPECT_EQ(md.dub[v], 1.0);
    EXPECT_EQ(md.mgcols[v], v);
  }
  EXPECT_EQ(md.linhas, 0);
  EXPECT_EQ(md.mstart, (Linhas{0, 0, 0, 0}));
  EXPECT_EQ(md.saida,
            "\nTotal de desigualdades clique conj ind: 0\n\nTotal de desigualdades ciclos C-impar: 0\n");
}

TEST_F(CargaDosVetores, TrianguloNegativoDaTresLinhas) {
  const Modelo md = modeloDe("3 3  0 1 -1  1 2 -1  0 2 -1");
  EXPECT_EQ(md.linhas, 3);
  EXPECT_EQ(nCycleIF, 3);
  EXPECT_EQ(nCliqueIndSetIF, 0);
  for (int r = 0; r < 3; r++) {
    EXPECT_EQ(md.linha(r), (Conjunto{0, 1, 2}));
    EXPECT_EQ(md.rhs[r], 2.0);
    EXPECT_EQ(md.qrtype[r], 'L');
  }
  for (int k = 0; k < 3; k++) EXPECT_EQ(md.coluna(k), (Linhas{0, 1, 2}));
  EXPECT_EQ(md.dmatval, std::vector<double>(9, 1.0));
  EXPECT_NE(md.saida.find("\nTotal de desigualdades ciclos C-impar: 3\n"), std::string::npos);
}

TEST_F(CargaDosVetores, QuatroCicloComUmaNegativaDaQuatroLinhasIguais) {
  const Modelo md = modeloDe("4 4  0 1 -1  1 2 1  2 3 1  3 0 1");
  EXPECT_EQ(md.linhas, 4);
  for (int r = 0; r < 4; r++) {
    EXPECT_EQ(md.linha(r), (Conjunto{0, 1, 2, 3}));
    EXPECT_EQ(md.rhs[r], 3.0);
  }
}

TEST_F(CargaDosVetores, CiclosEquilibradosNaoDaoLinha) {
  EXPECT_EQ(modeloDe("3 3  0 1 1  1 2 1  0 2 1").linhas, 0);
  EXPECT_EQ(modeloDe("4 4  0 1 -1  1 2 -1  2 3 1  3 0 1").linhas, 0);
}

TEST_F(CargaDosVetores, VerticePendenteNaoGeraLinhaPorAmbasAsCopias) {
  const Modelo md = modeloDe("4 4  0 1 1  1 2 -1  2 3 -1  1 3 -1");
  EXPECT_EQ(md.linhas, 3);
  for (int r = 0; r < 3; r++) EXPECT_EQ(md.linha(r), (Conjunto{1, 2, 3}));
  EXPECT_TRUE(md.coluna(0).empty());
  EXPECT_EQ(md.mstart[0], md.mstart[1]);
}

TEST_F(CargaDosVetores, CliquesDeArestasDuplasEOrdemNaColuna) {
  const Modelo md = modeloDe("4 4  0 1 2  1 2 2  0 2 2  2 3 2");
  EXPECT_EQ(md.linhas, 2);
  EXPECT_EQ(nCliqueIndSetIF, 2);
  EXPECT_EQ(nCycleIF, 0);
  EXPECT_EQ(md.linha(0), (Conjunto{0, 1, 2}));
  EXPECT_EQ(md.linha(1), (Conjunto{2, 3}));
  EXPECT_EQ(md.coluna(2), (Linhas{1, 0}));
  EXPECT_EQ(md.rhs, (std::vector<double>{1.0, 1.0}));
  EXPECT_NE(md.saida.find("\nTotal de desigualdades clique conj ind: 2\n"), std::string::npos);
}

TEST_F(CargaDosVetores, CaminhoDeDuasArestasDuplas) {
  const Modelo md = modeloDe("3 2  0 1 2  1 2 2");
  EXPECT_EQ(md.linhas, 2);
  EXPECT_EQ(md.linha(0), (Conjunto{0, 1}));
  EXPECT_EQ(md.linha(1), (Conjunto{1, 2}));
}

TEST_F(CargaDosVetores, UmaArestaDuplaUmElementoPorColuna) {
  const Modelo md = modeloDe("2 1 1 0 2");
  EXPECT_EQ(md.linhas, 1);
  EXPECT_EQ(md.mstart, (Linhas{0, 1, 2}));
  EXPECT_EQ(md.mrwind, (Linhas{0, 0}));
}

TEST_F(CargaDosVetores, CliquesAntesDosCiclosNasColunas) {
  // Double edge 3-4 beside the negative triangle 0-1-2 joined to 3.
  const Modelo md = modeloDe("5 5  0 1 -1  1 2 -1  0 2 -1  2 3 1  3 4 2");
  EXPECT_EQ(md.linhas, 4);
  EXPECT_EQ(md.linha(0), (Conjunto{3, 4}));
  EXPECT_EQ(md.coluna(0), (Linhas{1, 2, 3}));
  EXPECT_EQ(md.coluna(3), (Linhas{0}));
  EXPECT_EQ(md.mstart[5], static_cast<int>(md.mrwind.size()));
}

TEST_F(CargaDosVetores, PesosFicamNoGrafoDuplo) {
  modeloDe("2 1 0 1 -1");
  // Vertex 0: arcs to 3 (across: cheap for a negative edge) and to 1 (within).
  EXPECT_EQ(gDup[0]->vertice, 3);
  EXPECT_EQ(gDup[0]->peso, 1.0);
  EXPECT_EQ(gDup[0]->prox->peso, 4.0);
}

TEST_F(CargaDosVetores, GrafoSemVertices) {
  const Modelo md = modeloDe("0 0");
  EXPECT_EQ(md.linhas, 0);
  EXPECT_EQ(md.mstart, (Linhas{0}));
}

// --- the plain version -------------------------------------------------------

Modelo CargaDosVetores::modeloSimples() {
  const int n = nlin;
  Modelo md;
  std::vector<std::vector<int>> listas(n);  // head-inserted rows per column
  std::vector<int> cobre(static_cast<size_t>(n) * n, 0), g(n), cont(n), membro(n);
  int c = 0;
  if (nduplo > 0) {
    for (int k = 0;; k++) {
      std::fill(g.begin(), g.end(), 0);
      for (const auto& [w, s] : vizinhosFundidos(k)) g[w] = s == 2;
      for (const auto& [j, sj] : vizinhosFundidos(k)) {
        if (j >= k) break;
        if (sj != 2 || cobre[j * n + k]) continue;
        listas[j].insert(listas[j].begin(), c);
        listas[k].insert(listas[k].begin(), c);
        cobre[j * n + k] = cobre[k * n + j] = 1;
        std::fill(membro.begin(), membro.end(), 0);
        membro[j] = membro[k] = 1;
        for (int w = 0; w < n; w++) cont[w] = g[w];
        for (const auto& [w, s] : vizinhosFundidos(j)) cont[w] += s == 2;
        int t = 2;
        for (int l = 0; l < n; l++) {
          if (membro[l] || cont[l] != t) continue;
          membro[l] = 1;
          t++;
          listas[l].insert(listas[l].begin(), c);
          for (const auto& [w, s] : vizinhosFundidos(l)) {
            if (s != 2) continue;
            if (membro[w]) cobre[l * n + w] = cobre[w * n + l] = 1;
            else cont[w]++;
          }
        }
        c++;
      }
      if (!(k + 1 < n && c < nduplo)) break;
    }
  }
  for (int u = 0; u < 2 * n; u++)
    for (nodo2* a = gDup[u]; a; a = a->prox) {
      const bool dentro = (u < n) == (a->vertice < n);
      a->peso = (a->sinal == 1 && dentro) || (a->sinal == -1 && !dentro) ? 1.0 : 2.0 * n;
    }
  std::vector<std::vector<int>> linhas(n, std::vector<int>(n + 1, 0));
  std::vector<int> pred(2 * n);
  int o = 0;
  for (int i = 0; i < n && o < n; i++) {
    if (!(dijkstraS_T(i, n + i, gDup, 2 * n, pred.data(), 2.0 * n) < 2.0 * n)) continue;
    std::vector<int>& f = linhas[o];
    std::fill(f.begin(), f.end(), 0);
    f[i] = 1;
    f[n] = 1;
    int x = pred[n + i];
    for (; x != i; x = pred[x]) {
      if (f[x % n]) {
        std::fill(f.begin(), f.end(), 0);
        break;
      }
      f[x % n] = 1;
      f[n]++;
    }
    if (x == i) o++;
  }
  md.linhas = c + o;
  for (int k = 0; k < n; k++) {
    md.mstart.push_back(static_cast<int>(md.mrwind.size()));
    for (int r : listas[k]) md.mrwind.push_back(r);
    for (int l = 0; l < o; l++) if (linhas[l][k]) md.mrwind.push_back(c + l);
  }
  md.mstart.push_back(static_cast<int>(md.mrwind.size()));
  md.dmatval.assign(md.mrwind.size(), 1.0);
  for (int r = 0; r < c; r++) md.rhs.push_back(1.0), md.qrtype.push_back('L');
  for (int l = 0; l < o; l++) md.rhs.push_back(linhas[l][n] - 1.0), md.qrtype.push_back('L');
  return md;
}

TEST_F(CargaDosVetores, ConcordaComAVersaoSimplesEmGrafosAleatorios) {
  std::mt19937 gerador(2024);
  for (int caso = 0; caso < 400; caso++) {
    const int n = 1 + static_cast<int>(gerador() % 18);
    const int m = static_cast<int>(gerador() % (2 * n + 1));
    std::string texto = std::to_string(n) + " " + std::to_string(m);
    for (int e = 0; e < m; e++) {
      const int u = static_cast<int>(gerador() % n), w = static_cast<int>(gerador() % n);
      const int sorteio = static_cast<int>(gerador() % 10);
      const int s = u == w ? 1 : sorteio < 4 ? -1 : sorteio < 7 ? 1 : 2;  // repeats allowed
      texto += " " + std::to_string(u) + " " + std::to_string(w) + " " + std::to_string(s);
    }
    const Modelo obtido = modeloDe(texto);
    const Modelo esperado = modeloSimples();
    ASSERT_TRUE(obtido == esperado) << texto;
    ASSERT_LE(obtido.linhas, nlin + narco) << texto;
  }
}

// The rows sized first by contaModelo are those built in one go, with the
// same printed totals, and its counts are exact (the arrays get no more room
// than that); on graphs of every density up to complete ones, with double
// edges, records repeated with either sign and loops, against the plain
// version.
TEST_F(CargaDosVetores, ContagemPreviaDaOMesmoModeloEmGrafosDeTodaDensidade) {
  std::mt19937 gerador(77);
  for (int caso = 0; caso < 160; caso++) {
    const int n = 1 + static_cast<int>(gerador() % 40);
    const int dens = static_cast<int>(caso % 11);
    const int duplas = static_cast<int>(caso % 4);
    std::string arestas;
    int m = 0;
    auto junta = [&](int u, int w, int s) {
      arestas += " " + std::to_string(u) + " " + std::to_string(w) + " " + std::to_string(s);
      m++;
    };
    for (int u = 0; u < n; u++)
      for (int w = u + 1; w < n; w++) {
        if (static_cast<int>(gerador() % 10) >= dens) continue;
        const int sorteio = static_cast<int>(gerador() % 10);
        const int s = sorteio < duplas * 2 ? 2 : sorteio < 6 ? -1 : 1;
        junta(u, w, s);
        if (caso % 3 == 0 && gerador() % 5 == 0) junta(w, u, gerador() % 2 ? s : (s == 1 ? -1 : 1));
      }
    for (int t = 0; t < (caso % 2 ? n / 3 : 0); t++) {
      const int v = static_cast<int>(gerador() % n);
      junta(v, v, 1);
    }
    const std::string texto = std::to_string(n) + " " + std::to_string(m) + arestas;
    const Modelo direto = modeloDe(texto);
    const Modelo contado = carregaModelo(true);
    ASSERT_TRUE(contado == direto) << texto;
    ASSERT_EQ(contado.saida, direto.saida) << texto;
    ASSERT_TRUE(direto == modeloSimples()) << texto;
  }
}

// Long odd negative cycles: sparse graphs, mostly positive, made of long
// cycles and paths with chords, so that the shortest walks to the copies are
// long, have many ties, and run past the half-radius ball on both sides;
// against the plain version.
TEST_F(CargaDosVetores, CiclosLongosIguaisAVersaoSimples) {
  std::mt19937 gerador(91);
  int ciclos = 0;
  for (int caso = 0; caso < 150; caso++) {
    const int n = 3 + static_cast<int>(gerador() % 70);
    std::string arestas;
    int m = 0;
    auto junta = [&](int u, int w) {
      int s = gerador() % 7 == 0 ? -1 : gerador() % 25 == 0 ? 2 : 1;
      if (u == w) s = 1;
      arestas += " " + std::to_string(u) + " " + std::to_string(w) + " " + std::to_string(s);
      m++;
    };
    for (int v = 0; v + 1 < n; v++) junta(v, v + 1);  // a path through all
    for (int t = 0; t < static_cast<int>(gerador() % (n / 3 + 2)); t++)
      junta(static_cast<int>(gerador() % n), static_cast<int>(gerador() % n));
    const std::string texto = std::to_string(n) + " " + std::to_string(m) + arestas;
    const Modelo obtido = modeloDe(texto);
    ASSERT_TRUE(obtido == modeloSimples()) << texto;
    ASSERT_TRUE(carregaModelo(true) == obtido) << texto;
    ciclos += nCycleIF;
  }
  EXPECT_GT(ciclos, 500);
}
