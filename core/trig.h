// Sine and cosine in plain double arithmetic, so that every build (native, 32-bit and 64-bit
// Windows) turns the shapes through bit-identical values: the C libraries' versions differ in
// the last bit between platforms. Both are accurate to within one unit in the last place.
// The method is the classic one: reduce the argument by multiples of pi/2 (Cody-Waite for
// moderate arguments, Payne-Hanek with 2/pi to 1584 bits for huge ones), then evaluate a
// minimax polynomial on [-pi/4, pi/4].
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

}  // namespace orv
