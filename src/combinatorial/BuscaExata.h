// Exact maximum balanced set of one connected signed graph, by branch and
// bound on its doubled conflict graph: copy 2i+s is the i-th vertex of the
// search order on side s, and a balanced set with its sides is a set of
// copies no two of which conflict (a clique of the compatibility graph held
// here in bit rows).  The bound is a greedy cover of the candidates by
// conflict cliques, strengthened by moving single blockers between cliques
// and by unit propagation over the cliques (each failed propagation proves
// one more candidate unable to raise the bound); a candidate with at most
// one conflict left is taken without branching, and the mirror symmetry of
// the sides is broken at the root.  On sparse graphs the refinements read
// lists of conflicts (ListasDeConflitos.cpp); with several threads the
// root's branches are shared out among them (BuscaParalela.cpp).
#ifndef BCT_COMBINATORIAL_BUSCAEXATA_H
#define BCT_COMBINATORIAL_BUSCAEXATA_H

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "combinatorial/Bits.h"
#include "base/relogio.h"
#include "graph/GrafoSimples.h"

namespace combinatorio {

// The parts of the search that can be switched off, to measure each.
struct Ajustes {
  bool simetria = true;    // mirror subtrees skipped at the root
  bool recoloracao = true; // a blocked candidate moved into a clique below the bound
  bool maxsat = true;      // candidates proved by unit propagation not to raise the bound
  bool reducao = true;     // candidates with at most one conflict taken without branching
  bool grupos = true;      // the candidates left proved unable to raise the bound clique by clique
  bool dinamica = true;    // each node below the root orders its candidates anew (on graphs not dense)
  // How the refinements find a copy's conflicts: by its row of bits, by its
  // list of conflicts, or the one the graph's density favours.  Both give
  // the same tree.
  enum class Conflitos { automatico, bits, listas } conflitos = Conflitos::automatico;
  // Threads sharing out the root's branches, and the incumbent.  With one,
  // or on a graph too small to pay for them, the search runs alone.
  int paralelo = 1;
};

struct ResultadoExato {
  std::vector<signed char> lado;  // per vertex: -1 out, 0 or 1
  int valor = 0;
  int limitante = 0;         // a valid upper bound (valor when completo)
  int limitanteInicial = 0;  // the plain clique-cover bound of the whole graph
  int limitanteRaiz = 0;     // the root's bound with every refinement
  int64_t nos = 0;
  int64_t noMelhor = 0;      // node (counted from noInicial) of the best set; 0: the initial one
  bool completo = false;     // the search ended before the deadline
};

class BuscaExata {
 public:
  using Relogio = std::chrono::steady_clock;
  // Called now and then with the nodes so far, the nodes on the path being
  // searched, the best value and a bound.
  using Progresso = std::function<void(int64_t nos, int abertos, int valor, int limitante)>;
  // Watches the best set: at the clock checks of the thread that reports
  // progress, `quer` is asked with the best value and a bound and, when it
  // says yes, `recebe` gets that set's sides (per vertex of g, -1 out).
  struct Vigia {
    std::function<bool(int valor, int limitante)> quer;
    std::function<void(const std::vector<signed char>& lado)> recebe;
  };

  explicit BuscaExata(const GrafoSimples& g, Ajustes ajustes = {});

  // `inicial`: sides of a balanced set of g (-1 out), the first incumbent.
  // `noInicial` numbers this search's nodes after those of earlier ones.
  ResultadoExato resolve(const std::vector<signed char>& inicial, const Prazo& prazo,
                         int64_t noInicial = 0, const Progresso& progresso = nullptr,
                         const Vigia* vigia = nullptr);

  // Memory the search over g's n vertices needs, in bytes, with `linhas`
  // threads.
  static int64_t memoria(int64_t n, int linhas = 1);

