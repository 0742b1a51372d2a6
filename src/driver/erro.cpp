// The fatal-error report.  (stub)
#include "driver/erro.h"
#include <cstdlib>

XPRSprob prob = nullptr;
int xpress_ret = 0;

void errormsg(const char*, int, int code) { std::exit(code); }
