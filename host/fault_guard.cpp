#include "host/fault_guard.h"

#include <windows.h>

#include "saver/saver_running.h"

namespace orv {
namespace {

DWORD guardedThread = 0;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

LONG WINAPI GuardFilter(EXCEPTION_POINTERS* info) {
  // Faults on the render thread are not covered: the system handles them as usual.
  if (GetCurrentThreadId() != guardedThread) {
    return previousFilter != nullptr ? previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
  }
  // The system's filter calls the installed top-level filter: take this one out first.
  SetUnhandledExceptionFilter(previousFilter);
  const LONG answer = UnhandledExceptionFilter(info);
  if (answer == EXCEPTION_EXECUTE_HANDLER) ExitProcess(static_cast<UINT>(SetSaverRunning(0)));
  return answer;
}

}  // namespace

void InstallFaultGuard() {
  guardedThread = GetCurrentThreadId();
  previousFilter = SetUnhandledExceptionFilter(GuardFilter);
}

void RemoveFaultGuard() {
  SetUnhandledExceptionFilter(previousFilter);
  guardedThread = 0;
}

}  // namespace orv
