// The slow, certain path of sine and cosine: fixed-point arithmetic on 32-bit limbs, with an
// error bound counted in units of the last limb. It reduces |x| by k x pi/2 with pi/2 to
// 32 L bits, sums the Taylor series of sin or cos of the remainder, and rounds; when the
// bound leaves the rounding open it starts again with twice the limbs. sin and cos of a
// nonzero double are never exactly halfway between two doubles (they are transcendental), so
// more bits always decide in the end. The hardest arguments found below 2^22 need about 110
// bits; the first attempt carries 192, less the bits the reduction cancels (at most about 60).
#include <cmath>
#include <cstdint>

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

// |x| exactly: 2^-26 <= |x| < 2^22, so its lowest bit lies above 2^-79.
Fixed FromDouble(double x, int limbs) {
  int exponent = 0;
  const double m = std::frexp(std::fabs(x), &exponent);  // |x| = m x 2^exponent
  const uint64_t mantissa = static_cast<uint64_t>(std::ldexp(m, 53));
  const int shift = exponent - 53 + 32 * limbs;  // the mantissa's lowest bit
  Fixed f(limbs);
  for (int bit = 0; bit < 53; ++bit) {
    if (((mantissa >> bit) & 1) != 0) {
      const int p = shift + bit;
      f.w[p / 32] |= uint32_t{1} << (p % 32);
    }
  }
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

Fixed MultiplySmall(const Fixed& a, uint32_t k) {
  Fixed p(a.limbs);
  uint64_t carry = 0;
  for (int i = 0; i <= a.limbs; ++i) {
    const uint64_t v = uint64_t{a.w[i]} * k + carry;
    p.w[i] = static_cast<uint32_t>(v);
    carry = v >> 32;
  }
  return p;
}

// a x b truncated, for a, b <= 1.
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

}  // namespace

// k is the nearest integer to |x| x 2/pi or next to it (|k| < 2^22); r = |x| - k pi/2, its
// sign kept apart. With pi/2 truncated by less than a unit, r is off by less than k units,
// z = r^2 by less than 2k + 1, the series by less than 2k + 5, and sin r = r x (series) by
// less than 3k + 6: the bound 4k + 16 is safe.
double ExactSinCos(double x, bool cosine, int firstAttempt) {
  constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
  const double ax = std::fabs(x);
  const uint32_t k = static_cast<uint32_t>(ax * kTwoOverPi + 0.5);
  double rounded = 0.0;
  if (firstAttempt < 0 || firstAttempt >= kAttempts) firstAttempt = 0;
  for (int attempt = firstAttempt; attempt < kAttempts; ++attempt) {
    const int limbs = kLimbSchedule[attempt];
    const Fixed whole = FromDouble(ax, limbs);
    const Fixed multiple = MultiplySmall(PiOver2(limbs), k);
    const bool negativeR = Less(whole, multiple);
    const Fixed r = negativeR ? Subtract(multiple, whole) : Subtract(whole, multiple);

    // f(|x|) = f(r + k pi/2): sin of it is (sin r, cos r, -sin r, -cos r) for k mod 4 = 0
    // to 3, and cos x = sin(x + pi/2).
    const uint32_t turn = k + (cosine ? 1 : 0);
    const bool cosineOfR = (turn & 1) != 0;
    bool negative = (turn & 2) != 0;
    if (!cosineOfR && negativeR) negative = !negative;  // sin(-|r|) = -sin |r|
    if (!cosine && x < 0) negative = !negative;         // sin(-|x|) = -sin |x|

    const Fixed z = Multiply(r, r);
    const Fixed y = cosineOfR ? Series(z, 1) : Multiply(r, Series(z, 2));
    const Fixed margin = AddUnits(Fixed(limbs), 4 * k + 16);
    rounded = negative ? -Round(y) : Round(y);
    // Every value within the bound rounds alike when both ends do (rounding is monotonic).
    if (!Less(y, margin) && Round(Subtract(y, margin)) == Round(AddUnits(y, 4 * k + 16))) {
      return rounded;
    }
  }
  return rounded;
}

}  // namespace orv::trig_internal