 private:
  // What the threads of a parallel search share besides the rows: the next
  // root branch to take, the nodes below the root open to all, the
  // incumbent, the nodes counted so far and each thread's root branch (its
  // clique index; 0 when idle), for progress.
  struct NoAberto;
  struct Partilha {
    std::atomic<int> proximo{0};
    std::atomic<int> abrindo{0};  // threads opening a root branch
    std::vector<std::shared_ptr<NoAberto>> abertos;  // under trava
    std::atomic<int> valor{0};
    std::atomic<int64_t> nos{0};
    int linhas = 0;
    std::unique_ptr<std::atomic<int>[]> corDaLinha;
    std::mutex trava;
    std::vector<int> melhor;  // under trava
    int64_t noMelhor = 0;     // under trava
  };
  // The rows and lists every thread reads.
  struct Comum {
    bits::Bloco compat;
    std::vector<int> conflito, inicioConflitos;
  };
  // A thread's search, sharing the rows of `mestre`.
  struct Linha {};
  BuscaExata(const BuscaExata& mestre, Linha);
  void preparaTrabalho();
  void registra(int tamanho);
  std::vector<signed char> ladosDoMelhor();  // the best set, shared or this thread's
  // The root's m branches, listed in lista_ and cor_, searched by `linhas`
  // threads (BuscaParalela.cpp).
  void raizEmParalelo(int linhas, int m);
  void trabalha(Partilha& partilha, const std::vector<int>& lista, const std::vector<int>& cor,
                const std::vector<uint64_t>& raiz, int indice);
  void expandeDe(int d, int tamanho);  // expande for this graph's width
  // The candidates of the branch on x below candidates p, into `filho`;
  // whether there are any.
  bool ramo(const uint64_t* p, int x, uint64_t* filho) const;

  // Copy of the i-th vertex of the search order on a side, and back: the two
  // copies of a vertex side by side, which the colouring found to pack
  // better than all side-0 copies before all side-1 ones.
  static int copia(int i, int lado) { return 2 * i + lado; }
  static int posicaoDa(int x) { return x >> 1; }
  static int ladoDa(int x) { return x & 1; }
  static int espelho(int x) { return x ^ 1; }
  const uint64_t* compat(int x) const { return compat_ + static_cast<size_t>(x) * w_; }
  uint64_t* classe(int k) { return classes_.data() + static_cast<size_t>(k) * w_; }
  // Words per set: W when the search was compiled for that width, else w_.
  template <int W>
  int palavras() const { return W > 0 ? W : w_; }
  template <int W>
  void ordena(const uint64_t* p);
  template <int W, bool dinamica>
  int colore(const uint64_t* p, int kmin, int* lista, int* cor);
  // Whether the nodes at depth d are coloured in an order of their own (the
  // root keeps the search order, by which its mirrors are left out).
  bool dinamica(int d) const { return d > 0 && dinamica_; }
  template <int W>
  bool recolore(int x, int k);
  template <int W>
  bool propaga(int x, int k);
  template <int W>
  bool inconsistente(int x, int k);
  template <int W>
  void absorveGrupo(int k);
  void usa(const std::vector<int>& cliques);
  // The refinements over lists of conflicts, for sparse graphs, where a
  // copy conflicts with far fewer copies than a row has words times cliques.
  static bool listasConvem(const GrafoSimples& g);
  void listaConflitos(const GrafoSimples& g, const std::vector<int>& posicao);
  bool recoloraPorListas(int x, int k);
  bool propagaPorListas(int x, int k);
  // The clique of the current colouring's first ones that z is in, or -1.
  int cliqueAtual(int z) const {
    const uint64_t c = cliqueEm_[z];
    return (c >> 32) == cores_ ? static_cast<int>(static_cast<uint32_t>(c)) : -1;
  }
  void poeNaClique(int z, int a) { cliqueEm_[z] = (cores_ << 32) | static_cast<uint32_t>(a); }
  void novaColoracao();
  // Lists in noConflito_ the cliques whose forcings emptied clique `vazia`.
  void marcaConflito(int vazia);
  template <int W>
  bool cabeca(int d, int& tamanho);
  template <int W>
  void expande(int d, int tamanho);
  template <int W>
  void ramifica(int d, int tamanho);
  // The counts of conflicts among a node's candidates (grau_), kept while
  // the orders need them: counted in full for candidatos_[d], moved with a
  // copy leaving p (tira, listed in tirados_) and coming back (devolve), and
  // between a node and a branch.
  template <int W>
  void contaGraus(const uint64_t* p);
  void contaGrausDe(int d);
  template <int W>
  void ajustaGraus(const uint64_t* p, int z, int delta);
  template <int W>
  void tira(uint64_t* p, int z);
  template <int W>
  void devolve(uint64_t* p, size_t ate);
  template <int W>
  void passaAoRamo(const uint64_t* p, const uint64_t* filho, int delta);
  // A node's head and colouring, for a thread that shares out its branches:
  // its branch list and their cliques; -1 when it has none to share.
  int abreNo(int d, int& tamanho, std::vector<int>& lista, std::vector<int>& cor);

