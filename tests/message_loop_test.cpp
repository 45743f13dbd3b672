#include "host/message_loop.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace orv {
namespace {

struct FakeMessage {
  uintptr_t wParam = 0;
};

// Each step: what the fetch answers and the first parameter it leaves in the message.
struct Fetch {
  int32_t result;
  uintptr_t wParam;
};

TEST(MessageLoop, EndsWithWmQuitsParameterOrAFixedCodeWhenFetchingFails) {
  struct Case {
    const char* name;
    std::vector<Fetch> fetches;
    int exitCode;
    int dispatched;
  };
  const Case cases[] = {
      {"quit at once", {{0, 0}}, 0, 0},
      {"messages, then quit", {{1, 5}, {1, 6}, {0, 0}}, 0, 2},
      {"quit with a code", {{1, 5}, {0, 7}}, 7, 1},
      // A failed fetch leaves the last message's parameter behind: it is not the exit code.
      {"failure after a message", {{1, 5}, {-1, 5}}, kFailedMessageLoopExitCode, 1},
      {"failure at once", {{-1, 0}}, kFailedMessageLoopExitCode, 0},
  };
  for (const Case& c : cases) {
    size_t next = 0;
    int dispatched = 0;
    FakeMessage message;
    const int exitCode = RunMessageLoop(
        message,
        [&](FakeMessage& m) {
          const Fetch f = c.fetches.at(next++);
          m.wParam = f.wParam;
          return f.result;
        },
        [&](const FakeMessage&) { ++dispatched; });
    EXPECT_EQ(exitCode, c.exitCode) << c.name;
    EXPECT_EQ(dispatched, c.dispatched) << c.name;
    EXPECT_EQ(next, c.fetches.size()) << c.name;
  }
}

}  // namespace
}  // namespace orv
