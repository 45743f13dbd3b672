#include "host/password_logic.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orv {
namespace {

using Log = std::vector<std::string>;

TEST(PasswordSettingTest, OnlyTheDataBytesCountUpToFourOfThem) {
  struct Case {
    const char* what;
    std::vector<uint8_t> data;
    bool inUse;
  };
  const Case cases[] = {
      {"32-bit 0", {0, 0, 0, 0}, false},
      {"32-bit 1", {1, 0, 0, 0}, true},
      {"text \"0\"", {0x30, 0x00}, true},
      {"text \"1\"", {0x31, 0x00}, true},
      {"empty text", {0x00}, false},
      {"no data", {}, false},
      {"only the top byte set", {0, 0, 0, 0x80}, true},
      {"five bytes: the query fails", {1, 0, 0, 0, 0}, false},
      {"text \"1234\" with its end: five bytes", {'1', '2', '3', '4', 0}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(PasswordSettingInUse(c.data), c.inUse) << c.what;
}

// Scripted ticks and dialog answers; every call is logged with the flags it saw.
class FakeDialogHost final : public PasswordDialogHost {
 public:
  uint32_t GetTickCount() override {
    log.push_back("tick");
    const uint32_t t = ticks.front();
    if (ticks.size() > 1) ticks.pop_front();
    return t;
  }
  void DropPendingTimers() override { log.push_back("dropTimers"); }
  int32_t AskPassword() override {
    log.push_back(state.checkingPassword ? "ask checking=1" : "ask checking=0");
    if (duringDialog) duringDialog();
    const int32_t answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void HideCursor() override { log.push_back("hideCursor"); }

  struct State {
    bool closeApproved = false;
    bool checkingPassword = false;
    uint32_t lastCheckTick = kNoPasswordDialogYet;
  } state;
  bool passwordInUse = true;

  bool Request() {
    return DecideClose(
        CloseFlags{state.closeApproved, state.checkingPassword, state.lastCheckTick, passwordInUse},
        *this);
  }
  Log Take() { return std::exchange(log, {}); }

  std::deque<uint32_t> ticks{1000};
  std::deque<int32_t> answers;
  std::function<void()> duringDialog;
  Log log;
};

const Log kDialog = {"tick", "dropTimers", "ask checking=1", "tick"};

TEST(CloseDecisionTest, WithoutAPasswordEveryRequestIsGrantedAtOnceWithoutThePlatform) {
  FakeDialogHost host;
  host.passwordInUse = false;
  EXPECT_TRUE(host.Request());
  EXPECT_TRUE(host.state.closeApproved);
  EXPECT_EQ(host.log, Log{});
  EXPECT_FALSE(host.Request()) << "a request after the grant";
}

TEST(CloseDecisionTest, FirstRequestShowsTheDialogAndARightAnswerGrants) {
  FakeDialogHost host;
  // The counter is just past its wrap: measured from the all-ones start value only 101 ms
  // have passed, yet the first request must still show the dialog.
  host.ticks = {100, 2100};
  host.answers = {1};
  EXPECT_TRUE(host.Request());
  EXPECT_EQ(host.log, kDialog);
  EXPECT_TRUE(host.state.closeApproved);
  EXPECT_FALSE(host.state.checkingPassword);
  EXPECT_EQ(host.state.lastCheckTick, 2100u) << "taken after the dialog has closed";

  EXPECT_FALSE(host.Request()) << "approved: later requests are refused";
}

TEST(CloseDecisionTest, AnyNonzeroAnswerGrants) {
  FakeDialogHost host;
  host.answers = {5};
  EXPECT_TRUE(host.Request());
  EXPECT_TRUE(host.state.closeApproved);
}

TEST(CloseDecisionTest, AWrongAnswerRefusesHidesTheCursorAndStartsTheGap) {
  FakeDialogHost host;
  host.ticks = {1000, 6000};  // the user took five seconds
  host.answers = {0};
  EXPECT_FALSE(host.Request());
  EXPECT_EQ(host.log, (Log{"tick", "dropTimers", "ask checking=1", "hideCursor", "tick"}));
  EXPECT_FALSE(host.state.closeApproved);
  EXPECT_FALSE(host.state.checkingPassword);
  EXPECT_EQ(host.state.lastCheckTick, 6000u);
}

// After a cancelled dialog that ended at `end`, a request at `now`.
TEST(CloseDecisionTest, AfterACancelledDialogTheNextOneWaitsTwoHundredMilliseconds) {
  struct Case {
    uint32_t end, now;
    bool dialog;
  };
  const Case cases[] = {
      {1000, 1000, false},
      {1000, 1150, false},
      {1000, 1199, false},
      {1000, 1200, true},
      {1000, 1250, true},
      // Ended 100 ms before the counter wrapped; 50 ms after the wrap 150 ms have passed.
      {0xFFFFFF9Cu, 50, false},
      {0xFFFFFF9Cu, 100, true},
      // A dialog that ended at the all-ones tick can't be told from "no dialog yet".
      {0xFFFFFFFFu, 49, true},
  };
  for (const Case& c : cases) {
    FakeDialogHost host;
    host.state.lastCheckTick = c.end;
    host.ticks = {c.now, c.now + 10};
    host.answers = {0};
    EXPECT_FALSE(host.Request());
    if (c.dialog) {
      EXPECT_EQ(host.log.size(), 5u) << c.end << " -> " << c.now;
      EXPECT_EQ(host.state.lastCheckTick, c.now + 10);
    } else {
      EXPECT_EQ(host.log, Log{"tick"}) << c.end << " -> " << c.now << ": no dialog, no cursor";
      EXPECT_EQ(host.state.lastCheckTick, c.end);
    }
  }
}

TEST(CloseDecisionTest, ARequestWhileTheDialogIsUpIsRefusedAtOnce) {
  FakeDialogHost host;
  host.answers = {1};
  std::optional<bool> nested;
  Log nestedLog;
  host.duringDialog = [&] {
    const size_t before = host.log.size();
    nested = host.Request();
    nestedLog.assign(host.log.begin() + static_cast<std::ptrdiff_t>(before), host.log.end());
  };
  EXPECT_TRUE(host.Request());
  EXPECT_EQ(nested, false);
  EXPECT_EQ(nestedLog, Log{}) << "no tick, no second dialog";
  EXPECT_EQ(host.log, kDialog);
}

TEST(CloseDecisionTest, RefusedThenLaterGranted) {
  FakeDialogHost host;
  host.ticks = {1000, 1500, 1600, 1700, 2000};
  host.answers = {0, 1};
  EXPECT_FALSE(host.Request());  // dialog, wrong, ends at 1500
  EXPECT_FALSE(host.Request());  // 1600: too soon
  EXPECT_TRUE(host.Request());   // 1700: dialog again, right
  EXPECT_EQ(host.Take(), (Log{"tick", "dropTimers", "ask checking=1", "hideCursor", "tick",
                              "tick",  //
                              "tick", "dropTimers", "ask checking=1", "tick"}));
  EXPECT_EQ(host.state.lastCheckTick, 2000u);
}

}  // namespace
}  // namespace orv
