// Live handles.
#include "optimizer/HandleRegistry.h"

#include <mutex>
#include <unordered_map>
#include <vector>

#include "optimizer/Search.h"

struct xo_prob_struct {
  std::unique_ptr<xo::Problem> impl;
};

struct xo_branchobject_struct {
  XPRSprob owner;
  xo::BranchObject impl;
};

namespace xo {
namespace {

std::mutex& trava() {
  static std::mutex m;
  return m;
}

std::unordered_map<XPRSprob, std::unique_ptr<xo_prob_struct>>& problems() {
  static std::unordered_map<XPRSprob, std::unique_ptr<xo_prob_struct>> m;
  return m;
}

std::unordered_map<XPRSbranchobject, std::unique_ptr<xo_branchobject_struct>>& objects() {
  static std::unordered_map<XPRSbranchobject, std::unique_ptr<xo_branchobject_struct>> m;
  return m;
}

}  // namespace

thread_local int HandleRegistry::lastError = 0;

XPRSprob HandleRegistry::createProblem() {
  auto p = std::make_unique<xo_prob_struct>();
  XPRSprob h = p.get();
  p->impl = std::make_unique<Problem>(h);
  std::lock_guard<std::mutex> l(trava());
  problems().emplace(h, std::move(p));
  return h;
}

Problem* HandleRegistry::problem(XPRSprob prob) {
  if (!prob) return nullptr;
  std::lock_guard<std::mutex> l(trava());
  auto it = problems().find(prob);
  return it == problems().end() ? nullptr : it->second->impl.get();
}

void HandleRegistry::destroyProblem(XPRSprob prob) {
  std::unique_ptr<xo_prob_struct> morto;  // destroyed outside the lock
  std::lock_guard<std::mutex> l(trava());
  std::vector<XPRSbranchobject> owned;
  for (auto& [h, bo] : objects())
    if (bo->owner == prob) owned.push_back(h);
  for (XPRSbranchobject h : owned) objects().erase(h);
  auto it = problems().find(prob);
  if (it != problems().end()) {
    morto = std::move(it->second);
    problems().erase(it);
  }
}

void HandleRegistry::destroyAllProblems() {
  std::lock_guard<std::mutex> l(trava());
  objects().clear();
  problems().clear();
}

XPRSbranchobject HandleRegistry::createBranchObject(XPRSprob owner, int numCols) {
  auto b = std::unique_ptr<xo_branchobject_struct>(
      new xo_branchobject_struct{owner, BranchObject(numCols)});
  XPRSbranchobject h = b.get();
  std::lock_guard<std::mutex> l(trava());
  objects().emplace(h, std::move(b));
  return h;
}

BranchObject* HandleRegistry::branchObject(XPRSbranchobject bo) {
  if (!bo) return nullptr;
  std::lock_guard<std::mutex> l(trava());
  auto it = objects().find(bo);
  return it == objects().end() ? nullptr : &it->second->impl;
}

XPRSprob HandleRegistry::owner(XPRSbranchobject bo) {
  std::lock_guard<std::mutex> l(trava());
  auto it = objects().find(bo);
  return it == objects().end() ? nullptr : it->second->owner;
}

void HandleRegistry::destroyBranchObject(XPRSbranchobject bo) {
  std::unique_ptr<xo_branchobject_struct> morto;
  std::lock_guard<std::mutex> l(trava());
  auto it = objects().find(bo);
  if (it == objects().end()) return;
  morto = std::move(it->second);
  objects().erase(it);
}

}  // namespace xo
