// Construction of shapes: the kind draw, the geometry of every kind, and the random draws in
// their fixed order.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <tuple>
#include <vector>

#include "core/random.h"
#include "effects/shape_effect.h"
#include "tests/test_support.h"

namespace orv {

void PrintTo(ShapeKind kind, std::ostream* out) {
  *out << "kind " << static_cast<uint32_t>(kind);
}

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

class ShapeBuild : public ::testing::Test {
 protected:
  ManualClock clock;
  bool firstShapeDone = true;  // later shapes of a run: any kind
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
  const std::pair<int32_t, ShapeKind> cases[] = {{109, ShapeKind::Emblem},
                                                 {32767, ShapeKind::CubeFrame},
                                                 {0, ShapeKind::Sphere},
                                                 {10, ShapeKind::RingedSphere},
                                                 {99, ShapeKind::CubeFrame}};
  for (auto [draw, kind] : cases) {
    srand(SeedForFirstDraw(draw));
    ShapeEffect shape(ViewOf(640, 480), clock, firstShapeDone);
    EXPECT_EQ(shape.kind, kind) << draw;
  }
}

TEST_F(ShapeBuild, TheFirstShapeOfARunIsNeverAnEmblemOrBanner) {
  for (int32_t draw : {50, 100}) {  // kinds 5 and 10
    srand(SeedForFirstDraw(draw));
    rand();
    const auto second = static_cast<ShapeKind>(rand() % 110 / 10);
    ASSERT_FALSE(ShowsEmblemOrBanner(second));
    firstShapeDone = false;
    srand(SeedForFirstDraw(draw));
    ShapeEffect first(ViewOf(640, 480), clock, firstShapeDone);
    EXPECT_EQ(first.kind, second) << draw;  // drawn again once
    EXPECT_TRUE(firstShapeDone);
    srand(SeedForFirstDraw(draw));
    ShapeEffect later(ViewOf(640, 480), clock, firstShapeDone);
    EXPECT_EQ(static_cast<uint32_t>(later.kind), static_cast<uint32_t>(draw / 10));
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

// Whole shapes as construction builds them from a seed in an 800 x 600 view, recorded from
// the shapes themselves: every kind (kinds 5 and 10 with each of their pictures), every way of
// arriving and leaving, shuffled and not (a fly-in that flies away is never shuffled).
struct Built {
  uint32_t seed;
  uint32_t kind;
  int32_t count;
  int32_t radius;
  ArrivalMode arrival;
  DepartureMode departure;
  bool shuffled;
  int32_t lifetime;
  Vec3i start;
  Vec3i end;
  Vec3i cruiseSpin;  // millionths of a radian per millisecond, rounded
  int32_t draws;     // numbers drawn from the generator
};

constexpr ArrivalMode kFlyIn = ArrivalMode::FlyIn;
constexpr ArrivalMode kMaterialise = ArrivalMode::Materialise;
constexpr DepartureMode kFlyAway = DepartureMode::FlyAway;
constexpr DepartureMode kDissolve = DepartureMode::Dissolve;

const Built kBuilt[] = {
    // clang-format off
    {2,   4,  697, 1100, kMaterialise, kDissolve, true,  28926, {}, {}, {959, 239, -132}, 711},
    {4,   5,  428, 1650, kMaterialise, kDissolve, false, 26222, {}, {}, {814, 324, 102}, 16},
    {7,   6,  532, 1430, kFlyIn, kDissolve, true,  26813, {20372, -9272, 70048}, {},
     {-64, -723, 1008}, 547},
    {10,  7,  560, 1430, kMaterialise, kFlyAway, true,  29162, {}, {-1533, -551, -5309},
     {-197, 140, -708}, 578},
    {13,  8,  840, 1210, kFlyIn, kFlyAway, false, 27996, {-20774, -10464, 73416},
     {4807, 1476, 9548}, {-331, 1002, -24}, 18},
    {16,  9,  552, 1100, kFlyIn, kFlyAway, false, 28587, {-1244, 3385, 6323}, {-859, 4633, 12980},
     {-465, -535, 660}, 18},
    {19,  10, 428, 1650, kFlyIn, kFlyAway, false, 23259, {4774, 846, 5897}, {-152, -7278, 21218},
     {328, -1057, -509}, 19},
    {20,  10, 894, 1650, kMaterialise, kFlyAway, false, 22042, {}, {-85, -3072, -1217},
     {616, -829, -724}, 19},
    {22,  0,  450, 1210, kFlyIn, kDissolve, false, 29770, {-1507, -3763, 7165}, {},
     {-732, 1191, -373}, 15},
    {25,  1,  600, 1320, kFlyIn, kFlyAway, false, 30361, {-22676, -13051, 80144},
     {2715, -7002, 23267}, {-865, -346, 311}, 18},
    {29,  2,  150, 1320, kMaterialise, kFlyAway, false, 29724, {}, {-11000, 4141, 33440},
     {-244, 804, -1177}, 18},
    {33,  3,  825, 1100, kMaterialise, kFlyAway, true,  29842, {}, {-11095, 5960, 35582},
     {378, -446, -265}, 843},
    {107, 5,  894, 1650, kFlyIn, kFlyAway, false, 10850, {-17905, 16765, 71816},
     {2362, -657, -3753}, {-763, -196, -59}, 19},
    // clang-format on
};

Vec3i Millionths(const Vec3d& v) {
  return {static_cast<int32_t>(std::lround(v.x * 1e6)),
          static_cast<int32_t>(std::lround(v.y * 1e6)),
          static_cast<int32_t>(std::lround(v.z * 1e6))};
}

TEST_F(ShapeBuild, ConstructionGivesTheRecordedShapeForEachSeed) {
  const FrameView view = ViewOf(800, 600);
  clock.tick = 4242;
  for (const Built& b : kBuilt) {
    srand(b.seed);
    ShapeEffect s(view, clock, firstShapeDone);
    EXPECT_EQ(test::DrawsSince(b.seed), b.draws) << b.seed;
    EXPECT_EQ(static_cast<uint32_t>(s.kind), b.kind) << b.seed;
    EXPECT_EQ(s.count, b.count) << b.seed;
    EXPECT_EQ(s.radius, b.radius) << b.seed;
    EXPECT_EQ(s.arrival, b.arrival) << b.seed;
    EXPECT_EQ(s.departure, b.departure) << b.seed;
    EXPECT_EQ(s.lifetime, b.lifetime) << b.seed;
    EXPECT_EQ(s.start, b.start) << b.seed;
    EXPECT_EQ(s.end, b.end) << b.seed;
    EXPECT_EQ(Millionths(s.cruiseSpin), b.cruiseSpin) << b.seed;
    // A materialising shape starts at its own slow spin, any other at its cruising spin.
    EXPECT_EQ(s.spin, b.arrival == kMaterialise ? s.startSpin : s.cruiseSpin) << b.seed;
    for (double a : {s.angle.x, s.angle.y, s.angle.z}) {
      EXPECT_TRUE(a >= 0 && a <= 6.28) << b.seed << " " << a;
    }

    // The particles are those of the kind (the picture chosen by the draw after the kind's),
    // in build order unless shuffled.
    srand(b.seed);
    rand();
    ShapeEffect unshuffled(ShapeEffect::Unbuilt{}, clock);
    unshuffled.BuildKind(static_cast<ShapeKind>(b.kind));
    std::vector<ModelPoint> built = ModelPoints(s);
    std::vector<ModelPoint> expected = ModelPoints(unshuffled);
    EXPECT_EQ(built != expected, b.shuffled) << b.seed;
    std::sort(built.begin(), built.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(built, expected) << b.seed;

    // Nothing shown, placed or timed yet.
    EXPECT_EQ(s.startTick, 4242u);
    EXPECT_EQ(s.lastTick, 4242u);
    EXPECT_FALSE(s.finished);
    EXPECT_EQ(s.firstShown, 0);
    EXPECT_EQ(s.shownEnd, 0);
    EXPECT_EQ(s.offset, Vec3i{});
    for (int32_t i = 0; i < s.count; ++i) {
      ASSERT_EQ(s.particles[i].screenX, -1000) << b.seed;
      ASSERT_EQ(s.particles[i].screenY, -1000) << b.seed;
    }
  }
}

}  // namespace
}  // namespace orv
