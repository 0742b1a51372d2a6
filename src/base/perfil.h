// Where a run's time goes (-v): seconds, calls and results of each stage of
// the branch-and-cut (the separators, their shortest-path searches, the
// heuristics, the LP re-solves) and of the stages around it, printed on
// standard error at the end.  The run keeps one profile and each solve its
// own, added to the run's when it ends.  The counters cost a clock read per
// call, and nothing while the profile is off.
#ifndef BCT_BASE_PERFIL_H
#define BCT_BASE_PERFIL_H

#include <chrono>

enum EtapaPerfil {
  ETAPA_LEITURA,       // reading the instance
  ETAPA_REDUCAO,       // exact reduction (-r)
  ETAPA_BUSCA_LOCAL,   // first sets by local search (-r)
  ETAPA_MODELO,        // initial model and its clique rows
  ETAPA_BUSCAS_CICLO,  // shortest-path searches of the cycle separator (results: hits)
  ETAPA_CICLOS,        // reading back, splitting and lifting the cycles (results: cuts)
  ETAPA_CLIQUE,        // clique separator (results: cuts)
  ETAPA_IND_SET,       // separator of odd cycles of double edges (results: cuts)
  ETAPA_POOL,          // reloads of pool cuts (results: cuts loaded)
  ETAPA_HEURISTICA,    // greedy heuristic on the LP point (results: improvements)
  ETAPA_HEURISTICA_LP, // the LP point rounded and improved by local search (results: improvements)
  ETAPA_INCUMBENTE,    // balance test of integral LP points
  ETAPA_RAMIFICACAO,   // choice of the branching rows
  ETAPA_LP,            // the optimizer: LP re-solves and its own work (calls: LP solves)
  ETAPA_COMBINATORIO,  // the combinatorial engine (-c, -a)
  ETAPA_SEMIDEFINIDA,  // the semidefinite bound beside a search (-a; results: certificates)
  ETAPA_LAGRANGIANO,   // the first-order bound before it (results: bounds lowered)
  ETAPA_DE_FORA,       // rows found beside the search, into the root's LP (results: cuts loaded)
  NUM_ETAPAS
};

struct Perfil {
  bool ligado = false;          // -v: kept at all
  double segundos[NUM_ETAPAS] = {};
  long long chamadas[NUM_ETAPAS] = {};
  long long resultados[NUM_ETAPAS] = {};
  long long rodadas = 0;        // separation rounds that loaded cuts
  long long termos = 0;         // terms of the cuts separated
  long long linhasModelo = 0;   // model rows, without cuts (summed over the pieces)
  long long cortesNoLp = 0;     // cuts in the node LPs when their loops ended
  long long cortesJustos = 0;   // of those, the ones with no slack
  int linhasBuscas = 0;         // threads of the cycle searches (-j), 0 with one
  long long buscasFeitas = 0;   // cycle searches those threads did, the unread ones too

  // Another profile's counters (a solve's) added to these.
  void soma(const Perfil& outro);
};

// Adds the time from its construction to its end to one stage of `perfil`.
class MedeEtapa {
 public:
  MedeEtapa(Perfil& perfil, EtapaPerfil e) : perfil_(perfil), etapa_(e) {
    if (perfil_.ligado) inicio_ = std::chrono::steady_clock::now();
  }
  ~MedeEtapa() {
    if (!perfil_.ligado) return;
    perfil_.segundos[etapa_] +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio_).count();
    perfil_.chamadas[etapa_]++;
  }
  MedeEtapa(const MedeEtapa&) = delete;
  MedeEtapa& operator=(const MedeEtapa&) = delete;

 private:
  Perfil& perfil_;
  EtapaPerfil etapa_;
  std::chrono::steady_clock::time_point inicio_;
};

// The table, on standard error, with the whole run's wall time.
void imprimePerfil(const Perfil& perfil, double segundosTotais);

#endif
