#include "solver/jacobi.hpp"

#include <cfloat>
#include <cmath>

#include "model/molmodel.hpp"
#include "solver/soft_extended.hpp"

namespace orbcalc {

namespace {

// Single-precision constants: bits 358637BD and 3DCCCCCD.
constexpr float kEpsilon = 1.0e-6f;
constexpr float kThresholdFactor = 0.1f;

// The one rounding of a formula: its extended value stored as a float.
template <class Ext>
float single(const Ext& x) {
  return static_cast<float>(x);
}

template <class Ext>
Ext square_root(const Ext& x) {
  using std::sqrt;  // long double; SoftExtended's own is found by its type
  return sqrt(x);
}

// The largest magnitude below the diagonal of the block. It starts from
// element (2, 1) even when that lies outside the block, and only a strictly
// larger value replaces it, so a NaN below the diagonal is passed over.
float measure(int order) {
  float m = std::fabs(hmat(2, 1));
  for (int i = 2; i <= order; ++i) {
    for (int j = 1; j <= i - 1; ++j) {
      if (std::fabs(hmat(i, j)) > m) m = std::fabs(hmat(i, j));
    }
  }
  return m;
}

// Every element strictly below the diagonal of the block is finite. The
// measure passes over a NaN there, so a converged measure alone does not
// say the block was diagonalised; the diagonal may hold anything.
bool below_diagonal_is_finite(int order) {
  for (int i = 2; i <= order; ++i) {
    for (int j = 1; j <= i - 1; ++j) {
      if (!std::isfinite(hmat(i, j))) return false;
    }
  }
  return true;
}

// Applies to the pair (j, k), j > k, the plane rotation that annihilates
// hmat(j, k), from both sides to hmat and from the right to vmat. Every
// formula keeps the order of its operations as written; the angle is the
// larger of the two (|t| >= 1).
template <class Ext>
void rotate(int j, int k, int order) {
  const Ext one(1.0f);
  const Ext two(2.0f);
  const float a_jj = hmat(j, j);
  const float a_kk = hmat(k, k);
  const Ext e_jj(a_jj);
  const Ext e_kk(a_kk);

  // The divisor is the element above the diagonal, equal to the one below.
  const float theta = single((e_jj - e_kk) / (two * Ext(hmat(k, j))));
  const Ext e_theta(theta);
  const float r = single(square_root(e_theta * e_theta + one));
  // The root of t^2 - 2 theta t - 1 = 0 with the sign of theta; theta = 0
  // gives t = -1.
  const float t = theta <= 0.0f ? single(e_theta - Ext(r)) : single(Ext(r) + e_theta);
  const Ext e_t(t);
  const float c = single(one / Ext(single(square_root(e_t * e_t + one))));
  const Ext e_c(c);
  const float s = single(e_c * e_t);
  const Ext e_s(s);

  for (int l = 1; l <= order; ++l) {
    if (l == k) {
      const Ext h_jk(hmat(j, k));
      hmat(k, k) = single(((e_kk * e_c) * e_c + ((two * h_jk) * e_s) * e_c) + (e_jj * e_s) * e_s);
      // The trace of the pair is carried over from the stored new hmat(k, k).
      hmat(j, j) = single((e_kk + e_jj) - Ext(hmat(k, k)));
    } else if (l != j) {
      const Ext h_k(hmat(k, l));
      const Ext h_j(hmat(j, l));
      hmat(k, l) = single(h_k * e_c + h_j * e_s);
      hmat(j, l) = single(h_j * e_c - h_k * e_s);
      hmat(l, k) = hmat(k, l);
      hmat(l, j) = hmat(j, l);
    }
  }

  // Computed rather than set to zero: its rounding residue stays and the
  // next measure sees it.
  const Ext h_jk(hmat(j, k));
  hmat(j, k) = single(h_jk * ((e_c * e_c) - (e_s * e_s)) + ((e_jj - e_kk) * e_s) * e_c);
  hmat(k, j) = hmat(j, k);

  for (int l = 1; l <= order; ++l) {
    const Ext v_j(vmat(l, j));
    const Ext v_k(vmat(l, k));
    vmat(l, j) = single(v_j * e_c - v_k * e_s);
    vmat(l, k) = single(v_j * e_s + v_k * e_c);
  }
}

}  // namespace

template <class Ext>
JacobiOutcome jacobi(int order, int max_sweeps) {
  JacobiOutcome outcome;
  for (int i = 1; i <= order; ++i) vmat(i, i) = 1.0f;

  while (true) {
    const float m = measure(order);
    if (m <= kEpsilon) {
      outcome.converged = below_diagonal_is_finite(order);
      return outcome;
    }
    if (outcome.sweeps == max_sweeps) return outcome;

    // Fixed for the whole sweep.
    const float tau = single(Ext(m) * Ext(kThresholdFactor));
    ++outcome.sweeps;
    int rotations_in_sweep = 0;
    for (int j = 2; j <= order; ++j) {
      for (int k = 1; k <= j - 1; ++k) {
        if (std::fabs(hmat(j, k)) > tau) {
          rotate<Ext>(j, k, order);
          ++rotations_in_sweep;
        }
      }
    }
    outcome.rotations += rotations_in_sweep;
    // Nothing changed, so every later sweep would find the same measure and
    // rotate nothing again: the measure is an infinity or a NaN, or comes
    // from element (2, 1) outside a block smaller than 2 by 2.
    if (rotations_in_sweep == 0) return outcome;
  }
}

template JacobiOutcome jacobi<SoftExtended>(int, int);
// The hardware type only where it is the extended format with rounding
// float conversions (the same condition as kLongDoubleIsExtended).
#if LDBL_MANT_DIG == 64 && FLT_EVAL_METHOD == 0
template JacobiOutcome jacobi<long double>(int, int);
#endif

}  // namespace orbcalc
