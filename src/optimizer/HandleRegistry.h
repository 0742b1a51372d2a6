// The live problems and branching objects: every handle coming through the C
// interface is checked here, so a null or dead one is an error, not a crash.
// Problems may be created, used and destroyed on several threads at once
// (each problem by one thread at a time): the registry is locked.
#ifndef BCT_OPTIMIZER_HANDLEREGISTRY_H
#define BCT_OPTIMIZER_HANDLEREGISTRY_H

#include <memory>

#include "optimizer/BranchObject.h"
#include "optimizer/Problem.h"
#include "optimizer/xprs.h"

namespace xo {

class HandleRegistry {
 public:
  static XPRSprob createProblem();
  static Problem* problem(XPRSprob prob);  // null when not live
  static void destroyProblem(XPRSprob prob);
  static void destroyAllProblems();

  static XPRSbranchobject createBranchObject(XPRSprob owner, int numCols);
  static BranchObject* branchObject(XPRSbranchobject bo);  // null when not live
  static XPRSprob owner(XPRSbranchobject bo);
  static void destroyBranchObject(XPRSbranchobject bo);

  // The calling thread's last error, for failures that have no live problem.
  static thread_local int lastError;
};

}  // namespace xo

#endif
