// A stand-in for the platform's "MPR.DLL": PwdChangePasswordA logs its arguments and answers 0.
#include "tests/doubles/double_support.h"

namespace {
HMODULE self = nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) self = instance;
  return TRUE;
}

extern "C" __attribute__((dllexport)) DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND owner,
                                                                      DWORD reserved1,
                                                                      DWORD reserved2) {
  orv::doubles::AppendLog(self, std::string("PwdChangePasswordA provider=") +
                                    (provider != nullptr ? provider : "(null)") +
                                    " owner=" + orv::doubles::DescribeWindow(owner) + " reserved=" +
                                    std::to_string(reserved1) + "," + std::to_string(reserved2));
  return 0;
}
