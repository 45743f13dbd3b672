// Ends on purpose in the ways that the saver must survive quietly:
//   fault_guard_probe main     a fault on the guarded (main) thread: the guard switches the
//                              screen-saver-running state off and ends the process with that
//                              call's result
//   fault_guard_probe other    a fault on another thread: not covered, the process dies of it
//   fault_guard_probe state    no fault: returns what switching the state off returns here
//   fault_guard_probe picture [on]
//                              a built-in picture fails its check (after switching the state
//                              on, with "on"): the saver ends quietly with 3
//   fault_guard_probe memory   an allocation that can't fail gracefully fails: the same
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <new>

#include "effects/picture_source.h"
#include "host/fault_guard.h"
#include "saver/saver_running.h"

namespace {

DWORD WINAPI Fault(void*) {
  *static_cast<volatile int*>(nullptr) = 1;
  return 0;
}

bool Is(int argc, char** argv, int i, const char* word) {
  return argc > i && std::strcmp(argv[i], word) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (Is(argc, argv, 1, "state")) return orv::SetSaverRunning(0);
  if (Is(argc, argv, 1, "picture")) {
    if (Is(argc, argv, 2, "on")) orv::SetSaverRunning(1);
    orv::FailPicture("BANNER", "the probe says so");
  }
  if (Is(argc, argv, 1, "memory")) {
    // More than any heap can give. Both volatile: the compiler may neither know the size nor
    // leave out an allocation whose result goes unused.
    volatile std::size_t size = SIZE_MAX / 2;
    static char* volatile never;
    never = new char[size];
    return never != nullptr ? 1 : 2;
  }
  orv::InstallFaultGuard();
  if (Is(argc, argv, 1, "main")) Fault(nullptr);
  if (Is(argc, argv, 1, "other")) {
    HANDLE thread = CreateThread(nullptr, 0, Fault, nullptr, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
  }
  orv::RemoveFaultGuard();
  return 3;  // no fault, or the fault went unnoticed
}
