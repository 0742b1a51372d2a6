// One solve by the combinatorial engine, with what the report needs in the
// same form as a branch-and-cut solve gives it.
#ifndef BCT_DRIVER_RESOLUCAOCOMBINATORIA_H
#define BCT_DRIVER_RESOLUCAOCOMBINATORIA_H

#include <cstdio>
#include <vector>

#include "base/opcoes.h"
#include "base/relogio.h"
#include "graph/GrafoSimples.h"
#include "search/resultado.h"

// Solves g by the deadline `prazo`.  `inicial`, when given, is a balanced
// set of g, the first incumbent; otherwise the local
// search finds one when the settings ask for the primal heuristic.  The two
// root values are the engine's: the plain clique-cover bound and the root's
// refined bound; there are no cuts nor model rows.  The mode lines go to
// `saida` when the settings report the model.
ResultadoBusca resolveCombinatorio(const GrafoSimples& g, const std::vector<char>* inicial,
                                   const Prazo& prazo, const AjustesDaBusca& ajustes,
                                   const Acompanhamento& acompanhamento = {},
                                   std::FILE* saida = stdout);

// Ends the run through the memory failure path, before any file is written,
// when the search over g's largest component cannot fit.
void exigeMemoriaCombinatoria(const GrafoSimples& g);

#endif
