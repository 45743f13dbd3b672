#include "saver/quiet_end.h"

#include <windows.h>

#include "saver/saver_running.h"

namespace orv {

void EndQuietly(const char* reason) {
  OutputDebugStringA(reason);
  EndSaverRunningOfThisRun();
  ExitProcess(kQuietEndExitCode);
}

}  // namespace orv
