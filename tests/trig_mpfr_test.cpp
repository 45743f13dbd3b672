// core/trig held to MPFR's correctly rounded sine and cosine: every argument that a shape's
// construction uses, a million seeded arguments, arguments next to multiples of pi/4, the
// hardest arguments found, and the two evaluation paths on their own.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <set>
#include <vector>

#include "core/trig.h"
#include "core/trig_table.h"
#include "effects/shape_effect.h"
#include "tests/test_support.h"
#include "tests/trig_hard_cases.h"
#include "tests/trig_mpfr.h"

// This program is linked with --wrap for orv::Sin and orv::Cos: every call, the shape
// builder's included, passes through here on its way to core/trig.
namespace {
std::vector<double>* recorded = nullptr;
}  // namespace

extern "C" double __real__ZN3orv3SinEd(double x);
extern "C" double __real__ZN3orv3CosEd(double x);
extern "C" double __wrap__ZN3orv3SinEd(double x) {
  if (recorded != nullptr) recorded->push_back(x);
  return __real__ZN3orv3SinEd(x);
}
extern "C" double __wrap__ZN3orv3CosEd(double x) {
  if (recorded != nullptr) recorded->push_back(x);
  return __real__ZN3orv3CosEd(x);
}

namespace orv {
namespace {

// Checks Sin and Cos at every argument; reports the first few that differ.
void ExpectCorrectlyRounded(const std::vector<double>& arguments) {
  int failures = 0;
  for (double x : arguments) {
    const double sine = Sin(x);
    const double cosine = Cos(x);
    const double wantSine = test::MpfrSin(x);
    const double wantCosine = test::MpfrCos(x);
    if (std::bit_cast<uint64_t>(sine) == std::bit_cast<uint64_t>(wantSine) &&
        std::bit_cast<uint64_t>(cosine) == std::bit_cast<uint64_t>(wantCosine)) {
      continue;
    }
    ADD_FAILURE() << std::hexfloat << "x = " << x << ": Sin " << sine << " (want " << wantSine
                  << "), Cos " << cosine << " (want " << wantCosine << ")";
    if (++failures == 10) return;
  }
}

TEST(TrigMpfr, EveryArgumentOfEveryShapesConstruction) {
  const ShapeKind computed[] = {ShapeKind::Sphere, ShapeKind::RingedSphere, ShapeKind::Rings,
                                ShapeKind::Coil,   ShapeKind::Torus,        ShapeKind::Goblet,
                                ShapeKind::Bead,   ShapeKind::CubeFrame};
  std::vector<double> arguments;
  test::ManualClock clock;
  for (ShapeKind kind : computed) {
    ShapeEffect shape(ShapeEffect::Unbuilt{}, clock);
    recorded = &arguments;
    shape.BuildKind(kind);
    recorded = nullptr;
  }
  const std::set<double> distinct(arguments.begin(), arguments.end());
  // The loops' angles: 15 + 30 (sphere), 33 to 43 per ring, 54 + 10 (coil), 41 + 17 (torus),
  // 28 (goblet and bead, the same angles).
  EXPECT_GE(distinct.size(), 250u);
  EXPECT_GE(arguments.size(), 10000u);
  ExpectCorrectlyRounded(std::vector<double>(distinct.begin(), distinct.end()));
}

TEST(TrigMpfr, AMillionSeededArgumentsBetweenMinus64And64) {
  std::mt19937_64 engine(20261210);
  std::vector<double> arguments(1000000);
  for (double& x : arguments) {
    // 53 random bits scaled to [-64, 64).
    x = static_cast<double>(static_cast<int64_t>(engine() >> 11) - (int64_t{1} << 52)) * 0x1p-46;
  }
  ExpectCorrectlyRounded(arguments);
}

TEST(TrigMpfr, ArgumentsFromTwoToTheMinus30ToTwoToThe22) {
  std::mt19937_64 engine(7);
  std::uniform_real_distribution<double> exponent(-30.0, 22.0);
  std::vector<double> arguments(200000);
  for (size_t i = 0; i < arguments.size(); ++i) {
    const double x = std::exp2(exponent(engine));
    arguments[i] = i % 2 == 0 ? x : -x;
  }
  ExpectCorrectlyRounded(arguments);
}

// Beyond 2^22, up to the largest double: random arguments of every size, and the ones next
// to the double closest to a multiple of pi/2 (its remainder is about 2^-61), to two more
// within 2^-59 of one (found by continued fractions), to 2^22 and to the largest double.
TEST(TrigMpfr, ArgumentsFromTwoToThe22ToTheLargestDouble) {
  std::mt19937_64 engine(22);
  std::uniform_int_distribution<int> exponent(22, 1023);
  std::vector<double> arguments;
  for (int i = 0; i < 20000; ++i) {
    const uint64_t mantissa = (engine() >> 11) | (uint64_t{1} << 52);  // 53 random bits
    const double x = std::ldexp(static_cast<double>(mantissa), exponent(engine) - 52);
    arguments.push_back(i % 2 == 0 ? x : -x);
  }
  for (double centre : {0x1.6ac5b262ca1ffp+849, 0x1.4c96c11134d36p+577, 0x1.504cac51f1eafp+131,
                        0x1p22, std::numeric_limits<double>::max()}) {
    double x = centre;
    for (int i = 0; i < 4; ++i) x = std::nextafter(x, 0.0);
    for (int i = 0; i < 9 && std::isfinite(x); ++i, x = std::nextafter(x, HUGE_VAL)) {
      arguments.push_back(x);
      arguments.push_back(-x);
    }
  }
  ExpectCorrectlyRounded(arguments);
}

// The double nearest to m pi / 4.
double QuarterTurnMultiple(int64_t m) {
  mpfr_t v;
  mpfr_init2(v, 200);
  mpfr_const_pi(v, MPFR_RNDN);
  mpfr_mul_si(v, v, static_cast<long>(m), MPFR_RNDN);
  mpfr_div_2ui(v, v, 2, MPFR_RNDN);
  const double x = mpfr_get_d(v, MPFR_RNDN);
  mpfr_clear(v);
  return x;
}

// Where the reduction cancels most bits, sin or cos is near 0 or near 1, and the table's
// halfway points lie: m pi / 4 for m up to 4000, and 2000 m up to 2^22 x 4 / pi, with the
// four doubles either side, both signs.
TEST(TrigMpfr, ArgumentsNextToMultiplesOfAQuarterTurn) {
  std::vector<int64_t> multiples;
  for (int64_t m = 1; m <= 4000; ++m) multiples.push_back(m);
  std::mt19937_64 engine(4);
  std::uniform_int_distribution<int64_t> large(4001, 5340353);  // m pi / 4 < 2^22
  for (int i = 0; i < 2000; ++i) multiples.push_back(large(engine));
  std::vector<double> arguments;
  for (int64_t m : multiples) {
    double x = QuarterTurnMultiple(m);
    for (int i = 0; i < 4; ++i) x = std::nextafter(x, 0.0);
    for (int i = 0; i < 9; ++i, x = std::nextafter(x, 1e300)) {
      arguments.push_back(x);
      arguments.push_back(-x);
    }
  }
  ExpectCorrectlyRounded(arguments);
}

// The table and the fixed-point path at each of its precisions: the latter two only run
// when the first cannot decide, which no argument we know of brings about.
TEST(TrigMpfr, TheHardestArgumentsFoundAndTheirTable) {
  for (const test::HardCase& c : test::kHardCases) {
    EXPECT_EQ(c.sine, test::MpfrSin(c.x)) << std::hexfloat << c.x;
    EXPECT_EQ(c.cosine, test::MpfrCos(c.x)) << std::hexfloat << c.x;
    for (int attempt = 0; attempt < trig_internal::kAttempts; ++attempt) {
      EXPECT_EQ(trig_internal::ExactSinCos(c.x, false, attempt), c.sine) << std::hexfloat << c.x;
      EXPECT_EQ(trig_internal::ExactSinCos(c.x, true, attempt), c.cosine) << std::hexfloat << c.x;
    }
  }
}

TEST(TrigMpfr, TheConstantsAreMpfrs) {
  mpfr_t a;
  mpfr_t v;
  mpfr_init2(a, 64);
  mpfr_init2(v, 2000);
  int i = 0;
  for (const trig_internal::SinCosPair& entry : trig_internal::kSinCosTable) {
    mpfr_set_si(a, i, MPFR_RNDN);
    mpfr_div_2ui(a, a, 7, MPFR_RNDN);
    mpfr_sin(v, a, MPFR_RNDN);
    EXPECT_EQ(entry.sinHi, mpfr_get_d(v, MPFR_RNDN)) << i;
    mpfr_sub_d(v, v, entry.sinHi, MPFR_RNDN);
    EXPECT_EQ(entry.sinLo, mpfr_get_d(v, MPFR_RNDN)) << i;
    mpfr_cos(v, a, MPFR_RNDN);
    EXPECT_EQ(entry.cosHi, mpfr_get_d(v, MPFR_RNDN)) << i;
    mpfr_sub_d(v, v, entry.cosHi, MPFR_RNDN);
    EXPECT_EQ(entry.cosLo, mpfr_get_d(v, MPFR_RNDN)) << i;
    ++i;
  }
  EXPECT_EQ(i, 103);  // up to just past pi/4 x 128

  mpfr_const_pi(v, MPFR_RNDN);
  mpfr_div_2ui(v, v, 1, MPFR_RNDN);
  mpfr_sub_ui(v, v, 1, MPFR_RNDN);
  for (uint32_t limb : trig_internal::kPiOver2Fraction) {
    mpfr_mul_2ui(v, v, 32, MPFR_RNDN);
    const unsigned long want = mpfr_get_ui(v, MPFR_RNDZ);
    EXPECT_EQ(limb, want);
    mpfr_sub_ui(v, v, want, MPFR_RNDN);
  }

  mpfr_const_pi(v, MPFR_RNDN);
  mpfr_ui_div(v, 2, v, MPFR_RNDN);
  for (uint32_t word : trig_internal::kTwoOverPi) {
    mpfr_mul_2ui(v, v, 32, MPFR_RNDN);
    const unsigned long want = mpfr_get_ui(v, MPFR_RNDZ);
    EXPECT_EQ(word, want);
    mpfr_sub_ui(v, v, want, MPFR_RNDN);
  }
  mpfr_clear(a);
  mpfr_clear(v);
}

// |f(x) - (hi + lo)| in units of bound, from 300-bit MPFR values.
double ErrorOverBound(double x, bool cosine) {
  const trig_internal::Approximation a = trig_internal::ApproximateSinCos(x, cosine);
  mpfr_t ax;
  mpfr_t y;
  mpfr_init2(ax, 53);
  mpfr_init2(y, 300);
  mpfr_set_d(ax, x, MPFR_RNDN);
  if (cosine) {
    mpfr_cos(y, ax, MPFR_RNDN);
  } else {
    mpfr_sin(y, ax, MPFR_RNDN);
  }
  mpfr_sub_d(y, y, a.hi, MPFR_RNDN);
  mpfr_sub_d(y, y, a.lo, MPFR_RNDN);
  const double error = std::fabs(mpfr_get_d(y, MPFR_RNDN));
  mpfr_clear(ax);
  mpfr_clear(y);
  return error / a.bound;
}

// The fast path's bound is what decides whether its rounding is trusted: it must hold
// everywhere, with room (the observed worst is about 0.6 of it).
TEST(TrigMpfr, TheDoubleDoubleBoundHoldsWithRoom) {
  std::mt19937_64 engine(9);
  std::uniform_real_distribution<double> exponent(-26.0, 22.0);
  std::uniform_real_distribution<double> angle(-7.0, 7.0);
  double worst = 0.0;
  double worstX = 0.0;
  for (int i = 0; i < 200000; ++i) {
    const double x = i % 2 == 0 ? angle(engine) : std::exp2(exponent(engine));
    for (bool cosine : {false, true}) {
      const double ratio = ErrorOverBound(x, cosine);
      if (ratio > worst) {
        worst = ratio;
        worstX = x;
      }
    }
  }
  EXPECT_LT(worst, 0.8) << std::hexfloat << worstX;
}

// The fixed-point path on its own at each precision, from 2^-26 to the largest doubles, and
// just below 2^22, where the fast path hands over to it.
TEST(TrigMpfr, TheFixedPointPathIsCorrectlyRounded) {
  std::mt19937_64 engine(10);
  std::uniform_real_distribution<double> exponent(-26.0, 22.0);
  std::uniform_real_distribution<double> hugeExponent(22.0, 1024.0);
  int failures = 0;
  for (int i = 0; i < 4000 && failures < 10; ++i) {
    double x = std::exp2(i % 4 == 3 ? hugeExponent(engine) : exponent(engine));
    if (i % 3 == 0) x = -x;
    if (i % 5 == 0) x = std::nextafter(0x1p22, 0.0) - i;
    for (bool cosine : {false, true}) {
      const double want = cosine ? test::MpfrCos(x) : test::MpfrSin(x);
      const int attempt = i % trig_internal::kAttempts;
      if (trig_internal::ExactSinCos(x, cosine, attempt) != want) {
        ADD_FAILURE() << std::hexfloat << x << (cosine ? " cos" : " sin") << " attempt " << attempt;
        ++failures;
      }
    }
  }
}

}  // namespace
}  // namespace orv
