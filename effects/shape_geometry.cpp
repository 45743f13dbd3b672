// The model-space particles of each kind of shape. All geometry is in double precision with
// conversions truncating toward zero; the loop constants are decimal approximations of pi and
// 2 pi whose rounding decides how many times each loop runs, and with it the particle counts.
#include "core/arith.h"
#include "core/random.h"
#include "core/trig.h"
#include "effects/shape_effect.h"
#include "effects/shape_profiles.h"

namespace orv {
namespace {

constexpr double kPi = 3.1415926535;
constexpr double kTwoPi = 6.283185307;
constexpr uint32_t kWhite = 0xFFFFFF;

// Meridian circles through both poles: 15 x 30 = 450 particles.
void AddSphere(ShapeEffect& shape, int32_t r) {
  const double radius = r;
  for (double theta = 0; theta < kPi; theta += 0.22439947525) {
    for (double phi = 0; phi < kTwoPi; phi += 0.20943951023333335) {
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

// Circles of radius 120 whose centres run 3.3 turns along a helix of radius 400: 825.
void AddCoil(ShapeEffect& shape) {
  shape.radius = 1000;
  for (int32_t h = -shape.radius; h < shape.radius; h += shape.radius / 37) {
    const double mu = h * 10.36725575655 / 1000;
    const double cx = TruncToInt32(Cos(mu) * 400);
    const double cz = TruncToInt32(Sin(mu) * 400);
    for (double omega = 0; omega < kTwoPi; omega += 0.6283185307) {
      shape.AddParticle(TruncToInt32(Cos(mu) * Cos(omega) * 120 + cx),
                        TruncToInt32(Sin(omega) * 120 + h),
                        TruncToInt32(Sin(mu) * Cos(omega) * 120 + cz), kWhite);
    }
  }
}

// A tube of radius 300 around a circle of radius 850: 41 x 17 = 697.
void AddTorus(ShapeEffect& shape) {
  for (double lambda = 0; lambda < kTwoPi; lambda += 0.157079632675) {
    const double cx = TruncToInt32(Cos(lambda) * 850);
    const double cz = TruncToInt32(Sin(lambda) * 850);
    for (double nu = 0; nu < kTwoPi; nu += 0.3926990816875) {
      shape.AddParticle(TruncToInt32(Cos(lambda) * Cos(nu) * 300 + cx), TruncToInt32(Sin(nu) * 300),
                        TruncToInt32(Sin(lambda) * Cos(nu) * 300 + cz), kWhite);
    }
  }
  shape.radius = 1000;
}

// 28 turns of the goblet's outline about the y axis, scaled by 2.9: 532.
void AddGoblet(ShapeEffect& shape) {
  for (double lambda = 0; lambda < kTwoPi; lambda += 0.22439947525) {
    for (const ProfilePoint& p : GobletProfile) {
      const double r = p.r;
      shape.AddParticle(TruncToInt32(Sin(lambda) * r * 2.9), TruncToInt32(p.h * 2.9),
                        TruncToInt32(Cos(lambda) * r * 2.9), kWhite);
    }
  }
  shape.radius = 1300;
}

// 28 turns of the bead's outline, scaled by 6: 560.
void AddBead(ShapeEffect& shape) {
  for (double lambda = 0; lambda < kTwoPi; lambda += 0.22439947525) {
    for (const ProfilePoint& p : BeadProfile) {
      const double r6 = p.r * 6.0;
      shape.AddParticle(TruncToInt32(Sin(lambda) * r6), TruncToInt32(p.h * 6.0),
                        TruncToInt32(Cos(lambda) * r6), kWhite);
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
      if (rand() % 10 >= 6) {
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
