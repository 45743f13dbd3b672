// Shows the configure dialog as the configure mode does and exits with its result.
//   config_dialog_driver [owned]     owned: owned by the foreground window, else top-level
#include <cstring>

#include "host/config_dialog.h"
#include "host/host_state.h"

orv::HostState orv::hostState;

int main(int argc, char** argv) {
  orv::hostState.instance = GetModuleHandleA(nullptr);
  HWND owner = nullptr;
  if (argc > 1 && std::strcmp(argv[1], "owned") == 0) owner = GetForegroundWindow();
  return static_cast<int>(orv::ShowConfigDialog(owner));
}
