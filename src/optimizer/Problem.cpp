// A problem and its attributes.
#include "optimizer/Problem.h"

#include "optimizer/Search.h"

namespace xo {

Problem::Problem(XPRSprob handle) : handle_(handle) {}

Problem::~Problem() = default;

bool Problem::searching() const { return search && search->running(); }

int Problem::maxim(bool global) {
  if (!search) search = std::make_unique<Search>(*this);
  return search->run(global);
}

bool Problem::intAttrib(int id, int* value) const {
  const Search* s = search.get();
  switch (id) {
    case XPRS_LPSTATUS: *value = s ? s->lpStatus() : 0; return true;
    case XPRS_MIPSTATUS: *value = s ? s->mipStatus() : 0; return true;
    case XPRS_NODES: *value = s ? s->nodesDone() : 0; return true;
    case XPRS_NODEDEPTH: *value = s ? s->depth() : 0; return true;
    case XPRS_COLS: *value = model.numCols(); return true;
    case XPRS_ROWS: *value = model.numRows(); return true;
    case XPRS_ERRORCODE: *value = errorNumber; return true;
    case XPRS_MIPINFEAS: *value = s ? s->fractional() : 0; return true;
    case XPRS_CURRENTNODE: *value = s ? s->nodeId() : 0; return true;
    case XPRS_SIMPLEXITER: *value = s ? static_cast<int>(s->iterations()) : 0; return true;
    case XPRS_NODELPSOLVES: *value = s ? static_cast<int>(s->lpSolves()) : 0; return true;
    case XPRS_ACTIVENODES: *value = s ? s->openNodes() : 0; return true;
    case XPRS_GENERICCUTSADDED: *value = s ? s->genericCutsAdded() : 0; return true;
    default: return false;
  }
}

bool Problem::dblAttrib(int id, double* value) const {
  const Search* s = search.get();
  switch (id) {
    case XPRS_LPOBJVAL: *value = s ? s->lpObjective() : 0.0; return true;
    case XPRS_MIPOBJVAL: *value = s ? s->bestInteger() : -1e40; return true;
    case XPRS_BESTBOUND: *value = s ? s->bestBound() : 1e40; return true;
    default: return false;
  }
}

}  // namespace xo
