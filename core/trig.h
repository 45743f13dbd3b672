// Sine and cosine in plain double arithmetic, so that every build (native, 32-bit and 64-bit
// Windows) turns the shapes through bit-identical values: the C libraries' versions differ in
// the last bit between platforms. For |x| < 2^22 both are correctly rounded (to nearest): a
// fast double-double evaluation decides nearly every argument (all but about one in 20 000),
// and the few it cannot round with certainty go to a slower fixed-point evaluation with as
// many bits as it takes. Larger arguments (the program never makes them) are reduced with a
// long 2/pi and come out within one unit in the last place.
#pragma once

namespace orv {

double Sin(double x);
double Cos(double x);

// x = n x pi/2 + (hi + lo) with |hi + lo| <= about pi/4; quadrant is n mod 4 (0 to 3).
// For infinities and NaN, hi and lo are NaN.
struct QuarterTurns {
  int quadrant;
  double hi;
  double lo;
};
QuarterTurns ReduceQuarterTurns(double x);

// The two ways of computing a correctly rounded value, open to the tests. Both take a finite
// x with 2^-26 <= |x| < 2^22.
namespace trig_internal {

// sin x (or cos x) ~ hi + lo with |true value - (hi + lo)| <= bound.
struct Approximation {
  double hi;
  double lo;
  double bound;
};
Approximation ApproximateSinCos(double x, bool cosine);

// The correctly rounded sin x (or cos x) from fixed-point arithmetic with 192, 384, then 768
// bits, starting with the given attempt (0 to 2).
inline constexpr int kAttempts = 3;
double ExactSinCos(double x, bool cosine, int firstAttempt = 0);

}  // namespace trig_internal
}  // namespace orv
