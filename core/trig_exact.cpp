// The slow, certain path of sine and cosine: fixed-point arithmetic on 32-bit limbs, with an
// error bound counted in units of the last limb. It reduces |x| by the nearest multiple of
// pi/2, found by multiplying |x| by as many bits of 2/pi as the precision asks for, sums the
// Taylor series of sin or cos of the remainder, and rounds; when the bound leaves the
// rounding open it starts again with twice the limbs. sin and cos of a nonzero double are
// never exactly halfway between two doubles (they are transcendental), so more bits always
// decide in the end. The hardest arguments found below 2^22 need about 110 bits; the first
// attempt carries 192, less the leading zeros of the remainder (at most 61 for any double).
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/trig.h"
#include "core/trig_table.h"

namespace orv::trig_internal {
namespace {

constexpr int kMaxLimbs = kPiOver2Limbs;                      // fraction limbs of the last attempt
constexpr int kLimbSchedule[kAttempts] = {6, 12, kMaxLimbs};  // 192, 384, 768 bits

// A non-negative number N x 2^(-32 L): limbs 0 to L - 1 are the fraction (least significant
// first), limb L the integer part. Every number here is below 2^23.
struct Fixed {
  int limbs;  // L
  uint32_t w[kMaxLimbs + 1] = {};

