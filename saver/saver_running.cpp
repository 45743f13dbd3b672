#include "saver/saver_running.h"

#include <windows.h>

namespace orv {
namespace {

constexpr UINT kScreenSaverRunning = 97;  // SPI_SCREENSAVERRUNNING

// Written on the main thread before any render thread exists; a failed picture may read it on
// the render thread.
bool switchedOnHere = false;

}  // namespace

static_assert(kScreenSaverRunning == SPI_SCREENSAVERRUNNING);

int32_t SetSaverRunning(int32_t on) {
  UINT previous = 0;  // receives the state before; not used
  const BOOL result =
      SystemParametersInfoA(kScreenSaverRunning, static_cast<UINT>(on), &previous, 0);
  switchedOnHere = on != 0;
  return result;
}

void EndSaverRunningOfThisRun() {
  if (switchedOnHere) SetSaverRunning(0);
}

}  // namespace orv
