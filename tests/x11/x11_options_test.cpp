#include "x11/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {
namespace {

bool Parse(std::vector<std::string> args, XOptions& options, std::string& error) {
  return ParseXOptions(args, options, error);
}

TEST(XOptions, XScreenSaverConventionsInBothDashForms) {
  struct Case {
    std::vector<std::string> args;
    TargetWindow target;
    unsigned long id;
    uint32_t delay;
    bool fps;
  };
  const Case cases[] = {
      {{}, TargetWindow::kOwn, 0, 10000, false},
      {{"-window"}, TargetWindow::kOwn, 0, 10000, false},
      {{"--root", "-delay", "0"}, TargetWindow::kRoot, 0, 0, false},
      {{"-root", "--fps", "--delay", "20000"}, TargetWindow::kRoot, 0, 20000, true},
      // The settings app's preview passes both: the id wins.
      {{"--root", "--window-id", "0x1E00007"}, TargetWindow::kId, 0x1e00007, 10000, false},
      {{"-window-id", "31457287"}, TargetWindow::kId, 31457287, 10000, false},
  };
  for (const Case& c : cases) {
    XOptions o;
    std::string error;
    ASSERT_TRUE(Parse(c.args, o, error)) << error;
    EXPECT_EQ(o.target, c.target);
    EXPECT_EQ(o.windowId, c.id);
    EXPECT_EQ(o.delayMicros, c.delay);
    EXPECT_EQ(o.fps, c.fps);
    EXPECT_FALSE(o.scripted);
  }
}

TEST(XOptions, DeterministicRunTakesTheRenderersMeaning) {
  XOptions o;
  std::string error;
  ASSERT_TRUE(
      Parse({"--seed", "4294967295", "--tick-start", "4294967290", "--frames", "3"}, o, error));
  EXPECT_TRUE(o.scripted && o.seedGiven && o.framesGiven);
  EXPECT_EQ(o.seed, 4294967295u);
  EXPECT_EQ(o.frames, 3u);
  EXPECT_EQ(o.clock.TickOfFrame(0), 4294967290u);
  EXPECT_EQ(o.clock.TickOfFrame(1), 10u);  // 16 ms later, wrapped

  XOptions seedOnly;
  ASSERT_TRUE(Parse({"-seed", "5"}, seedOnly, error));
  EXPECT_FALSE(seedOnly.scripted);  // a seed alone keeps the real clock
}

TEST(XOptions, BadArgumentsNameTheOption) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"},
      {"root"},
      {"--window-id"},
      {"--window-id", "0x"},
      {"--window-id", "0xg1"},
      {"--window-id", "-5"},
      {"--window-id", "0x123456789"},
      {"--window-id", "4294967296"},
      {"--delay", "fast"},
      {"--delay", "-1"},
      {"--delay", ""},
      {"--delay", "2147483648"},
      {"--frames", "-3"},
      {"--seed", "4294967296"},
  };
  for (const auto& args : cases) {
    XOptions o;
    std::string error;
    EXPECT_FALSE(Parse(args, o, error)) << args[0];
    EXPECT_NE(error.find(args[0].substr(args[0].find_first_not_of('-'))), std::string::npos)
        << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
}

// A refused name or value is echoed on one line, its control bytes escaped as the renderer
// escapes them, so that a newline or an escape sequence never reaches the terminal raw.
TEST(XOptions, ControlBytesInARefusedArgumentAreEscaped) {
  const struct {
    std::vector<std::string> args;
    const char* echoed;
  } cases[] = {
      {{"a\nb"}, "unknown option 'a\\nb'"},
      {{"--delay", "1\r\t2"}, "got '1\\r\\t2'"},
      {{"--window-id", "\x1b[2J\x7f"}, "got '\\x1b[2J\\x7f'"},
  };
  for (const auto& c : cases) {
    XOptions o;
    std::string error;
    EXPECT_FALSE(Parse(c.args, o, error));
    EXPECT_NE(error.find(c.echoed), std::string::npos) << error;
    for (const char byte : error) EXPECT_GE(static_cast<unsigned char>(byte), 0x20) << error;
  }
}

TEST(XOptions, CompatibilityOptionsAreAcceptedWithAWarning) {
  XOptions o;
  std::string error;
  ASSERT_TRUE(Parse({"--root", "-install", "--visual", "best", "--mono"}, o, error));
  EXPECT_EQ(o.warnings.size(), 3u);
  EXPECT_EQ(o.target, TargetWindow::kRoot);
}

}  // namespace
}  // namespace orv
