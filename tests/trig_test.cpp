#include "core/trig.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "core/arith.h"
#include "effects/shape_effect.h"
#include "tests/test_support.h"
#include "tests/trig_hard_cases.h"

namespace orv {
namespace {

struct Reference {
  double x;
  double sine;  // correctly rounded, computed to 500 digits
  double cosine;
};

// Arguments from tiny to the largest double, near multiples of pi/2 (where the reduction
// cancels most bits), the constants the shapes use, and random ones.
constexpr Reference kReferences[] = {
    {0x1.0000000000000p-1, 0x1.eaee8744b05f0p-2, 0x1.c1528065b7d50p-1},
    {0x1.0000000000000p+0, 0x1.aed548f090ceep-1, 0x1.14a280fb5068cp-1},
    {0x1.0000000000000p+1, 0x1.d18f6ead1b446p-1, -0x1.aa22657537205p-2},
    {0x1.8000000000000p+1, 0x1.210386db6d55bp-3, -0x1.fae04be85e5d2p-1},
    {0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53, -0x1.0000000000000p+0},
    {0x1.921fb54442d18p+0, 0x1.0000000000000p+0, 0x1.1a62633145c07p-54},
    {0x1.2d97c7f3321d2p+2, -0x1.0000000000000p+0, -0x1.a79394c9e8a0ap-53},
    {0x1.921fb54411744p+2, -0x1.8aea234c4c663p-33, 0x1.0000000000000p+0},
    {0x1.921fb54411744p+1, 0x1.8aea234c4c663p-34, -0x1.0000000000000p+0},
    {0x1.4bc08f24f4ccbp+3, -0x1.9e3779b80048bp-1, -0x1.2cf2304964cfdp-1},
    {-0x1.c000000000000p+2, -0x1.50608c26d0a08p-1, 0x1.81ff79ed92017p-1},
    {-0x1.921fb54442d18p-1, -0x1.6a09e667f3bccp-1, 0x1.6a09e667f3bcdp-1},
    {0x1.921fb54442d19p-1, 0x1.6a09e667f3bcdp-1, 0x1.6a09e667f3bccp-1},
    {0x1.9000000000000p+6, -0x1.03425b78c4db8p-1, 0x1.b981dbf665fdfp-1},
    {0x1.81cd6c8b43958p+13, -0x1.687d5890974a5p-1, 0x1.6b94c3bbe24b8p-1},
    {0x1.921fb00000000p+20, -0x1.4b02e5be91e9ep-2, 0x1.e4831257a62dap-1},
    {0x1.921fc80000000p+20, 0x1.d7974411b5f44p-1, 0x1.8eba69c23f040p-2},
    {0x1.e848000000000p+19, -0x1.6664b2568d867p-2, 0x1.df9df9906d32cp-1},
    {0x1.dcd6500000000p+29, 0x1.1778cae83c69bp-1, 0x1.acff8c7364234p-1},
    {0x1.c6bf526340000p+49, 0x1.b76f88136cebap-1, -0x1.06c154609d33fp-1},
    {0x1.0f0cf064dd592p+73, -0x1.b453ab76bf397p-1, 0x1.0be2cef01c8f4p-1},
    {0x1.0000000000000p+60, -0x1.a94adab06665cp-1, -0x1.1d146047d6947p-1},
    {0x1.249ad2594c37dp+332, -0x1.85c5e5b929359p-2, 0x1.d9757496841f5p-1},
    {0x1.7e43c8800759cp+996, -0x1.a2c16b010e385p-1, -0x1.2699022adc4c1p-1},
    {0x1.fffffffffffffp+1023, 0x1.452fc98b34e97p-8, -0x1.fffe62ecfab75p-1},
    {0x1.6ac5b262ca1ffp+849, 0x1.0000000000000p+0, -0x1.14ae72e6ba22fp-61},
    {0x1.5798ee2308c3ap-28, 0x1.5798ee2308c3ap-28, 0x1.0000000000000p+0},
    {0x1.01b2b29a4692bp-26, 0x1.01b2b29a4692bp-26, 0x1.fffffffffffffp-1},
    {-0x1.a36e2eb1c432dp-16, -0x1.a36e2eb1088c7p-16, 0x1.fffffffd50ce2p-1},
    {0x1.6300000000000p+8, -0x1.f9bd0307d1de3p-16, -0x1.fffffffc18e4cp-1},
    {0x1.9639000000000p+16, -0x1.40efdf1eb8de7p-16, 0x1.fffffffe6da77p-1},
    {0x1.921fb54442d18p+31, -0x1.1a62633145bf9p-23, 0x1.fffffffffffb2p-1},
    {-0x1.c2fcf590aedecp+2, -0x1.6206aa81df344p-1, 0x1.71e0b56dbf9f1p-1},
    {-0x1.bee9be20d407ap+3, -0x1.f88556d99bb9dp-1, 0x1.5cc623448daf6p-3},
    {0x1.82646a8f739fcp+2, -0x1.f25b7b6557f07p-3, 0x1.f09c294681eb3p-1},
    {-0x1.11a409ee4c4d8p+4, 0x1.f81258514a6a6p-1, -0x1.6703fcc14eea9p-3},
    {0x1.6f6e85787c880p+0, 0x1.fb4e4be6c6ca2p-1, 0x1.14b03a1a80e70p-3},
    {-0x1.57d61c858201cp+2, 0x1.94757e9577effp-1, 0x1.39f0143348fd1p-1},
    {-0x1.1ae174c73942cp+4, 0x1.d753b309f23b1p-1, 0x1.8ff97a9b1e01ep-2},
    {0x1.3091504b41340p-2, 0x1.2c18ce39f802ap-2, 0x1.e9850622c4e24p-1},
    {-0x1.2800b6191fcd0p+4, 0x1.5e887769f04ccp-2, 0x1.e111335dec470p-1},
    {-0x1.53bbedf45ead0p+1, -0x1.df9697e7d8fd1p-2, -0x1.c45fe59c8a740p-1},
    {-0x1.134ae32cbf38dp+4, 0x1.fea323528db8cp-1, -0x1.2aa58b4303c47p-4},
    {-0x1.05f19473ea8d6p+4, 0x1.3b560ad2177b8p-1, -0x1.935ea6e4e9aadp-1},
    {-0x1.8276355a2b560p+1, -0x1.f3f011322c11ap-4, -0x1.fc2c0460364c2p-1},
    {0x1.a25ee77a78fbcp+3, 0x1.f1d97c579f876p-2, 0x1.bf6a51745e3efp-1},
    {-0x1.e18892c86875ep+3, -0x1.39eec5711dc99p-1, -0x1.9476826ad56d5p-1},
    {-0x1.62410e5b19902p+3, 0x1.fe90d629a5eb2p-1, 0x1.325e8eb742be1p-4},
    {0x1.463aa2fa8f1b0p+2, -0x1.da88481778c3ep-1, 0x1.8083f9f7f21f6p-2},
    {0x1.1e88a214f2ef4p+4, -0x1.9dd4cebfc502ep-1, 0x1.2d79cf8ac3becp-1},
    {0x1.8ac46076bf1b0p+1, 0x1.d692d9ebf78d0p-5, -0x1.ff27925e993d0p-1},
    {-0x1.087f7bf021a4ep+2, 0x1.ac60fbe9515cfp-1, -0x1.186b9b4a679eap-1},
    {0x1.30cda2f1afc18p+4, 0x1.982d0bc23a8fep-3, 0x1.f5ba60b20869cp-1},
    {-0x1.222fe4c37780dp+4, 0x1.4ed966f7a3689p-1, 0x1.8352fb4d71234p-1},
    {0x1.cad6f1d54ed70p+3, 0x1.f5a23547af604p-1, -0x1.9a074583d1c7ep-3},
    {-0x1.0d4cd43cf010ap+3, -0x1.b1589b782bce1p-1, -0x1.10ae6f51477a0p-1},
    {-0x1.5b683aaa45910p+19, -0x1.6796ecaf94839p-1, 0x1.6c78a99b63751p-1},
    {-0x1.753ff0c352f28p+19, 0x1.d9103b76a2306p-5, -0x1.ff2546087ee02p-1},
    {-0x1.760f1683d3ebap+18, -0x1.728461415576dp-1, 0x1.615b5b4f49dc6p-1},
    {0x1.34b796fbd2958p+19, 0x1.955457de671c1p-1, 0x1.38d02621dc488p-1},
    {-0x1.37ca67af53826p+19, 0x1.3e7701a6b8989p-2, 0x1.e69c176eaee54p-1},
    {0x1.3ec029e5c88c0p+17, 0x1.880c220221f83p-1, 0x1.494e7dbf2e4aap-1},
    // Huge arguments that a double-double evaluation without an error bound rounds wrongly.
    {0x1.5d578c8623a85p+413, 0x1.e29af7230c5edp-1, -0x1.55f8a6f2e86a4p-2},
    {-0x1.a4cd56aaa4a70p+385, -0x1.70a38f0372697p-4, 0x1.fdec150e36ff1p-1},
    {0x1.59c7b234bd3d0p+743, -0x1.6f7c2c56bc0a7p-1, 0x1.6482543d5d295p-1},
    {-0x1.44b86c6df438ep+857, 0x1.206d5ab14ec63p-1, -0x1.a7077ecae6813p-1},
};

TEST(Trig, CorrectlyRoundedFromTinyArgumentsToTheLargestDouble) {
  for (const Reference& r : kReferences) {
    EXPECT_EQ(Sin(r.x), r.sine) << std::hexfloat << r.x;
    EXPECT_EQ(Cos(r.x), r.cosine) << std::hexfloat << r.x;
  }
}

// The arguments hardest to round that we know of: every build must get them right.
TEST(Trig, TheHardestArgumentsRoundCorrectly) {
  for (const test::HardCase& c : test::kHardCases) {
    for (double sign : {1.0, -1.0}) {
      EXPECT_EQ(Sin(sign * c.x), sign * c.sine) << std::hexfloat << sign * c.x;
      EXPECT_EQ(Cos(sign * c.x), c.cosine) << std::hexfloat << sign * c.x;
    }
  }
}

TEST(Trig, SignsZeroesAndNonFiniteArguments) {
  EXPECT_EQ(std::bit_cast<uint64_t>(Sin(-0.0)), std::bit_cast<uint64_t>(-0.0));
  EXPECT_EQ(Sin(0.0), 0.0);
  EXPECT_EQ(Cos(0.0), 1.0);
  EXPECT_EQ(Cos(-0.0), 1.0);
  EXPECT_EQ(Sin(-1.25), -Sin(1.25));
  EXPECT_EQ(Cos(-1e7), Cos(1e7));
  EXPECT_EQ(Sin(-1e300), -Sin(1e300));
  EXPECT_EQ(Cos(-1e300), Cos(1e300));
  for (double bad :
       {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_TRUE(std::isnan(Sin(bad)));
    EXPECT_TRUE(std::isnan(Cos(bad)));
  }
}

#ifndef _WIN32
// Distance in units in the last place between two finite doubles of the same sign (or zero).
int64_t UlpDistance(double a, double b) {
  auto ordered = [](double v) {
    const int64_t bits = std::bit_cast<int64_t>(v);
    return bits < 0 ? std::numeric_limits<int64_t>::min() - bits : bits;
  };
  const int64_t d = ordered(a) - ordered(b);
  return d < 0 ? -d : d;
}

// The C library here (glibc) is accurate to within one ulp too: over a dense sweep of the
// angles the shapes use, the two never differ by more than one ulp.
TEST(Trig, AgreesWithTheCLibraryOverTheShapesAngles) {
  std::mt19937_64 engine(12);
  std::uniform_real_distribution<double> angle(-40.0, 40.0);
  for (int i = 0; i < 200000; ++i) {
    const double x = angle(engine);
    ASSERT_LE(UlpDistance(Sin(x), std::sin(x)), 1) << std::hexfloat << x;
    ASSERT_LE(UlpDistance(Cos(x), std::cos(x)), 1) << std::hexfloat << x;
  }
}
#endif

// The torus particle at lambda = nu ~ 3 pi / 4: sin lambda x cos nu x 300 + 601 is exactly
// 451 with correctly rounded factors, and falls just short of it when cos nu is one ulp off.
TEST(Trig, TheTorusParticleAtThreeQuarterTurnsLandsOnItsExactDepth) {
  test::ManualClock clock;
  ShapeEffect torus(ShapeEffect::Unbuilt{}, clock);
  torus.BuildKind(ShapeKind::Torus);
  const Particle& p = torus.particles[15 * 17 + 6];
  EXPECT_EQ(p.modelX, -451);
  EXPECT_EQ(p.modelY, 212);
  EXPECT_EQ(p.modelZ, 451);
}

TEST(TruncToInt32, TruncatesTowardZeroAndGivesTheIndefiniteValueOutOfRange) {
  const std::pair<double, int32_t> cases[] = {
      {1.9, 1},
      {-1.9, -1},
      {-0.5, 0},
      {2147483647.9, INT32_MAX},
      {-2147483648.9, INT32_MIN},
      {2147483648.0, INT32_MIN},
      {-2147483649.0, INT32_MIN},
      {1e300, INT32_MIN},
      {-1e300, INT32_MIN},
      {std::numeric_limits<double>::infinity(), INT32_MIN},
      {-std::numeric_limits<double>::infinity(), INT32_MIN},
      {std::numeric_limits<double>::quiet_NaN(), INT32_MIN},
  };
  for (auto [value, expected] : cases) EXPECT_EQ(TruncToInt32(value), expected) << value;
}

}  // namespace
}  // namespace orv
