// The model-space particles of each kind of shape. All geometry is in double precision with
// conversions truncating toward zero; the angle loops step by fractions of the decimal 2 pi
// (kTwoPi), whose rounding decides how many times each loop runs, and with it the particle
// counts.
#include "core/arith.h"
#include "core/random.h"
#include "core/trig.h"
#include "effects/shape_effect.h"
#include "effects/shape_profiles.h"

namespace orv {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// Angle steps, whole fractions of a turn. Each is, to the last bit, the decimal beside it,
// which is what fixes every loop's count.
constexpr double kMeridianStep = kTwoPi / 28;
constexpr double kCircleStep = kTwoPi / 30;
constexpr double kCoilTubeStep = kTwoPi / 10;
constexpr double kTorusStep = kTwoPi / 40;
constexpr double kTorusTubeStep = kTwoPi / 16;
constexpr double kLatheStep = kTwoPi / 28;
static_assert(kMeridianStep == 0.22439947525 && kCircleStep == 0.20943951023333335 &&
              kCoilTubeStep == 0.6283185307 && kTorusStep == 0.157079632675 &&
              kTorusTubeStep == 0.3926990816875 && kLatheStep == 0.22439947525);

// Meridian circles through both poles, over half a turn (the last a hair below pi, on top of
// the first): 15 x 30 = 450 particles.
void AddSphere(ShapeEffect& shape, int32_t r) {
  const double radius = r;
  for (double theta = 0; theta < kPi; theta += kMeridianStep) {
    for (double phi = 0; phi < kTwoPi; phi += kCircleStep) {
      shape.AddParticle(TruncToInt32(Cos(phi) * Cos(theta) * radius),
                        TruncToInt32(Sin(phi) * radius),
                        TruncToInt32(Cos(phi) * Sin(theta) * radius), kWhite);
    }
  }
  shape.radius = r;
}

// Four flat rings in the plane y = 0: 150 particles.
void AddRings(ShapeEffect& shape) {
  for (int32_t d = 935; d <= 1300; d += 100) {
    const double dd = d;
    const int32_t n = TruncToInt32(dd * kPi / 180);
    for (double alpha = 0; alpha < kTwoPi; alpha += kPi / n) {
      shape.AddParticle(TruncToInt32(Cos(alpha) * dd), 0, TruncToInt32(Sin(alpha) * dd), kWhite);
    }
  }
  shape.radius = 1200;
}

// Circles of radius 120 whose centres run 3.3 turns along a helix of radius 400 from the
// bottom to the top: 75 x 11 = 825.
void AddCoil(ShapeEffect& shape) {
  constexpr int32_t kHalfHeight = 1000;
  constexpr double kHalfSweep = 3.3 * kPi;  // radians from the middle to either end
  static_assert(kHalfSweep == 10.36725575655);
  constexpr double kHelix = 400;
  constexpr double kTube = 120;
  shape.radius = kHalfHeight;
  for (int32_t h = -kHalfHeight; h < kHalfHeight; h += kHalfHeight / 37) {
    const double mu = h * kHalfSweep / kHalfHeight;
    const double cx = TruncToInt32(Cos(mu) * kHelix);
    const double cz = TruncToInt32(Sin(mu) * kHelix);
    for (double omega = 0; omega < kTwoPi; omega += kCoilTubeStep) {
      shape.AddParticle(TruncToInt32(Cos(mu) * Cos(omega) * kTube + cx),
                        TruncToInt32(Sin(omega) * kTube + h),
                        TruncToInt32(Sin(mu) * Cos(omega) * kTube + cz), kWhite);
    }
  }
}

// A tube of radius 300 around a circle of radius 850: 41 x 17 = 697.
void AddTorus(ShapeEffect& shape) {
  constexpr double kCentreCircle = 850;
  constexpr double kTube = 300;
  for (double lambda = 0; lambda < kTwoPi; lambda += kTorusStep) {
    const double cx = TruncToInt32(Cos(lambda) * kCentreCircle);
    const double cz = TruncToInt32(Sin(lambda) * kCentreCircle);
    for (double nu = 0; nu < kTwoPi; nu += kTorusTubeStep) {
      shape.AddParticle(TruncToInt32(Cos(lambda) * Cos(nu) * kTube + cx),
                        TruncToInt32(Sin(nu) * kTube),
                        TruncToInt32(Sin(lambda) * Cos(nu) * kTube + cz), kWhite);
    }
  }
  shape.radius = 1000;
}

// 28 turns of the goblet's outline about the y axis, scaled by 2.9: 532.
void AddGoblet(ShapeEffect& shape) {
  constexpr double kScale = 2.9;
  for (double lambda = 0; lambda < kTwoPi; lambda += kLatheStep) {
    for (const ProfilePoint& p : GobletProfile) {
      const double r = p.r;
      shape.AddParticle(TruncToInt32(Sin(lambda) * r * kScale), TruncToInt32(p.h * kScale),
                        TruncToInt32(Cos(lambda) * r * kScale), kWhite);
    }
  }
  shape.radius = 1300;
}

// 28 turns of the bead's outline, scaled by 6: 560.
void AddBead(ShapeEffect& shape) {
  constexpr double kScale = 6.0;
  for (double lambda = 0; lambda < kTwoPi; lambda += kLatheStep) {
    for (const ProfilePoint& p : BeadProfile) {
      const double r = p.r * kScale;
      shape.AddParticle(TruncToInt32(Sin(lambda) * r), TruncToInt32(p.h * kScale),
                        TruncToInt32(Cos(lambda) * r), kWhite);
    }
  }
  shape.radius = 1300;
}

// Lines of a cube frame: every edge (at +-720) drawn as a square tube of four lines, one
// particle every 120 units. `axis` is the moving coordinate (0 x, 1 y, 2 z); each pair holds
// the two fixed coordinates in axis order.
struct CubeLines {
  int axis;
  int32_t from;  // i runs from `from` to -`from`
  int lines;
  const int32_t (*fixed)[2];
};

// The cube's edges at +-720, the lines 120 units in on the faces beside them, and the inner
// cube's edges at +-600.
constexpr int32_t kOuterX[4][2] = {{-720, -720}, {720, -720}, {-720, 720}, {720, 720}};
constexpr int32_t kOuterYZ[4][2] = {{-720, -720}, {-720, 720}, {720, -720}, {720, 720}};
constexpr int32_t kBeside[8][2] = {{-720, -600}, {-600, -720}, {720, -600}, {600, -720},
                                   {-720, 600},  {-600, 720},  {720, 600},  {600, 720}};
constexpr int32_t kInnerX[4][2] = {{-600, -600}, {600, -600}, {-600, 600}, {600, 600}};
constexpr int32_t kInnerYZ[4][2] = {{-600, -600}, {-600, 600}, {600, -600}, {600, 600}};

constexpr CubeLines kCubeFrame[] = {
    {0, -6, 4, kOuterX}, {1, -6, 4, kOuterYZ}, {2, -6, 4, kOuterYZ},
    {0, -5, 8, kBeside}, {1, -5, 8, kBeside},  {2, -5, 8, kBeside},
    {0, -5, 4, kInnerX}, {1, -5, 4, kInnerYZ}, {2, -5, 4, kInnerYZ},
};

// 12 x 13 + 36 x 11 = 552 particles.
void AddCubeFrame(ShapeEffect& shape) {
  for (const CubeLines& group : kCubeFrame) {
    for (int line = 0; line < group.lines; ++line) {
      const int32_t a = group.fixed[line][0];
      const int32_t b = group.fixed[line][1];
      for (int32_t i = group.from; i <= -group.from; ++i) {
        const int32_t m = i * 120;
        if (group.axis == 0) shape.AddParticle(m, a, b, kWhite);
        if (group.axis == 1) shape.AddParticle(a, m, b, kWhite);
        if (group.axis == 2) shape.AddParticle(a, b, m, kWhite);
      }
    }
  }
  shape.radius = 1000;
}

}  // namespace

void ShapeEffect::BuildKind(ShapeKind shapeKind) {
  switch (shapeKind) {
    case ShapeKind::Sphere:
      AddSphere(*this, 1100);
      break;
    case ShapeKind::RingedSphere:
      AddSphere(*this, 700);
      AddRings(*this);
      break;
    case ShapeKind::Rings:
      AddRings(*this);
      break;
    case ShapeKind::Coil:
      AddCoil(*this);
      break;
    case ShapeKind::Torus:
      AddTorus(*this);
      break;
    case ShapeKind::EmblemSlowRoll:
    case ShapeKind::Emblem:
      radius = 1500;
      if (rand() % 10 >= 6) {  // four in ten
        AddImage("ORLOGO", 3000);
      } else {
        AddImage("BANNER", 3500);
      }
      break;
    case ShapeKind::Goblet:
      AddGoblet(*this);
      break;
    case ShapeKind::Bead:
      AddBead(*this);
      break;
    case ShapeKind::YinYang:
      radius = 1100;
      AddImage("YINYANG", 2400);
      break;
    case ShapeKind::CubeFrame:
      AddCubeFrame(*this);
      break;
  }
}

}  // namespace orv
