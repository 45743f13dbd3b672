// The thread's message loop, as plain logic over the platform's fetch and dispatch: no
// windows.h.
#pragma once

#include <cstdint>

namespace orv {

// Exit code of a run whose message loop ended because fetching a message failed.
inline constexpr int kFailedMessageLoopExitCode = -1;

// Runs until `next(message)` (GetMessageA's contract: positive for a message, 0 for WM_QUIT,
// -1 for a failure) stops answering positive; every message fetched goes to
// `dispatch(message)`. Returns WM_QUIT's first parameter, or kFailedMessageLoopExitCode after a
// failure, which leaves no WM_QUIT in `message`.
template <typename Message, typename Next, typename Dispatch>
int RunMessageLoop(Message& message, Next next, Dispatch dispatch) {
  int32_t fetched;
  while ((fetched = next(message)) > 0) dispatch(message);
  return fetched == 0 ? static_cast<int>(message.wParam) : kFailedMessageLoopExitCode;
}

}  // namespace orv
