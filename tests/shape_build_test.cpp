// Construction of shapes: the kind draw, the geometry of every kind, and the random draws in
// their fixed order.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "core/random.h"
#include "effects/shape_effect.h"
#include "tests/shape_test_support.h"
#include "tests/test_support.h"

namespace orv {
namespace {

using test::ManualClock;
using test::SeedForFirstDraw;
using test::ViewOf;

struct ModelPoint {
  int32_t x, y, z;
  uint32_t colour;
  friend bool operator==(const ModelPoint&, const ModelPoint&) = default;
  friend bool operator<(const ModelPoint& a, const ModelPoint& b) {
    return std::tie(a.x, a.y, a.z, a.colour) < std::tie(b.x, b.y, b.z, b.colour);
  }
};

std::vector<ModelPoint> ModelPoints(const ShapeEffect& shape) {
  std::vector<ModelPoint> points;
  for (int32_t i = 0; i < shape.count; ++i) {
    const Particle& p = shape.particles[i];
    points.push_back({p.modelX, p.modelY, p.modelZ, p.colour});
  }
  return points;
}

// The particles of a kind in build order (picture kinds: the named picture).
std::vector<ModelPoint> BuildOrder(uint32_t kind, const char* picture) {
  ManualClock clock;
  ShapeEffect shape(ShapeEffect::Unbuilt{}, clock);
  if (picture != nullptr) {
    const int32_t size = std::string(picture) == "YINYANG"  ? 2400
                         : std::string(picture) == "ORLOGO" ? 3000
                                                            : 3500;
    shape.AddImage(picture, size);
  } else {
    shape.BuildKind(static_cast<ShapeKind>(kind));
  }
  return ModelPoints(shape);
}

class ShapeBuild : public ::testing::Test {
 protected:
  void SetUp() override { firstShapeDone = true; }
  void TearDown() override { firstShapeDone = false; }
  ManualClock clock;
};

TEST_F(ShapeBuild, EveryComputedKindHasItsParticleCountFirstParticlesAndRadius) {
  struct Case {
    ShapeKind kind;
    int32_t count;
    int32_t radius;  // as built, before the tenth is added
    std::vector<ModelPoint> first;
  };
  const uint32_t w = 0xFFFFFF;
  const Case cases[] = {
      {ShapeKind::Sphere, 450, 1100, {{1100, 0, 0, w}, {1075, 228, 0, w}}},
      {ShapeKind::RingedSphere, 600, 1200, {{700, 0, 0, w}}},
      {ShapeKind::Rings, 150, 1200, {{935, 0, 0, w}, {917, 0, 182, w}}},
      {ShapeKind::Coil, 825, 1000, {{-305, -1000, 420, w}}},
      {ShapeKind::Torus, 697, 1000, {{1150, 0, 0, w}}},
      {ShapeKind::Goblet, 532, 1300, {{0, 951, 632, w}, {0, 831, 632, w}}},
      {ShapeKind::Bead, 560, 1300, {{0, 569, 288, w}}},
      {ShapeKind::CubeFrame, 552, 1000, {{-720, -720, -720, w}, {-600, -720, -720, w}}},
  };
  for (const Case& c : cases) {
    ShapeEffect shape(ShapeEffect::Unbuilt{}, clock);
    shape.BuildKind(c.kind);
    const auto kind = static_cast<int>(c.kind);
    EXPECT_EQ(shape.count, c.count) << kind;
    EXPECT_EQ(shape.radius, c.radius) << kind;
    const std::vector<ModelPoint> points = ModelPoints(shape);
    for (size_t i = 0; i < c.first.size(); ++i) EXPECT_EQ(points.at(i), c.first[i]) << kind;
    for (const ModelPoint& p : points) ASSERT_EQ(p.colour, w) << kind;
  }
}

TEST_F(ShapeBuild, ClosedLoopsEndOnTheirFirstPoint) {
  ShapeEffect torus(ShapeEffect::Unbuilt{}, clock);
  torus.BuildKind(ShapeKind::Torus);
  EXPECT_EQ(ModelPoints(torus).back(), (ModelPoint{1150, 0, 0, 0xFFFFFF}));

  // Rings of 935 and 1235: 33 and 43 points, the last a hair below 2 pi on top of the first.
  ShapeEffect rings(ShapeEffect::Unbuilt{}, clock);
  rings.BuildKind(ShapeKind::Rings);
  const std::vector<ModelPoint> p = ModelPoints(rings);
  EXPECT_EQ(p[32], p[0]);
  EXPECT_EQ(p[33], (ModelPoint{1035, 0, 0, 0xFFFFFF}));
  EXPECT_EQ(p[149], p[33 + 36 + 38]);
  for (const ModelPoint& q : p) ASSERT_EQ(q.y, 0);

  // The cube frame's lines: 12 of 13 points, then 36 of 11, one particle every 120 units.
  ShapeEffect cube(ShapeEffect::Unbuilt{}, clock);
  cube.BuildKind(ShapeKind::CubeFrame);
  const std::vector<ModelPoint> c = ModelPoints(cube);
  EXPECT_EQ(c[12], (ModelPoint{720, -720, -720, 0xFFFFFF}));
  EXPECT_EQ(c[13], (ModelPoint{-720, 720, -720, 0xFFFFFF}));
  EXPECT_EQ(c[156],
            (ModelPoint{-600, -720, -600, 0xFFFFFF}));  // line 13: moving x at y -720, z -600
  EXPECT_EQ(c[551], (ModelPoint{600, 600, 600, 0xFFFFFF}));
}

TEST_F(ShapeBuild, KindComesFromTheFirstDraw) {
  const std::pair<int32_t, uint32_t> cases[] = {{109, 10}, {32767, 9}, {0, 0}, {10, 1}, {99, 9}};
  for (auto [draw, kind] : cases) {
    srand(SeedForFirstDraw(draw));
    ShapeEffect shape(ViewOf(640, 480), clock);
    EXPECT_EQ(shape.kind, kind) << draw;
  }
}

TEST_F(ShapeBuild, TheFirstShapeOfARunIsNeverAKind5Or10Picture) {
  firstShapeDone = false;
  for (int32_t draw : {50, 100}) {
    srand(SeedForFirstDraw(draw));
    rand();
    const uint32_t second = static_cast<uint32_t>(rand() % 110 / 10);
    ASSERT_NE(second, 5u);
    ASSERT_NE(second, 10u);
    firstShapeDone = false;
    srand(SeedForFirstDraw(draw));
    ShapeEffect first(ViewOf(640, 480), clock);
    EXPECT_EQ(first.kind, second) << draw;  // drawn again once
    EXPECT_TRUE(firstShapeDone);
    srand(SeedForFirstDraw(draw));
    ShapeEffect later(ViewOf(640, 480), clock);
    EXPECT_EQ(later.kind, static_cast<uint32_t>(draw / 10));
  }
}

TEST(ShapeDepth, FarDepthsAreStretchedNearOnesKept) {
  const std::array<int32_t, 3> cases[] = {
      {7401, 4, 7404},   {7401, 3, 7403},   {7400, 4, 7400}, {-7400, 4, -7400},
      {28600, 4, 92200}, {28600, 3, 71000}, {0, 3, 0},
  };
  for (auto [z, stretch, expected] : cases) EXPECT_EQ(StretchDepth(z, stretch), expected) << z;
}

TEST(ShapeDepth, OffscreenPlaceLiesJustOutsideTheViewAtThatDepth) {
  // At depth 7400 a 640 x 480 view shows x within 1850 and y within 1387 of the axis.
  const FrameView view = ViewOf(640, 480);
  srand(SeedForFirstDraw(0));  // 0 mod 10 < 5: left or right
  int32_t x = 0, y = 0;
  DrawOffscreenPlace(view, 1210, 7400, x, y);
  srand(SeedForFirstDraw(0));
  rand();
  const int32_t expectedY = ScaledRand(2774) - 1387;
  const int32_t sign = rand() % 10 < 5 ? -1 : 1;
  EXPECT_EQ(x, sign * 4270);
  EXPECT_EQ(y, expectedY);

  srand(SeedForFirstDraw(5));  // 5 mod 10: top or bottom
  DrawOffscreenPlace(view, 1210, 7400, x, y);
  srand(SeedForFirstDraw(5));
  rand();
  const int32_t expectedX = ScaledRand(3700) - 1850;
  const int32_t ySign = rand() % 10 < 5 ? -1 : 1;
  EXPECT_EQ(x, expectedX);
  EXPECT_EQ(y, ySign * 3807);
}

// What construction must give for a seed, replayed draw by draw from the generator.
struct Replay {
  uint32_t kind;
  int32_t radius;
  std::vector<ModelPoint> particles;
  double angle[3], spin[3], startSpin[3], cruiseSpin[3];
  ArrivalMode arrival = ArrivalMode::FlyIn;
  DepartureMode departure = DepartureMode::FlyAway;
  int32_t lifetime;
  int32_t start[3] = {0, 0, 0}, end[3] = {0, 0, 0};
  bool shuffled = false;
  uint32_t stateAfter;
};

void ReplayPlace(const FrameView& v, int32_t radius, int32_t stretch, int32_t place[3]) {
  int32_t z = ScaledRand(36000) - 7400;
  if (z > 7400) z = 7400 + stretch * (z - 7400);
  const int32_t edgeX = z * v.halfWidth / v.focalLength;
  const int32_t edgeY = z * v.halfHeight / v.focalLength;
  int32_t x, y;
  if (rand() % 10 < 5) {
    x = 2 * radius + edgeX;
    y = ScaledRand(2 * edgeY) - edgeY;
    if (rand() % 10 < 5) x = -x;
  } else {
    x = ScaledRand(2 * edgeX) - edgeX;
    y = 2 * radius + edgeY;
    if (rand() % 10 < 5) y = -y;
  }
  place[0] = x;
  place[1] = y;
  place[2] = z;
}

Replay ReplayConstruction(uint32_t seed, const FrameView& v) {
  static const int32_t kRadius[] = {1210, 1320, 1320, 1100, 1100, 1650,
                                    1430, 1430, 1210, 1100, 1650};
  Replay e{};
  srand(seed);
  e.kind = static_cast<uint32_t>(rand() % 110 / 10);
  e.radius = kRadius[e.kind];
  if (e.kind == 5 || e.kind == 10) {
    e.particles = BuildOrder(e.kind, rand() % 10 >= 6 ? "ORLOGO" : "BANNER");
  } else if (e.kind == 8) {
    e.particles = BuildOrder(e.kind, "YINYANG");
  } else {
    e.particles = BuildOrder(e.kind, nullptr);
  }
  for (double& a : e.angle) a = ScaledRand(314) / 50.0;
  for (int i = 0; i < 3; ++i) e.spin[i] = e.cruiseSpin[i] = (ScaledRand(2400) - 1200) / 1000000.0;
  if (e.kind == 5) e.spin[2] = e.cruiseSpin[2] = e.spin[2] / 3;
  if (rand() % 10 < 3) {
    e.arrival = ArrivalMode::Materialise;
    for (int i = 0; i < 3; ++i) {
      e.spin[i] = e.startSpin[i] = ((ScaledRand(2000) - 1000) / 1000000.0) / 10;
    }
  } else {
    ReplayPlace(v, e.radius, 4, e.start);
  }
  e.lifetime = ScaledRand(22000) + 10000;
  if (rand() % 10 < 3) {
    e.departure = DepartureMode::Dissolve;
  } else {
    ReplayPlace(v, e.radius, 3, e.end);
  }
  e.shuffled = (e.arrival == ArrivalMode::Materialise && rand() % 10 > 4) ||
               (e.departure == DepartureMode::Dissolve && rand() % 10 < 5);
  if (e.shuffled) {
    const auto n = static_cast<int32_t>(e.particles.size());
    for (int32_t i = 0; i < n; ++i) std::swap(e.particles[i], e.particles[rand() % n]);
  }
  e.stateAfter = RandomState();
  return e;
}

TEST_F(ShapeBuild, ConstructionDrawsEveryChoiceInItsFixedOrder) {
  const FrameView view = ViewOf(800, 600);
  clock.tick = 4242;
  int seen[2][2][2] = {};  // arrival, departure, shuffled
  bool slowRoll = false;
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    const Replay e = ReplayConstruction(seed, view);
    srand(seed);
    ShapeEffect s(view, clock);
    ASSERT_EQ(s.kind, e.kind) << seed;
    ASSERT_EQ(s.radius, e.radius) << seed;
    ASSERT_EQ(ModelPoints(s), e.particles) << seed;
    const double angles[] = {s.angleX, s.angleY, s.angleZ};
    const double spins[] = {s.spinX, s.spinY, s.spinZ};
    const double starts[] = {s.startSpinX, s.startSpinY, s.startSpinZ};
    const double cruises[] = {s.cruiseSpinX, s.cruiseSpinY, s.cruiseSpinZ};
    for (int i = 0; i < 3; ++i) {
      ASSERT_EQ(angles[i], e.angle[i]) << seed;
      ASSERT_EQ(spins[i], e.spin[i]) << seed;
      ASSERT_EQ(starts[i], e.startSpin[i]) << seed;
      ASSERT_EQ(cruises[i], e.cruiseSpin[i]) << seed;
    }
    ASSERT_EQ(s.arrival, e.arrival) << seed;
    ASSERT_EQ(s.departure, e.departure) << seed;
    ASSERT_EQ(s.lifetime, e.lifetime) << seed;
    ASSERT_EQ((std::array{s.startX, s.startY, s.startZ}),
              (std::array{e.start[0], e.start[1], e.start[2]}))
        << seed;
    ASSERT_EQ((std::array{s.endX, s.endY, s.endZ}), (std::array{e.end[0], e.end[1], e.end[2]}))
        << seed;
    ASSERT_EQ(RandomState(), e.stateAfter) << seed;  // no draw more or less
    ASSERT_EQ(s.startTick, 4242u);
    ASSERT_EQ(s.lastTick, 4242u);
    ASSERT_FALSE(s.finished);
    ASSERT_EQ(s.firstShown, 0);
    ASSERT_EQ(s.shownEnd, 0);
    ASSERT_EQ(s.offsetX, 0);
    ASSERT_EQ(s.offsetY, 0);
    for (int32_t i = 0; i < s.count; ++i) {
      ASSERT_EQ(s.particles[i].screenX, -1000);
      ASSERT_EQ(s.particles[i].screenY, -1000);
    }
    ++seen[static_cast<int>(e.arrival)][static_cast<int>(e.departure)][e.shuffled];
    if (e.kind == 5) slowRoll = true;  // its z spin a third of the drawn one
  }
  // The seeds covered every way of arriving and leaving, shuffled or not where possible.
  EXPECT_GT(seen[0][0][0], 0);
  EXPECT_GT(seen[1][0][0], 0);
  EXPECT_GT(seen[1][0][1], 0);
  EXPECT_GT(seen[0][1][0], 0);
  EXPECT_GT(seen[0][1][1], 0);
  EXPECT_GT(seen[1][1][1], 0);
  EXPECT_EQ(seen[0][0][1], 0);  // neither mode: never shuffled
  EXPECT_TRUE(slowRoll);
}

}  // namespace
}  // namespace orv
