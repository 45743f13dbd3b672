// The saver's shape source: a whole shape, or null when memory runs out; the renderer's trace.
#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <string>

#include "core/random.h"
#include "effects/shape_effect.h"
#include "effects/shape_source.h"
#include "tests/test_support.h"
#include "tools/render/render.h"
#include "tools/render/trace.h"

namespace {
// Which nothrow allocation (counted from 1) fails next; 0: none.
int failNothrowAllocation = 0;
int nothrowAllocations = 0;

void* Allocate(std::size_t size, bool array) noexcept {
  if (failNothrowAllocation != 0 && ++nothrowAllocations == failNothrowAllocation) {
    return nullptr;
  }
  try {
    return array ? ::operator new[](size) : ::operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
}  // namespace

// Out of memory on demand, for the allocations a shape source makes.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size, false);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size, true);
}

namespace orv {
namespace {

using test::ManualClock;
using test::ViewOf;

class RandomShapeSource : public ::testing::Test {
 protected:
  void TearDown() override { failNothrowAllocation = 0; }
  ManualClock clock;
  RandomShapes shapes;
};

TEST_F(RandomShapeSource, MakesAWholeShape) {
  srand(3);
  const std::unique_ptr<ShapeEffect> shape = shapes.MakeRandomShape(ViewOf(640, 480), clock);
  ASSERT_NE(shape, nullptr);
  EXPECT_GT(shape->count, 0);
  EXPECT_TRUE(shapes.FirstShapeDone());
  EXPECT_NE(shapes.MakeShape(ViewOf(640, 480), clock), nullptr);
}

TEST_F(RandomShapeSource, OnlyTheFirstShapeOfEachSourceAvoidsTheEmblemAndBanner) {
  const uint32_t emblemFirst = test::SeedForFirstDraw(50);  // the first draw gives kind 5
  auto kindOf = [&](RandomShapes& source) {
    srand(emblemFirst);
    const std::unique_ptr<ShapeEffect> shape = source.MakeRandomShape(ViewOf(640, 480), clock);
    return shape != nullptr ? static_cast<int>(shape->kind) : -1;
  };
  const int first = kindOf(shapes);
  EXPECT_TRUE(first >= 0 && !ShowsEmblemOrBanner(static_cast<ShapeKind>(first))) << first;
  EXPECT_EQ(kindOf(shapes), static_cast<int>(ShapeKind::EmblemSlowRoll));
  RandomShapes fresh;  // another run
  EXPECT_EQ(kindOf(fresh), first);
}

TEST_F(RandomShapeSource, GivesNullWhenTheShapeOrItsParticlesCannotBeAllocated) {
  for (int failing : {1, 2}) {  // the shape object, then its particle array
    srand(3);
    nothrowAllocations = 0;
    failNothrowAllocation = failing;
    EXPECT_EQ(shapes.MakeShape(ViewOf(640, 480), clock), nullptr) << failing;
    EXPECT_EQ(RandomState(), 3u) << failing;  // nothing was drawn
    EXPECT_FALSE(shapes.FirstShapeDone());
  }
}

TEST(ShapeTrace, OneLineWithEveryFieldIn17SignificantDigits) {
  ManualClock clock;
  ShapeEffect s(ShapeEffect::Unbuilt{}, clock);
  s.AddParticle(1, -2, 3, 0xFFFFFF);
  s.AddParticle(-700, 0, 0, 0x01000000);
  s.kind = ShapeKind::CubeFrame;
  s.radius = 1100;
  s.angle = {0.02, 6.28, 0};
  s.spin = s.cruiseSpin = {-0.0012, 1e-6, 0.0011 / 3};
  s.arrival = ArrivalMode::FlyIn;
  s.departure = DepartureMode::Dissolve;
  s.lifetime = 31999;
  s.start = {-4270, 12, 92200};
  s.startTick = 4294967295u;
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  WriteShapeTrace(out, 17, s);
  std::rewind(out);
  char text[1024] = {};
  const size_t n = std::fread(text, 1, sizeof text - 1, out);
  std::fclose(out);
  EXPECT_EQ(std::string(text, n),
            "{\"frame\":17,\"kind\":9,\"count\":2,\"radius\":1100,"
            "\"angle\":[0.02,6.2800000000000002,0],"
            "\"spin\":[-0.0011999999999999999,9.9999999999999995e-07,0.00036666666666666667],"
            "\"startSpin\":[0,0,0],"
            "\"cruiseSpin\":[-0.0011999999999999999,9.9999999999999995e-07,"
            "0.00036666666666666667],"
            "\"arrival\":0,\"departure\":1,\"lifetime\":31999,\"start\":[-4270,12,92200],"
            "\"end\":[0,0,0],\"startTick\":4294967295,"
            "\"particles\":[[1,-2,3,16777215],[-700,0,0,16777216]]}\n");
}

TEST(ShapeTrace, TheRendererWritesALineForEveryShapeItMakes) {
  RenderOptions options;
  options.frames = 3000;
  options.tickStep = 33;
  MemoryFrame frame(options.width, options.height, options.format);
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  RenderFrames(options, frame, out);
  std::rewind(out);
  int lines = 0;
  int previousFrame = 0;
  char line[65536];
  while (std::fgets(line, sizeof line, out) != nullptr) {
    ++lines;
    int f = 0;
    ASSERT_EQ(std::sscanf(line, "{\"frame\":%d,\"kind\":", &f), 1) << line;
    EXPECT_GT(f, previousFrame);
    previousFrame = f;
  }
  std::fclose(out);
  EXPECT_GE(lines, 3);  // 99 seconds: several shapes come and go
}

}  // namespace
}  // namespace orv
