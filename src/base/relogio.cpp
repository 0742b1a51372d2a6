// The clock ticks of the reported times.
#include "base/relogio.h"

#include <sys/times.h>

clock_t agora() {
  struct tms t;
  return times(&t);
}
