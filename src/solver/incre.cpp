#include "solver/incre.hpp"

#include <utility>

#include "model/molmodel.hpp"

namespace orbcalc {

void incre(int order) {
  for (int i = 1; i <= order; ++i) {
    float best = hmat(i, i);
    int p = i;
    for (int q = i; q <= order; ++q) {
      if (hmat(q, q) > best) {
        p = q;
        best = hmat(q, q);
      }
    }
    if (p > i) {
      std::swap(hmat(i, i), hmat(p, p));
      for (int l = 1; l <= order; ++l) std::swap(vmat(l, i), vmat(l, p));
    }
  }
}

}  // namespace orbcalc
