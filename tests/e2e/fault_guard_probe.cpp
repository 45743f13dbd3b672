// Faults on purpose under the saver's fault guard:
//   fault_guard_probe main     a fault on the guarded (main) thread: the guard switches the
//                              screen-saver-running state off and ends the process with that
//                              call's result
//   fault_guard_probe other    a fault on another thread: not covered, the process dies of it
//   fault_guard_probe state    no fault: returns what switching the state off returns here
#include <windows.h>

#include <cstring>

#include "host/fault_guard.h"
#include "host/password.h"

namespace {

DWORD WINAPI Fault(void*) {
  *static_cast<volatile int*>(nullptr) = 1;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "state") == 0) return orv::SetSaverRunning(0);
  orv::InstallFaultGuard();
  if (argc > 1 && std::strcmp(argv[1], "main") == 0) Fault(nullptr);
  if (argc > 1 && std::strcmp(argv[1], "other") == 0) {
    HANDLE thread = CreateThread(nullptr, 0, Fault, nullptr, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
  }
  orv::RemoveFaultGuard();
  return 3;  // no fault, or the fault went unnoticed
}
