// Correctly rounded sine and cosine. The argument is reduced by the nearest multiple of pi/2
// to r = rh + rl (double-double), r is split into a table point a = i / 128 and t = r - a
// (|t| <= 1/256), and
//   sin(a + t) = sin a + cos a x t + sin a x (cos t - 1) + cos a x (sin t - t)
//   cos(a + t) = cos a - sin a x t + cos a x (cos t - 1) - sin a x (sin t - t)
// is summed in double-double: the first two terms exactly, the small corrections in plain
// double. A rigorous bound on the error, computed alongside, tells whether the rounding of
// the double-double sum is certain; if not, the fixed-point evaluation decides.
// Every operation is a plain IEEE double operation (no fused multiply-add, no extended
// precision), so every build gets the same bits.
#include "core/trig.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/trig_table.h"

namespace orv {
namespace trig_internal {
namespace {

struct DoubleDouble {
  double hi;
  double lo;
};

// hi + lo == a + b exactly, hi the rounded sum: what of each addend reached the sum is taken
// back out, and the two leftovers are the rounding error (exact for any a and b).
DoubleDouble TwoSum(double a, double b) {
  const double sum = a + b;
  const double bInSum = sum - a;
  const double aInSum = sum - bInSum;
  return {sum, (a - aInSum) + (b - bInSum)};
}

// A double cut into two parts of at most 26 significant bits each (the low one signed), so
// that the product of two such parts is exact: multiplying by 2^27 + 1 and taking the
// difference back rounds the low bits away. |a| < 2^900.
DoubleDouble HalvesOf(double a) {
  constexpr double kSpread = 0x1p27 + 1;
  const double spread = kSpread * a;
  const double high = spread - (spread - a);
  return {high, a - high};
}

// hi + lo == a x b exactly, without a fused multiply-add: the four products of the halves are
// exact, and summed from the largest they give what rounding the product took off.
DoubleDouble TwoProduct(double a, double b) {
  const DoubleDouble x = HalvesOf(a);
  const DoubleDouble y = HalvesOf(b);
  const double product = a * b;
  return {product, ((x.hi * y.hi - product) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

// The reduced argument: x = n x pi/2 + hi + lo, |hi + lo - exact| <= bound.
struct Reduced {
  int32_t quadrant;  // n mod 4
  double hi;
  double lo;
  double bound;
};

// Cody-Waite reduction for |x| < 2^22 (so |n| < 2^21.35). pi/2 = C1 + C2 + C3 + C4 + d with
// C1..C3 of 31 bits each and |d| < 2^-145.
//  - n x C1, n x C2 and n x C3 are exact (at most 22 + 31 bits).
//  - x - n x C1 is exact: both are multiples of 2^-53 (|x| > pi/4 > 1/2) and the difference
//    is below 1 in magnitude (at most pi/4 + 2^-29 + |n| x 2^-30).
//  - the two further subtractions are exact two-sums; what is left is their error terms
//    (each <= 2^-53 of a partial sum), n x C4 rounded (error <= 2^-123.6) and n x d
//    (<= 2^-123.6). Adding those costs <= 2^-104 |r| + 2^-144, so in all
//    |r - (hi + lo)| <= 2^-103 |hi| + 2^-120.
Reduced ReduceModerate(double x) {
  constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
  constexpr double kC1 = 0x1.921fb544p+0;
  constexpr double kC2 = 0x1.0b4611a4p-34;
  constexpr double kC3 = 0x1.13198a2cp-65;
  constexpr double kC4 = 0x1.01b839a25204ap-96;
  constexpr double kToInteger = 0x1.8p52;  // adding it rounds to an integer

  if (std::fabs(x) <= 0x1.921fb54442d18p-1) return {0, x, 0.0, 0.0};  // |x| <= pi/4
  const double n = (x * kTwoOverPi + kToInteger) - kToInteger;
  const double r1 = x - n * kC1;
  const DoubleDouble s = TwoSum(r1, -(n * kC2));
  const DoubleDouble s2 = TwoSum(s.hi, -(n * kC3));
  const double tail = (s.lo + s2.lo) - n * kC4;
  const DoubleDouble r = TwoSum(s2.hi, tail);
  return {static_cast<int32_t>(n) & 3, r.hi, r.lo, 0x1p-103 * std::fabs(r.hi) + 0x1p-120};
}

// sin or cos of the reduced argument, by the sum above. The error bound adds up:
//  - the reduction's bound (both functions change by at most |dr|);
//  - the table, 2^-106 relative, and vh x tl and the dropped vl x tl: <= 2^-104 together;
//  - the polynomials' truncation: t^10 / 10! <= 2^-101.7 for cos t - 1 and
//    |t| x t^10 / 11! <= |t| x 2^-105.2 for sin t - t;
//  - cos t - 1 from the rounded t (relative error 2^-53) in a few roundings: <= 5 x 2^-53 of
//    itself, times uh in one more rounding, with ul x (cos t - 1) dropped: <= 7 x 2^-53 of
//    uh x (cos t - 1); likewise <= 11 x 2^-53 of vh x (sin t - t);
//  - the five additions of the small low parts: <= 5 x 2^-53 of the sum of their
//    magnitudes; adding uh x (cos t - 1) to them: <= 2^-53 of it and of that sum.
// So 8 x 2^-53 of uh x (cos t - 1), 11 of vh x (sin t - t) and 6 of the small parts; the
// bound takes 10, 16 and 16, which also covers the rounding of its own arithmetic.
Approximation Evaluate(const Reduced& r, bool cosine) {
  const int index = static_cast<int>(r.hi * kTableSteps + (r.hi < 0 ? -0.5 : 0.5));
  const SinCosPair& entry = kSinCosTable[index < 0 ? -index : index];
  // th is exact: for index 0 it is r.hi itself, else both terms are multiples of ulp(r.hi)
  // >= 2^-61 and |th| <= 2^-8.
  const double th = r.hi - static_cast<double>(index) / kTableSteps;
  const double tl = r.lo;
  const double sinHi = index < 0 ? -entry.sinHi : entry.sinHi;
  const double sinLo = index < 0 ? -entry.sinLo : entry.sinLo;

  const int32_t turn = r.quadrant + (cosine ? 1 : 0);  // cos x = sin(x + pi/2)
  const bool cosineOfR = (turn & 1) != 0;
  // sin(a + t) = U cos t + V sin t with (U, V) = (sin a, cos a); cos(a + t) with
  // (cos a, -sin a).
  const double uh = cosineOfR ? entry.cosHi : sinHi;
  const double ul = cosineOfR ? entry.cosLo : sinLo;
  const double vh = cosineOfR ? -sinHi : entry.cosHi;
  const double vl = cosineOfR ? -sinLo : entry.cosLo;

  const double t = th + tl;
  const double z = t * t;
  const double cosMinusOne =
      z * (-0.5 +
           z * (0x1.5555555555555p-5 + z * (-0x1.6c16c16c16c17p-10 + z * 0x1.a01a01a01a01ap-16)));
  const double sinMinusT =
      t * z *
      (-0x1.5555555555555p-3 +
       z * (0x1.1111111111111p-7 + z * (-0x1.a01a01a01a01ap-13 + z * 0x1.71de3a556c734p-19)));

  const DoubleDouble vt = TwoProduct(vh, th);
  const DoubleDouble lead = TwoSum(uh, vt.hi);
  const double uCos = uh * cosMinusOne;
  const double vSin = vh * sinMinusT;
  const double vtl = vh * tl;
  const double vlth = vl * th;
  // The small terms first, so that only the last addition rounds at the size of uCos.
  const double small = lead.lo + (vt.lo + (ul + (vtl + (vlth + vSin))));
  const DoubleDouble y = TwoSum(lead.hi, uCos + small);

  const double smallMagnitudes = std::fabs(lead.lo) + std::fabs(vt.lo) + std::fabs(ul) +
                                 std::fabs(vtl) + std::fabs(vlth) + std::fabs(vSin);
  const double bound = r.bound + 0x1p-104 + 0x1p-101 * std::fabs(uh) +
                       0x1p-105 * std::fabs(vh * t) + 0x1.4p-50 * std::fabs(uCos) +
                       0x1p-49 * (std::fabs(vSin) + smallMagnitudes);
  if ((turn & 2) != 0) return {-y.hi, -y.lo, bound};
  return {y.hi, y.lo, bound};
}

// A double's bits and back (copied: emscripten's library has no std::bit_cast).
uint64_t BitsOf(double x) {
  uint64_t bits = 0;
  std::memcpy(&bits, &x, sizeof bits);
  return bits;
}

double DoubleOf(uint64_t bits) {
  double x = 0;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

// True when every value within `bound` of hi + lo rounds to hi (hi being hi + lo rounded).
// Half the gap to hi's neighbours is ulp(hi) / 2, or ulp(hi) / 4 towards zero when hi is a
// power of two; the latter is taken for powers of two either way. The slack of 2^-20 covers
// the rounding of |lo| + bound.
bool RoundsSafely(const Approximation& a) {
  const uint64_t bits = BitsOf(a.hi) & 0x7fffffffffffffffull;
  const uint64_t exponent = bits >> 52;
  if (exponent < 64) return false;  // never here (|hi| > 2^-70), but keeps the gap normal
  uint64_t halfGapExponent = exponent - 53;
  if ((bits & 0xfffffffffffffull) == 0) halfGapExponent -= 1;
  const double halfGap = DoubleOf(halfGapExponent << 52);
  return std::fabs(a.lo) + a.bound < halfGap * (1.0 - 0x1p-20);
}

}  // namespace

Approximation ApproximateSinCos(double x, bool cosine) {
  return Evaluate(ReduceModerate(x), cosine);
}

}  // namespace trig_internal

namespace {

constexpr double kModerateLimit = 0x1p22;

// Arguments of 2^22 and more (the program never makes them) go straight to the fixed-point
// evaluation, which reduces any finite argument with enough bits of 2/pi; infinities and NaN
// give NaN.
double SinCosHuge(double x, bool cosine) {
  return trig_internal::ExactSinCos(x, cosine);
}

double RoundedSinCos(double x, bool cosine) {
  const trig_internal::Approximation a = trig_internal::ApproximateSinCos(x, cosine);
  if (trig_internal::RoundsSafely(a)) return a.hi;
  return trig_internal::ExactSinCos(x, cosine);
}

}  // namespace

double Sin(double x) {
  const double ax = std::fabs(x);
  if (!(ax < kModerateLimit)) return SinCosHuge(x, false);
  if (ax < 0x1p-26) return x;  // |sin x - x| < |x|^3 / 6, below half an ulp of x
  return RoundedSinCos(x, false);
}

double Cos(double x) {
  const double ax = std::fabs(x);
  if (!(ax < kModerateLimit)) return SinCosHuge(x, true);
  if (ax < 0x1p-27) return 1.0;  // 1 - cos x < 2^-55, below half the gap under 1
  return RoundedSinCos(x, true);
}

}  // namespace orv
