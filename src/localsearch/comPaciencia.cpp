// The local search as the solver runs it before an exact search: rounds that
// each restart from the best set so far, until the time given or patience
// runs out.
#include <algorithm>

#include "localsearch/BuscaLocal.h"

namespace buscaLocal {

Conjunto comPaciencia(const GrafoSimples& g, double segundos, const Prazo& prazo) {
  using Relogio = Prazo::Relogio;
  BuscaLocal busca(g, 1);
  Conjunto melhor = busca.guloso();
  const Relogio::time_point inicio = Relogio::now();
  const Prazo fim = prazo.daqui(segundos);
  const int64_t rodada = std::max<int64_t>(1000, 10 * static_cast<int64_t>(g.numVertices()));
  const Relogio::duration paciencia = std::chrono::microseconds(500 * int64_t{g.numVertices()});
  Relogio::time_point ultimaMelhora = inicio;
  while (!fim.passou()) {
    Conjunto novo = busca.melhora(melhor, fim, rodada);
    const Relogio::time_point agora = Relogio::now();
    if (novo.tamanho > melhor.tamanho) {
      melhor = std::move(novo);
      ultimaMelhora = agora;
    } else if (agora - ultimaMelhora > std::max<Relogio::duration>(ultimaMelhora - inicio,
                                                                     paciencia)) {
      break;
    }
  }
  return melhor;
}

}  // namespace buscaLocal