  explicit Fixed(int fractionLimbs) : limbs(fractionLimbs) {}
};

Fixed One(int limbs) {
  Fixed f(limbs);
  f.w[limbs] = 1;
  return f;
}

Fixed PiOver2(int limbs) {
  Fixed f = One(limbs);
  for (int i = 0; i < limbs; ++i) f.w[limbs - 1 - i] = kPiOver2Fraction[i];
  return f;
}

bool Less(const Fixed& a, const Fixed& b) {
  for (int i = a.limbs; i >= 0; --i) {
    if (a.w[i] != b.w[i]) return a.w[i] < b.w[i];
  }
  return false;
}

// a - b for a >= b.
Fixed Subtract(const Fixed& a, const Fixed& b) {
  Fixed d(a.limbs);
  uint64_t borrow = 0;
  for (int i = 0; i <= a.limbs; ++i) {
    const uint64_t v = uint64_t{a.w[i]} - b.w[i] - borrow;
    d.w[i] = static_cast<uint32_t>(v);
    borrow = (v >> 32) != 0 ? 1 : 0;
  }
  return d;
}

Fixed AddUnits(const Fixed& a, uint32_t units) {
  Fixed s = a;
  uint64_t carry = units;
  for (int i = 0; i <= a.limbs && carry != 0; ++i) {
    const uint64_t v = uint64_t{s.w[i]} + carry;
    s.w[i] = static_cast<uint32_t>(v);
    carry = v >> 32;
  }
  return s;
}

// a x b truncated; the product is below 2^32.
Fixed Multiply(const Fixed& a, const Fixed& b) {
  const int n = a.limbs + 1;
  uint32_t product[2 * (kMaxLimbs + 1)] = {};
  for (int i = 0; i < n; ++i) {
    uint64_t carry = 0;
    for (int j = 0; j < n; ++j) {
      const uint64_t v = uint64_t{a.w[i]} * b.w[j] + product[i + j] + carry;
      product[i + j] = static_cast<uint32_t>(v);
      carry = v >> 32;
    }
    product[i + n] = static_cast<uint32_t>(carry);
  }
  Fixed p(a.limbs);
  for (int i = 0; i <= a.limbs; ++i) p.w[i] = product[i + a.limbs];
  return p;
}

// a / d truncated, d < 2^16: sixteen bits at a time, so that every division is of 32-bit
// numbers (a 32-bit x86 program then needs no 64-bit division routine).
Fixed DivideSmall(const Fixed& a, uint32_t d) {
  Fixed q(a.limbs);
  uint32_t rest = 0;  // < d
  for (int i = a.limbs; i >= 0; --i) {
    const uint32_t high = (rest << 16) | (a.w[i] >> 16);
    rest = high % d;
    const uint32_t low = (rest << 16) | (a.w[i] & 0xffff);
    rest = low % d;
    q.w[i] = ((high / d) << 16) | (low / d);
  }
  return q;
}

// The Taylor series of sin r / r (first = 2) or cos r (first = 1) in z = r^2 <= 0.62, by
//   h = 1 - z x h / ((2n - 2 + first) (2n - 1 + first)), n from the last term down to 1,
// every h in (0, 1]. The terms dropped sum to less than one unit. With err_z the error of z
// in units, each step adds at most (0.62 e + err_z + 1) / d + 1 to the error e of h, d >= 2:
// the total stays below err_z + 4 units.
Fixed Series(const Fixed& z, int first) {
  const int limbs = z.limbs;
  // Enough terms: the last divisor's factorial, (2n - 1 + first)!, is at least 2^(32 L + 2).
  const double enough = std::ldexp(1.0, 32 * limbs + 2);
  double factorial = 1.0;
  int m = 1;
  for (; factorial < enough; ++m) factorial *= m;
  Fixed h = One(limbs);
  for (int n = m / 2 + 1; n >= 1; --n) {
    const uint32_t d = static_cast<uint32_t>((2 * n - 2 + first) * (2 * n - 1 + first));
    h = Subtract(One(limbs), DivideSmall(Multiply(z, h), d));
  }
  return h;
}

// The double nearest to f (ties to even); f is 0 or at least 2^-700.
double Round(const Fixed& f) {
  int top = f.limbs;
  while (top > 0 && f.w[top] == 0) --top;
  if (f.w[top] == 0) return 0.0;
  int msb = 31;
  while (((f.w[top] >> msb) & 1) == 0) --msb;
  const int highest = 32 * top + msb;  // bit index of the leading one
  uint64_t window = 0;                 // the 64 bits from the leading one down
  for (int k = 0; k < 64; ++k) {
    const int p = highest - k;
    const uint64_t bit = p >= 0 ? (f.w[p / 32] >> (p % 32)) & 1 : 0;
    window = (window << 1) | bit;
  }
  bool sticky = (window & 0x3ff) != 0;
  for (int p = highest - 64; p >= 0 && !sticky; --p) sticky = ((f.w[p / 32] >> (p % 32)) & 1) != 0;
  uint64_t mantissa = window >> 11;
  const bool roundBit = ((window >> 10) & 1) != 0;
  if (roundBit && (sticky || (mantissa & 1) != 0)) ++mantissa;  // 2^53 is still exact
  return std::ldexp(static_cast<double>(mantissa), highest - 52 - 32 * f.limbs);
}

// Bit k of 2/pi after the binary point (bit 1 is worth 1/2); 0 for k <= 0.
uint32_t TwoOverPiBit(int k) {
  if (k <= 0) return 0;
  return (kTwoOverPi[(k - 1) / 32] >> (31 - (k - 1) % 32)) & 1;
}

// floor(2/pi x 2^t) mod 2^32: bits t - 31 to t.
uint32_t TwoOverPiWord(int t) {
  uint32_t word = 0;
  for (int k = t - 31; k <= t; ++k) word = (word << 1) | TwoOverPiBit(k);
  return word;
}

// Limbs kept below the result's while multiplying by 2/pi: they take the error of cutting 2/pi
// off, less than |x|'s 53-bit mantissa in their lowest unit.
constexpr int kGuardLimbs = 2;
constexpr int kProductLimbs = kMaxLimbs + 1 + kGuardLimbs;
constexpr int kLargestExponent =  // the largest double is (2^53 - 1) x 2^971
    std::numeric_limits<double>::max_exponent - std::numeric_limits<double>::digits;
static_assert(32 * kTwoOverPiWords >= kLargestExponent + 32 * (kMaxLimbs + kGuardLimbs),
              "2/pi is too short for the largest double");

// |x| = (4j + quadrant) x pi/2 + r for some integer j, |r| <= pi/4 (to within the error).
struct Remainder {
  uint32_t quadrant;  // 0 to 3
  bool negative;      // r < 0
  Fixed magnitude;    // |r|, less than 3.1 units from the true value
};

// With |x| = M x 2^E (M < 2^53 an integer), bit k of 2/pi adds M x 2^(E - k) to |x| x 2/pi,
// a multiple of 4 for k <= E - 2, so only the bits after those are needed. n limbs of their
// product with M, the highest one for the integer part, hold |x| x 2/pi modulo 2^32 to
// 32 (L + 2) bits of fraction, short of the exact value by less than M units of the lowest
// limb for the bits of 2/pi left out. Dropping the two guard limbs leaves the fraction f
// low by less than 1 + 2^-11 units of the result. The nearest quarter turn leaves
// |f| <= 1/2, and r = f x pi/2 (pi/2 short by less than a unit, the product truncated) errs
// by less than 1.001 x pi/2 + 1/2 + 1 < 3.1 units.
Remainder Reduce(double x, int limbs) {
  int exponent = 0;
  const double m = std::frexp(std::fabs(x), &exponent);  // |x| = m x 2^exponent, 1/2 <= m < 1
  const uint64_t mantissa = static_cast<uint64_t>(std::ldexp(m, 53));
  // In units of the product's lowest limb, |x| x 2/pi = mantissa x 2/pi x 2^shift.
  const int shift = exponent - 53 + 32 * (limbs + kGuardLimbs);
  const int n = limbs + 1 + kGuardLimbs;
  uint32_t twoOverPi[kProductLimbs] = {};  // floor(2/pi x 2^shift) mod 2^(32 n)
  for (int i = 0; i < n; ++i) twoOverPi[i] = TwoOverPiWord(shift - 32 * i);

  // product = twoOverPi x mantissa mod 2^(32 n), the mantissa in two 32-bit halves.
  uint32_t product[kProductLimbs] = {};
  const uint32_t halves[2] = {static_cast<uint32_t>(mantissa),
                              static_cast<uint32_t>(mantissa >> 32)};
  for (int half = 0; half < 2; ++half) {
    uint64_t carry = 0;
    for (int i = half; i < n; ++i) {
      const uint64_t v = uint64_t{twoOverPi[i - half]} * halves[half] + product[i] + carry;
      product[i] = static_cast<uint32_t>(v);
      carry = v >> 32;
    }
  }

  Fixed fraction(limbs);
  for (int i = 0; i < limbs; ++i) fraction.w[i] = product[i + kGuardLimbs];
  uint32_t quadrant = product[limbs + kGuardLimbs] & 3;
  const bool pastHalf = (fraction.w[limbs - 1] >> 31) != 0;
  if (pastHalf) {  // nearer the next quarter turn: r = (f - 1) x pi/2
    quadrant = (quadrant + 1) & 3;
    fraction = Subtract(One(limbs), fraction);
  }
  return {quadrant, pastHalf, Multiply(fraction, PiOver2(limbs))};
}

// A bound on the error of sin r or cos r, in units. With r off by e < 3.1 units, z = r^2 is
// off by less than 2e + 1, the series by less than 2e + 5, and sin r = r x (series) by less
// than 3e + 6 < 16.
constexpr uint32_t kErrorUnits = 16;

}  // namespace

double ExactSinCos(double x, bool cosine, int firstAttempt) {
  if (!std::isfinite(x)) return x - x;  // NaN
  double rounded = 0.0;
  if (firstAttempt < 0 || firstAttempt >= kAttempts) firstAttempt = 0;
  for (int attempt = firstAttempt; attempt < kAttempts; ++attempt) {
    const int limbs = kLimbSchedule[attempt];
    const Remainder r = Reduce(x, limbs);

    // f(|x|) = f(r + k pi/2): sin of it is (sin r, cos r, -sin r, -cos r) for k mod 4 = 0
    // to 3, and cos x = sin(x + pi/2).
    const uint32_t turn = r.quadrant + (cosine ? 1 : 0);
    const bool cosineOfR = (turn & 1) != 0;
    bool negative = (turn & 2) != 0;
    if (!cosineOfR && r.negative) negative = !negative;  // sin(-|r|) = -sin |r|
    if (!cosine && x < 0) negative = !negative;          // sin(-|x|) = -sin |x|

    const Fixed z = Multiply(r.magnitude, r.magnitude);
    const Fixed y = cosineOfR ? Series(z, 1) : Multiply(r.magnitude, Series(z, 2));
    const Fixed margin = AddUnits(Fixed(limbs), kErrorUnits);
    rounded = negative ? -Round(y) : Round(y);
    // Every value within the bound rounds alike when both ends do (rounding is monotonic).
    if (!Less(y, margin) && Round(Subtract(y, margin)) == Round(AddUnits(y, kErrorUnits))) {
      return rounded;
    }
  }
  return rounded;
}

}  // namespace orv::trig_internal
