// A problem: the model, controls, cut pool, registered callbacks, the last
// error and the search (kept after XPRSmaxim so its results stay readable).
#ifndef BCT_OPTIMIZER_PROBLEM_H
#define BCT_OPTIMIZER_PROBLEM_H

#include <memory>
#include <vector>

#include "optimizer/Controls.h"
#include "optimizer/CutPool.h"
#include "optimizer/Model.h"
#include "optimizer/xprs.h"

namespace xo {

class Search;

// A registered callback with the user object it is called with; calling it
// passes the problem handle and that object ahead of the other arguments.
template <class F>
struct Callback {
  F fn = nullptr;
  void* data = nullptr;
  explicit operator bool() const { return fn != nullptr; }
  template <class... Args>
  auto operator()(XPRSprob h, Args... args) const {
    return fn(h, data, args...);
  }
};

struct Callbacks {
  Callback<XPRScbcutmgr> cutmgr;
  Callback<XPRScbintsol> intsol;
  Callback<XPRScboptnode> optnode;
  Callback<XPRScbchgbranch> chgbranch;
  Callback<XPRScbchgbranchobject> chgbranchobject;
  Callback<XPRScbchgnode> chgnode;
  Callback<XPRScbinfnode> infnode;
  Callback<XPRScbnodecutoff> nodecutoff;
  Callback<XPRScbchecktime> checktime;
};

class Problem {
 public:
  explicit Problem(XPRSprob handle);
  ~Problem();
  Problem(const Problem&) = delete;
  Problem& operator=(const Problem&) = delete;

  XPRSprob handle() const { return handle_; }
  bool searching() const;
  // Runs the search; returns 0 or an error number.
  int maxim(bool global);
  bool intAttrib(int id, int* value) const;
  bool dblAttrib(int id, double* value) const;

  Model model;
  Controls controls;
  CutPool pool;
  Callbacks callbacks;
  int errorNumber = 0;
  std::unique_ptr<Search> search;  // the running or the last search
  std::vector<int> marks;          // scratch, one per column, kept at 0

 private:
  XPRSprob handle_;
};

}  // namespace xo

#endif
