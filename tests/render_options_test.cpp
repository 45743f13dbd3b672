#include "tools/render/options.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(RenderOptions, DefaultsGiveA640x480ThirtyTwoBitRunOf600Frames) {
  RenderOptions o;
  std::string error;
  ASSERT_TRUE(ParseRenderOptions({}, o, error));
  EXPECT_EQ(o.width, 640u);
  EXPECT_EQ(o.height, 480u);
  EXPECT_EQ(o.screenWidth, 640);
  EXPECT_EQ(o.pitch, 2560);
  EXPECT_EQ(o.seed, 1u);
  EXPECT_EQ(o.tickStart, 0u);
  EXPECT_EQ(o.tickStep, 16u);
  EXPECT_EQ(o.frames, 600u);
}

TEST(RenderOptions, ReadsEveryOption) {
  RenderOptions o;
  std::string error;
  ASSERT_TRUE(ParseRenderOptions(
      {"--size",         "321x7", "--format", "24",         "--pitch",      "1000",
       "--screen-width", "1024",  "--seed",   "4294967295", "--tick-start", "4294967000",
       "--tick-step",    "0",     "--frames", "0",          "--hidden",     "3,10-20",
       "--raw",          "a.raw", "--png",    "b.png",      "--trace",      "-"},
      o, error))
      << error;
  EXPECT_EQ(o.width, 321u);
  EXPECT_EQ(o.height, 7u);
  EXPECT_EQ(o.format, FrameFormat::k24);
  EXPECT_EQ(o.pitch, 1000);
  EXPECT_EQ(o.screenWidth, 1024);
  EXPECT_EQ(o.seed, 4294967295u);
  EXPECT_EQ(o.tickStart, 4294967000u);
  EXPECT_EQ(o.frames, 0u);
  EXPECT_FALSE(o.IsHidden(2));
  EXPECT_TRUE(o.IsHidden(3));
  EXPECT_TRUE(o.IsHidden(10));
  EXPECT_TRUE(o.IsHidden(20));
  EXPECT_FALSE(o.IsHidden(21));
  EXPECT_EQ(o.tracePath, "-");
}

TEST(RenderOptions, BadOptionsAreRefusedWithAMessageNamingTheOption) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"},
      {"--size", "1x480"},
      {"--size", "640"},
      {"--size", "640x0"},
      {"--size", "-640x480"},
      {"--size", "99999x2"},
      {"--size", "640x480x2"},
      {"--format", "16"},
      {"--pitch", "2559"},
      {"--pitch", "0"},
      {"--seed", "4294967296"},
      {"--seed", "12a"},
      {"--seed", ""},
      {"--tick-start", "-1"},
      {"--frames", "2147483648"},
      {"--hidden", "0"},
      {"--hidden", "5-3"},
      {"--hidden", "1,,2"},
      {"--hidden", "1-"},
      {"--screen-width", "+5"},
      {"--raw"},
      {"--size", "30000x30000"},
  };
  for (const auto& args : cases) {
    RenderOptions o;
    std::string error;
    EXPECT_FALSE(ParseRenderOptions(args, o, error)) << args[0];
    const std::string& named =
        args[0] == "--size" && args.size() > 1 && args[1] == "30000x30000" ? "--size" : args[0];
    EXPECT_NE(error.find(named), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace orv
