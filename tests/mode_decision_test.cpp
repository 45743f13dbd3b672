#include "host/mode_decision.h"

#include <gtest/gtest.h>

#include <string>

namespace orv {
namespace {

struct ModeCase {
  const char* text;
  RunMode mode;
  const char* rest;  // checked for preview and password change
};

class ModeTable : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ModeTable, DecidesByTheFirstSignificantLetter) {
  const ModeCase& c = GetParam();
  const ModeDecision d = DecideMode(c.text);
  EXPECT_EQ(d.mode, c.mode) << "text: \"" << c.text << "\"";
  if (c.rest != nullptr) {
    EXPECT_STREQ(d.rest, c.rest);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ModeTable,
    ::testing::Values(ModeCase{"", RunMode::kConfigureWithoutOwner, nullptr},
                      ModeCase{" -/ -//", RunMode::kConfigureWithoutOwner, nullptr},
                      ModeCase{"/s", RunMode::kFullScreen, nullptr},
                      ModeCase{"-S", RunMode::kFullScreen, nullptr},
                      ModeCase{"s", RunMode::kFullScreen, nullptr},
                      ModeCase{"/ s", RunMode::kFullScreen, nullptr},
                      ModeCase{"/screen", RunMode::kFullScreen, nullptr},
                      ModeCase{"/c", RunMode::kConfigure, nullptr},
                      ModeCase{"/c:1234", RunMode::kConfigure, nullptr},
                      ModeCase{"/p 1234", RunMode::kPreview, "1234"},
                      ModeCase{"/p1234", RunMode::kPreview, "1234"},
                      ModeCase{"P   1234", RunMode::kPreview, "1234"},
                      ModeCase{"/l 1234", RunMode::kPreview, "1234"},
                      ModeCase{"/p:1234", RunMode::kPreview, ":1234"},
                      ModeCase{"/p", RunMode::kPreview, ""},
                      ModeCase{"/p\t12", RunMode::kPreview, "\t12"},  // only 0x20 counts as a blank
                      ModeCase{"/a", RunMode::kPasswordChange, ""},
                      ModeCase{"-A  1234", RunMode::kPasswordChange, "1234"},
                      ModeCase{"/x", RunMode::kBadArgument, nullptr},
                      ModeCase{"1234", RunMode::kBadArgument, nullptr},
                      ModeCase{"/\ts", RunMode::kBadArgument, nullptr},
                      ModeCase{"\x80s", RunMode::kBadArgument, nullptr},
                      ModeCase{"/\xE9", RunMode::kBadArgument, nullptr},
                      ModeCase{"\"/s\"", RunMode::kBadArgument, nullptr}));

TEST(ParseWindowHandle, ReadsLeadingDecimalDigitsWrappingAt32Bits) {
  EXPECT_EQ(ParseWindowHandle("1234"), 1234u);
  EXPECT_EQ(ParseWindowHandle("1234 5"), 1234u);
  EXPECT_EQ(ParseWindowHandle("0012x"), 12u);
  EXPECT_EQ(ParseWindowHandle(""), 0u);
  EXPECT_EQ(ParseWindowHandle(":1234"), 0u);
  EXPECT_EQ(ParseWindowHandle("12\xB3"), 12u);              // a byte from 0x80 up ends the number
  EXPECT_EQ(ParseWindowHandle("4294967297"), 1u);           // 2^32 + 1
  EXPECT_EQ(ParseWindowHandle("4294967295"), 0xFFFFFFFFu);  // 2^32 - 1
  EXPECT_EQ(ParseWindowHandle("99999999999999999999"), 1661992959u);
}

TEST(ArgumentText, SkipsTheProgramPathAndTheBlanksBehindIt) {
  EXPECT_STREQ(ArgumentText("orvessan.scr /s"), "/s");
  EXPECT_STREQ(ArgumentText("\"C:\\a b\\orvessan.scr\"   /p 12"), "/p 12");
  EXPECT_STREQ(ArgumentText("\"C:\\a b\\orvessan.scr\"/s"), "/s");
  EXPECT_STREQ(ArgumentText("\"unterminated /s"), "");
  EXPECT_STREQ(ArgumentText("orvessan.scr"), "");
  EXPECT_STREQ(ArgumentText("orvessan.scr \t\x01 /c"), "/c");
  // Bytes from 0x80 up are not blanks: they stay in the path or begin the argument text.
  EXPECT_STREQ(ArgumentText("C:\\\xE9t\xE9.scr /s"), "/s");
  EXPECT_STREQ(ArgumentText("orvessan.scr \x80s"), "\x80s");
}

}  // namespace
}  // namespace orv
