// Error numbers left in attribute 1023 (XPRS_ERRORCODE) by failed calls.
#ifndef BCT_OPTIMIZER_ERRORCODES_H
#define BCT_OPTIMIZER_ERRORCODES_H

#include "optimizer/xprs.h"

namespace xo {

enum ErrorNumber {
  kErrNone = 0,
  kErrBadHandle = XPRS_ERRNO_BADHANDLE,
  kErrNullArgument = XPRS_ERRNO_NULLARG,
  kErrBadIndex = XPRS_ERRNO_BADINDEX,
  kErrBadCount = XPRS_ERRNO_BADCOUNT,
  kErrBadSense = XPRS_ERRNO_BADTYPE,
  kErrWrongState = XPRS_ERRNO_STATE,
  kErrLpFailed = XPRS_ERRNO_LPFAILED,
  kErrUnbounded = XPRS_ERRNO_UNBOUNDED,
  kErrNotLoaded = XPRS_ERRNO_NOTLOADED,
};

}  // namespace xo

#endif
