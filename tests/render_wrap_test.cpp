// The whole drawing seen across the wrap of the tick counter: every time difference wraps, so a
// run renders the same frame and the same shapes whatever tick it starts at.
#include <gtest/gtest.h>

#include "tests/render_run.h"

namespace orv {
namespace {

using test::Render;
using test::RenderRun;

struct WrapCase {
  const char* format;
  const char* seed;
};

class RenderAcrossTheWrap : public ::testing::TestWithParam<WrapCase> {};

// 2000 frames of 160 ms: about eleven shapes, arriving, turning and leaving. The start ticks put
// the wrap (or the sign change of the wrapping difference) just after start-up, where the first
// shape waits for its time, and in the middle of the run.
TEST_P(RenderAcrossTheWrap, GivesTheSameFrameAndShapesWhateverTheStartTick) {
  const auto run = [&](const char* tickStart) {
    return Render({"--size", "160x120", "--format", GetParam().format, "--seed", GetParam().seed,
                   "--tick-step", "160", "--frames", "2000", "--tick-start", tickStart});
  };
  const RenderRun reference = run("0");
  ASSERT_GE(reference.shapes, 9);
  for (const char* start : {"4294962296", "2147478648", "4294767296"}) {
    const RenderRun wrapped = run(start);
    EXPECT_EQ(test::FirstDifference(wrapped.trace, reference.trace), "") << start;
    EXPECT_TRUE(wrapped.frame == reference.frame) << start;
  }
}

std::string FormatName(const ::testing::TestParamInfo<WrapCase>& param) {
  return std::string("format") + param.param.format;
}

// Together the four seeds bring every one of the eleven kinds (kinds 0 to 10 in their traces).
INSTANTIATE_TEST_SUITE_P(EveryFormat, RenderAcrossTheWrap,
                         ::testing::Values(WrapCase{"565", "1"}, WrapCase{"555", "2"},
                                           WrapCase{"24", "3"}, WrapCase{"32", "4"}),
                         FormatName);

}  // namespace
}  // namespace orv
