// The local search as the solver runs it before an exact search: rounds that
// each restart from the best set so far, until the time given or patience
// runs out.
#include <algorithm>

#include "base/parada.h"
#include "localsearch/BuscaLocal.h"

namespace buscaLocal {

Conjunto comPaciencia(const GrafoSimples& g, double segundos,
                      std::chrono::steady_clock::time_point prazo) {
  using Relogio = std::chrono::steady_clock;
  BuscaLocal busca(g, 1);
  Conjunto melhor = busca.guloso();
  const Relogio::time_point inicio = Relogio::now();
  const Relogio::time_point fim =
      std::min(prazo, inicio + std::chrono::duration_cast<Relogio::duration>(
                                   std::chrono::duration<double>(segundos)));
  const int64_t rodada = std::max<int64_t>(1000, 10 * static_cast<int64_t>(g.numVertices()));
  const Relogio::duration paciencia = std::chrono::microseconds(500 * int64_t{g.numVertices()});
  Relogio::time_point ultimaMelhora = inicio;
  while (Relogio::now() < fim && !paradaPedida()) {
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
