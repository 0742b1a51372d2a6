// Integer and double controls: the numbers accepted, their defaults and values.
#ifndef BCT_OPTIMIZER_CONTROLS_H
#define BCT_OPTIMIZER_CONTROLS_H

#include <map>

namespace xo {

class Controls {
 public:
  Controls();
  bool setInt(int id, int value);
  bool setDbl(int id, double value);
  bool getInt(int id, int* value) const;
  bool getDbl(int id, double* value) const;
  int intValue(int id) const { return ints_.at(id); }
  double dblValue(int id) const { return dbls_.at(id); }

 private:
  std::map<int, int> ints_;
  std::map<int, double> dbls_;
};

}  // namespace xo

#endif
