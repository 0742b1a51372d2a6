// A node's separation round: reloading violated pool cuts or running the
// separators into the solve's batch, then the batch into the pool and the
// node.
#include "separation/cortes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/erro.h"
#include "base/relogio.h"

void arredondaPonto(double* x, int n) {
  for (int i = 0; i < n; i++) {
    if (x[i] < 1e-6) x[i] = 0.0;
    else if (x[i] > 0.999999) x[i] = 1.0;
  }
}

int cortesDoPool(int nViolados, int totcuts, int totsep, int maxCortes) {
  const int media = totcuts / (totsep + 1);
  if (nViolados <= media) return 0;
  return nViolados > maxCortes ? maxCortes : nViolados;
}

bool paraSeparacao(int itersep, int nIntInf, int cortesCiclo, int rodadas) {
  return itersep >= rodadas && (nIntInf != 0 || cortesCiclo <= 0);
}

namespace {

// How far a row from beside the search must be violated to be loaded.
const double VIOLACAO_DE_FORA = 1e-6;

// The profile's count of the system's cuts in the node LP as its loop ends,
// and of those without slack (the ones holding the bound up).
void contaCortesJustos(Perfil& perfil, XPRSprob prob) {
  int n = 0;
  if (XPRSgetcutlist(prob, 0, -1, &n, 0, nullptr) != 0 || n == 0) return;
  std::vector<XPRScut> lista(static_cast<size_t>(n));
  if (XPRSgetcutlist(prob, 0, -1, &n, n, lista.data()) != 0) return;
  for (XPRScut c : lista) {
    double folga = 0;
    if (XPRSgetcutslack(prob, c, &folga) != 0) continue;
    perfil.cortesNoLp++;
    if (folga < 1e-6) perfil.cortesJustos++;
  }
}

// The node's loop ends here: nothing loaded, the loop count back to 0.
int fimDoLaco(Separacao& s, XPRSprob prob, clock_t t0) {
  if (s.perfil.ligado) contaCortesJustos(s.perfil, prob);
  s.itersep = 0;
  s.cut_time += static_cast<int>(agora() - t0);
  return 0;
}

// Pool cuts violated at the point, loaded into the node instead of a round
// of separation when there are more of them than the solve's average round.
int recarregaDoPool(Separacao& s, XPRSprob prob) {
  MedeEtapa medida(s.perfil, ETAPA_POOL);
  Lote& lote = s.lote;
  double* violacoes = static_cast<double*>(std::malloc(sizeof(double) * lote.MAX_CORTES));
  if (violacoes == nullptr) errormsg("Main: memory allocation error.\n", 159, -1);
  int nViolados = 0;
  testaRetorno(prob,
               XPRSgetcpcutlist(prob, 1234, -1, 1e-5, &nViolados, lote.MAX_CORTES, lote.mcutind,
                                violacoes),
               "Main: Erro na chamada da rotina XPRSgetcpcutlist.\n", 170);
  const int carregar = cortesDoPool(nViolados, s.totcuts, s.totsep, lote.MAX_CORTES);
  int doPool = 0;
  if (carregar > 0) {
    testaRetorno(prob, XPRSloadcuts(prob, 1234, -1, carregar, lote.mcutind),
                 "Cortes: erro na chamada da rotina XPRSloadcuts.\n", 181);
    doPool = carregar;
  }
  std::free(violacoes);
  s.perfil.resultados[ETAPA_POOL] += doPool;
  return doPool;
}

// Rows found beside the search (the first-order bound's, on a large piece),
// stored in the pool as they come; at each round of the root those violated
// at the point are loaded beside the round's own cuts, the others kept for
// the next rounds.  The LP over them is below the bound that found them (on
// Slashdot's piece the simplex over its 9,000 rows alone is at 78,676, where
// ten minutes of the root's own rounds end at 79,575).  Loaded all at once,
// the slack ones with them, the next re-solve there did not end within the
// ten minutes; loaded in place of a round's own cuts, they cost Wikipedia
// elections' root, which needs all its rounds, 40 of its bound.
int carregaDeFora(Separacao& s, XPRSprob prob) {
  if (!s.linhasDeFora) return 0;
  std::vector<LinhaValida> novas = s.linhasDeFora();
  if (novas.empty() && s.pendentesDeFora.empty()) return 0;
  MedeEtapa medida(s.perfil, ETAPA_DE_FORA);
  if (!novas.empty()) {
    const int n = static_cast<int>(novas.size());
    std::vector<int> tipos(n), inicios(n + 1, 0), colunas;
    std::vector<char> sentidos(n, 'L');
    std::vector<double> rhs(n);
    for (int i = 0; i < n; i++) {
      const LinhaValida& l = novas[i];
      tipos[i] = l.vertices.size() == 2 && l.rhs == 1 ? CORTE_CLIQUE : CORTE_CICLO;
      rhs[i] = l.rhs;
      colunas.insert(colunas.end(), l.vertices.begin(), l.vertices.end());
      inicios[i + 1] = static_cast<int>(colunas.size());
    }
    const std::vector<double> coefs(colunas.size(), 1.0);
    std::vector<XPRScut> cortes(n);
    testaRetorno(prob,
                 XPRSstorecuts(prob, n, 1, tipos.data(), sentidos.data(), rhs.data(), inicios.data(),
                               cortes.data(), colunas.data(), coefs.data()),
                 "Cortes: erro na chamada da rotina XPRSaddcuts.\n", 272);
    for (int i = 0; i < n; i++) s.pendentesDeFora.push_back({cortes[i], std::move(novas[i])});
  }
  const double* x = s.trabalho.x;
  std::vector<XPRScut> violadas;
  size_t ficam = 0;
  for (size_t i = 0; i < s.pendentesDeFora.size(); i++) {
    Separacao::Pendente& p = s.pendentesDeFora[i];
    double soma = 0;
    for (const int v : p.linha.vertices) soma += x[v];
    if (soma > p.linha.rhs + VIOLACAO_DE_FORA) violadas.push_back(p.corte);
    else if (ficam++ != i) s.pendentesDeFora[ficam - 1] = std::move(p);
  }
  s.pendentesDeFora.resize(ficam);
  const int carregar = static_cast<int>(violadas.size());
  if (carregar > 0)
    testaRetorno(prob, XPRSloadcuts(prob, 1234, -1, carregar, violadas.data()),
                 "Cortes: erro na chamada da rotina XPRSloadcuts.\n", 276);
  s.perfil.resultados[ETAPA_DE_FORA] += carregar;
  return carregar;
}

// The separators after the cycle one, while the batch has room: cliques,
// then odd cycles of double edges where there are enough double edges.
void separaCliques(Separacao& s, double* x, int* ultimoCorte, int* ultimoCoef, int* cortesClique,
                   int* cortesIndSet) {
  if (s.ncortesIter > s.lote.MAX_CORTES - 1) return;
  {
    MedeEtapa medida(s.perfil, ETAPA_CLIQUE);
    *cortesClique = separacaoHeuristicaDesigualdadesClique(s, x, ultimoCorte, ultimoCoef, s.ncortesIter);
    s.perfil.resultados[ETAPA_CLIQUE] += *cortesClique;
  }
  s.totDesClique += *cortesClique;
  s.ncortesIter += *cortesClique;
  if (s.ncortesIter <= s.lote.MAX_CORTES - 1 && s.grafo.nduplo > 20) {
    MedeEtapa medida(s.perfil, ETAPA_IND_SET);
    *cortesIndSet = separacaoExataCicloIndSet(s, x, ultimoCorte, ultimoCoef, s.ncortesIter);
    s.perfil.resultados[ETAPA_IND_SET] += *cortesIndSet;
    s.totDesCicloCIndSet += *cortesIndSet;
    s.ncortesIter += *cortesIndSet;
  }
}

}  // namespace

