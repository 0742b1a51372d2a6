// Controls and their defaults.
#include "optimizer/Controls.h"

#include <cmath>

#include "optimizer/xprs.h"

namespace xo {

Controls::Controls() {
  ints_ = {{XPRS_EXTRAROWS, 0},     {XPRS_EXTRAELEMS, 0},   {XPRS_PRESOLVE, 1},
           {XPRS_MAXTIME, 0},       {XPRS_MAXMIPSOL, 0},    {XPRS_NODESELECTION, 5},
           {XPRS_MIPPRESOLVE, 0},   {XPRS_CPUTIME, 0},      {XPRS_CUTSTRATEGY, 0},
           {8028, 0},               {XPRS_SBBEST, 0},       {XPRS_HEURSTRATEGY, 0},
           {XPRS_CUTAGELIMIT, 8},   {XPRS_GENERICCUTS, 0},  {XPRS_DEPTHFIRSTNODES, 0},
           {XPRS_ROOTSTEEPESTEDGE, 0}, {XPRS_ROOTRESTRICTED, 0}};
  dbls_ = {{XPRS_MIPADDCUTOFF, 1e-5},
           {XPRS_MIPABSCUTOFF, -1e40},
           {XPRS_MIPRELCUTOFF, 0.0}};
}

bool Controls::setInt(int id, int value) {
  auto it = ints_.find(id);
  if (it == ints_.end()) return false;
  if (id == XPRS_CUTAGELIMIT && value < 1) return false;
  if (id == XPRS_GENERICCUTS && value < 0) return false;
  if (id == XPRS_DEPTHFIRSTNODES && value < 0) return false;
  if (id == XPRS_ROOTSTEEPESTEDGE && value != 0 && value != 1) return false;
  if (id == XPRS_ROOTRESTRICTED && value < 0) return false;
  it->second = value;
  return true;
}

bool Controls::setDbl(int id, double value) {
  auto it = dbls_.find(id);
  if (it == dbls_.end() || std::isnan(value)) return false;
  it->second = value;
  return true;
}

bool Controls::getInt(int id, int* value) const {
  auto it = ints_.find(id);
  if (it == ints_.end()) return false;
  *value = it->second;
  return true;
}

bool Controls::getDbl(int id, double* value) const {
  auto it = dbls_.find(id);
  if (it == dbls_.end()) return false;
  *value = it->second;
  return true;
}

}  // namespace xo
