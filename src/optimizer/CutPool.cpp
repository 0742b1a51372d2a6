// The cut pool.
#include "optimizer/CutPool.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

namespace xo {
namespace {

std::vector<std::pair<int, double>> sortedTerms(const SparseRow& r) {
  std::vector<std::pair<int, double>> t(r.cols.size());
  for (size_t k = 0; k < t.size(); ++k) t[k] = {r.cols[k], r.vals[k]};
  std::sort(t.begin(), t.end());
  return t;
}

std::size_t mix(std::size_t h, std::size_t v) {
  return h ^ (v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2));
}

std::size_t hashDouble(double d) {
  if (d == 0.0) d = 0.0;  // -0 and +0 alike
  return std::hash<double>()(d);
}

}  // namespace

std::size_t CutPool::hashOf(const SparseRow& row) {
  // Order-free over the terms: a commutative sum of per-term hashes.
  std::size_t terms = 0;
  for (size_t k = 0; k < row.cols.size(); ++k)
    terms += mix(std::hash<int>()(row.cols[k]), hashDouble(row.vals[k]));
  std::size_t h = mix(static_cast<std::size_t>(row.sense), hashDouble(row.rhs));
  h = mix(h, row.cols.size());
  return mix(h, terms);
}

bool CutPool::sameRow(const SparseRow& a, const SparseRow& b) {
  if (a.sense != b.sense || a.rhs != b.rhs || a.cols.size() != b.cols.size()) return false;
  if (a.cols == b.cols) return a.vals == b.vals;
  return sortedTerms(a) == sortedTerms(b);
}

int CutPool::store(int type, SparseRow row, int nodupl) {
  const std::size_t h = hashOf(row);
  if (nodupl == 1 || nodupl == 2) {
    // The earliest equal cut, so that the answer does not depend on the
    // order inside a hash bucket.
    int found = -1;
    auto range = byHash_.equal_range(h);
    for (auto it = range.first; it != range.second; ++it) {
      const Cut& c = cuts_[it->second];
      if ((found < 0 || it->second < found) && (nodupl == 2 || c.type == type) && sameRow(c.row, row))
        found = it->second;
    }
    if (found >= 0) return found;
  }
  flatCol_.insert(flatCol_.end(), row.cols.begin(), row.cols.end());
  flatVal_.insert(flatVal_.end(), row.vals.begin(), row.vals.end());
  flatStart_.push_back(static_cast<int>(flatCol_.size()));
  cuts_.push_back(Cut{type, std::move(row), h});
  const int index = size() - 1;
  byHash_.emplace(h, index);
  return index;
}

void CutPool::violations(const int* which, int n, const double* x, double* out) const {
  const int* col = flatCol_.data();
  const double* val = flatVal_.data();
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    int b[4], e[4];
    for (int t = 0; t < 4; ++t) {
      b[t] = flatStart_[which[i + t]];
      e[t] = flatStart_[which[i + t] + 1];
    }
    const int common = std::min(std::min(e[0] - b[0], e[1] - b[1]), std::min(e[2] - b[2], e[3] - b[3]));
    double a0 = 0.0, a1 = 0.0, a2 = 0.0, a3 = 0.0;
    for (int k = 0; k < common; ++k) {
      a0 += val[b[0] + k] * x[col[b[0] + k]];
      a1 += val[b[1] + k] * x[col[b[1] + k]];
      a2 += val[b[2] + k] * x[col[b[2] + k]];
      a3 += val[b[3] + k] * x[col[b[3] + k]];
    }
    double a[4] = {a0, a1, a2, a3};
    for (int t = 0; t < 4; ++t) {
      for (int k = b[t] + common; k < e[t]; ++k) a[t] += val[k] * x[col[k]];
      out[i + t] = violationOf(which[i + t], a[t]);
    }
  }
  for (; i < n; ++i) out[i] = violation(which[i], x);
}

bool CutPool::typeMatches(int type, int itype, int interp) {
  if (interp == -1) return true;
  if (interp == 2) return (type & itype) != 0;
  return type == itype;
}

}  // namespace xo
