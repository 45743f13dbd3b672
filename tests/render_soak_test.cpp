// Long runs across the wrap of the tick counter, in every pixel format, under the native build's
// sanitizers: thousands of frames with many shapes give the same frame and the same shapes as
// the same run started at tick 0.
#include <gtest/gtest.h>

#include "tests/render_run.h"

namespace orv {
namespace {

using test::FirstDifference;
using test::Render;
using test::RenderRun;

// A seed whose first shape time lies just past the wrap when the run starts 16 ms before it:
// an unsigned comparison of the ticks would never bring a shape.
TEST(RenderSoak, AShapeTimeJustPastTheWrapComesOnTime) {
  const auto run = [](const char* tickStart) {
    return Render(
        {"--seed", "102", "--tick-step", "16", "--frames", "20000", "--tick-start", tickStart});
  };
  const RenderRun reference = run("0");
  const RenderRun wrapped = run("4294967280");
  EXPECT_EQ(reference.shapes, 11);
  EXPECT_EQ(FirstDifference(wrapped.trace, reference.trace), "");
  EXPECT_TRUE(wrapped.frame == reference.frame);
}

class RenderSoak : public ::testing::TestWithParam<const char*> {};

// 12000 frames of 16 ms (about seven shapes), a preview's pacing, and covered frames around
// the wrap, which comes 96 s into the run.
TEST_P(RenderSoak, ALongRunAcrossTheWrapMatchesTheRunFromTickZero) {
  const auto run = [](const char* tickStart) {
    return Render({"--size", "200x150", "--screen-width", "1024", "--format", GetParam(), "--seed",
                   "7", "--frames", "12000", "--hidden", "5990-6010,9000-9400", "--tick-start",
                   tickStart});
  };
  const RenderRun reference = run("0");
  ASSERT_GE(reference.shapes, 6);
  const RenderRun wrapped = run("4294871296");
  EXPECT_EQ(FirstDifference(wrapped.trace, reference.trace), "");
  EXPECT_TRUE(wrapped.frame == reference.frame);
}

std::string FormatName(const ::testing::TestParamInfo<const char*>& param) {
  return std::string("format") + param.param;
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, RenderSoak, ::testing::Values("565", "555", "24", "32"),
                         FormatName);

}  // namespace
}  // namespace orv
