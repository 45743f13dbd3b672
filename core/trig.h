// Sine and cosine in plain double arithmetic, so that every build (native, 32-bit and 64-bit
// Windows) turns the shapes through bit-identical values: the C libraries' versions differ in
// the last bit between platforms. Both are correctly rounded (to nearest) for every double: a
// fast double-double evaluation decides nearly every argument below 2^22 (all but about one in
// 20 000), and the few it cannot round with certainty, and the larger arguments the program
// never makes, go to a slower fixed-point evaluation with as many bits as it takes.
#pragma once

namespace orv {

double Sin(double x);
double Cos(double x);

// The two ways of computing a correctly rounded value, open to the tests. Both take an x with
// |x| >= 2^-26: the first below 2^22, the second any finite x (NaN for the others).
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