int separaNo(Separacao& s, XPRSprob prob, clock_t t0, int no, int nIntInf, double objLP,
             double zstar) {
  const AjustesDaBusca& a = s.ajustes;
  std::FILE* saida = s.saida;
  int profundidade = 0;
  testaRetorno(prob, XPRSgetintattrib(prob, XPRS_NODEDEPTH, &profundidade),
               "Cortes: erro na chamada da rotina XPRSgetintattrib.\n", 142);
  if (profundidade > a.MAX_NODE_DEPTH_FOR_SEP) return 0;

  s.ncortesIter = 0;
  const int doPool = no > 0 ? recarregaDoPool(s, prob) : 0;
  // At the root, rows from beside the search join the round's own cuts.
  const int deFora = no == 0 ? carregaDeFora(s, prob) : 0;
  s.ncortesIter += doPool;
  if (a.COMPLETE_PRINT) std::fprintf(saida, "Total de cortes cutPoolSep: %d\n", doPool);

  // Below the root a reduced run stops separating once a round has moved
  // the bound by less than CAUDA_DA_SEPARACAO of its distance to the best
  // value: the node's rounds after that cost a sweep of searches each and
  // rarely decide whether it is pruned (wiki1000 65 s to 12 s, r_n75_d0.1
  // 14.6 s to 5.6 s, with a few more nodes).
  if (a.REDUZIR && !(a.DESLIGADAS & DESLIGA_CAUDA) && no > 0 && nIntInf > 0 && doPool == 0 &&
      s.itersep > 0 && s.objAnterior - objLP < CAUDA_DA_SEPARACAO * std::max(0.0, objLP - zstar))
    return fimDoLaco(s, prob, t0);
  s.objAnterior = objLP;
  if (doPool == 0) {
    Lote& lote = s.lote;
    double* x = s.trabalho.x;
    int ultimoCorte = -1, ultimoCoef = -1;
    const int cortesCiclo = separacaoExataCMenosOdd(s, x, &ultimoCorte, &ultimoCoef);
    s.totDesCicloCMenosOdd += cortesCiclo;
    s.ncortesIter += cortesCiclo;

    // A reduced run's root goes on longer: on the real networks its bound
    // still falls after ten rounds, and that bound decides their proofs.
    const int rodadas = a.REDUZIR && no == 0 ? RODADAS_RAIZ_REDUZIDA : RODADAS_POR_NO;
    // The cycle cuts just found are dropped when the loop has run long enough.
    if (deFora == 0 && paraSeparacao(s.itersep, nIntInf, cortesCiclo, rodadas))
      return fimDoLaco(s, prob, t0);

    int cortesClique = 0, cortesIndSet = 0;
    separaCliques(s, x, &ultimoCorte, &ultimoCoef, &cortesClique, &cortesIndSet);
    lote.fechaLote(ultimoCorte, ultimoCoef);

    if (s.ncortesIter == 0) {
      if (a.COMPLETE_PRINT) std::fprintf(saida, "..corte nao encontrado.\n");
    } else {
      s.totcuts += s.ncortesIter;
      s.perfil.termos += lote.mstart[ultimoCorte + 1];
      if (a.COMPLETE_PRINT) {
        std::fprintf(saida, "Total de cortes ciclo-negativo: %d\n", cortesCiclo);
        std::fprintf(saida, "Total de cortes cycle ind set: %d\n", cortesIndSet);
        std::fprintf(saida, "Total de cortes clique: %d\n", cortesClique);
      }
      testaRetorno(prob,
                   XPRSstorecuts(prob, s.ncortesIter, 1, lote.mtype, lote.qrtype, lote.drhs,
                                 lote.mstart, lote.mcutind, lote.mcols, lote.dmatval),
                   "Cortes: erro na chamada da rotina XPRSaddcuts.\n", 272);
      testaRetorno(prob, XPRSloadcuts(prob, 1234, -1, s.ncortesIter, lote.mcutind),
                   "Cortes: erro na chamada da rotina XPRSloadcuts.\n", 276);
    }
  }

  if (s.ncortesIter == 0 && deFora == 0) return fimDoLaco(s, prob, t0);
  s.itersep++;
  s.totsep++;
  s.perfil.rodadas++;
  s.cut_time += static_cast<int>(agora() - t0);
  return 1;
}