  Ajustes ajustes_;
  int n_ = 0, copias_ = 0, w_ = 0;
  bool grande_ = false;  // nodes so slow that the clock is read at each
  bool porListas_ = false;  // refinements over lists of conflicts
  bool dinamica_ = false;   // nodes below the root in orders of their own
  bool graus_ = false;      // grau_ kept for them
  double ordenados_ = 1;    // the share of them ordered by conflicts among those left
  std::vector<int> vertice_;      // search position i -> vertex of g
  std::shared_ptr<Comum> comum_;
  const uint64_t* compat_ = nullptr;  // row x: the copies compatible with copy x
  // Working sets: per depth the candidates, the branching list and colours;
  // shared by all depths the colouring's cliques and propagation rows.
  std::vector<std::vector<uint64_t>> candidatos_;
  std::vector<int> lista_, cor_;  // a stack: each depth's list above its parent's
  size_t topoLista_ = 0;
  std::vector<uint64_t> q_, u_;
  bits::Bloco classes_, restos_;
  std::vector<char> usada_, propagada_;
  std::vector<int> fila_, pilha_, ativas_, grupo_, sobra_, resto_;
  // A node's own order: its candidates in ordem_, each one's place in
  // posto_; conflicts among the candidates and, per count, the set of those with it.
  std::vector<int> ordem_, posto_, grau_, chave_, tirados_;
  bits::Bloco baldes_;
  // The cliques of a conflict and of a union of conflicts, each listed once
  // by the step that marked it.
  std::vector<int> noConflito_, uniao_;
  std::vector<uint64_t> marcaConflito_, naUniao_;
  uint64_t passoConflito_ = 0;
  std::vector<std::vector<int>> causas_;
  // The cliques change at each colouring and at each move between them;
  // semLugar_[y] == versao_ records that y fits no clique but its own.
  uint64_t versao_ = 0;
  std::vector<uint64_t> semLugar_;
  // Lists of conflicts: copy x's are conflito_[inicioConflitos_[x] ..
  // inicioConflitos_[x + 1]), itself excluded.  cliqueEm_[z] holds the
  // colouring (counted in cores_) and the clique z last joined, so one read
  // says whether z is in a clique now; tamanho_ is each clique's size;
  // tirada_, tocada_ and vista_ mark, by the step that set them, the copies
  // a propagation struck out, the cliques a forcing touched and those a
  // propagation has met (whose restantes_, causas_, propagada_ are set).
  const int* conflito_ = nullptr;
  const int* inicioConflitos_ = nullptr;
  std::vector<uint64_t> cliqueEm_;
  uint64_t cores_ = 1;
  std::vector<int> tamanho_, restantes_;
  std::vector<int> tocadas_, tocadasY_, contagem_, contagemY_;
  std::vector<uint64_t> tirada_, tocada_, vista_;
  uint64_t passo_ = 0;
  // Sets of cliques: those of one member, those used up by propagation, and
  // a working set.
  std::vector<uint64_t> unitarias_, usadas_, escolha_;
  std::vector<int> escolhidas_, melhor_;
  int valor_ = 0;
  int64_t nos_ = 0, noInicial_ = 0, noMelhor_ = 0;
  int limiteAberto_ = 0;     // bound on the branches a deadline left open
  int limiteCorrente_ = 0;   // bound on what the root has left to search
  bool parou_ = false;
  Prazo prazo_;
  const Progresso* progresso_ = nullptr;
  const Vigia* vigia_ = nullptr;
  Relogio::time_point ultimoProgresso_;
  // Nodes between looks at the clock, and left until the next one.
  int consultaACada_ = 1, ateConsulta_ = 0;
  Relogio::time_point ultimaConsulta_;
  Partilha* partilha_ = nullptr;  // in a thread of a parallel search
  int64_t nosContados_ = 0;       // this thread's nodes already in partilha_->nos
};

}  // namespace combinatorio

#endif
