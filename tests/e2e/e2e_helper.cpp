// Small Windows program that the end-to-end tests drive the saver with:
//   e2e_helper parent X Y W H [TITLE]
//                                    a top-level window, brought to the foreground; prints
//                                    "HWND LEFT TOP RIGHT BOTTOM" (its client area on the
//                                    screen) and runs until closed
//   e2e_helper close HWND            posts WM_CLOSE to a window
//   e2e_helper close-child HWND      posts WM_CLOSE to the window's first child
//   e2e_helper child-of HWND MS      waits up to MS ms for a child window; prints
//                                    "HWND LEFT TOP RIGHT BOTTOM" (its client area on the screen)
//   e2e_helper find-saver MS         waits up to MS ms for the full-screen saver window
//   e2e_helper find-window TITLE MS  waits up to MS ms for a top-level window of that title;
//                                    prints "HWND OWNER" (OWNER 0: the window has none)
//   e2e_helper foreground            prints the foreground window's handle (0: none)
//   e2e_helper running               prints the screen-saver-running state, 0 or 1
//   e2e_helper set-running 0|1       sets it
//   e2e_helper describe HWND         prints "STYLE EXSTYLE CLASSSTYLE CLASS TITLE" of a window
//                                    (hexadecimal numbers, then the class name and the title)
//   e2e_helper monitor-power         sends SC_MONITORPOWER (power off) to the saver window
//   e2e_helper hole | no-hole        gives the saver window a region with a hole, or none
//   e2e_helper launch PROGRAM HEX MS runs PROGRAM with the argument text given in hex bytes,
//                                    waits up to MS ms, returns its exit code (124: timeout)
//   e2e_helper help-to-child HWND    posts WM_CONTEXTMENU to the first child of HWND; a parent
//                                    window of this program prints "forwarded 123 50007" (the
//                                    message and its second parameter) when the child hands it
//                                    on with the parent's handle as first parameter
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char kSaverClass[] = "WindowsScreenSaverClass";

HWND ParseHandle(const char* text) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(text, nullptr, 10)));
}

unsigned long HandleNumber(HWND window) {
  return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window));
}

// "HWND LEFT TOP RIGHT BOTTOM": the window's client area on the screen.
void PrintClientArea(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  std::printf("%lu %ld %ld %ld %ld\n", HandleNumber(window), origin.x, origin.y,
              origin.x + client.right, origin.y + client.bottom);
}

HWND WaitFor(HWND (*find)(void*), void* context, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND found = find(context)) return found;
    if (GetTickCount() - start >= milliseconds) return nullptr;
    Sleep(20);
  }
}

HWND FindSaver(void*) {
  return FindWindowA(kSaverClass, "Screen Saver");
}

HWND FindTitled(void* title) {
  return FindWindowA(nullptr, static_cast<const char*>(title));
}

HWND FindChild(void* parent) {
  return GetWindow(static_cast<HWND>(parent), GW_CHILD);
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CONTEXTMENU:
    case WM_HELP:
      if (reinterpret_cast<HWND>(wParam) == window) {
        std::printf("forwarded %u %lx\n", message, static_cast<unsigned long>(lParam));
        std::fflush(stdout);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

int Parent(int x, int y, int w, int h, const char* title) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ParentProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = "OrvE2EParent";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, wc.lpszClassName, title, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                x, y, w, h, nullptr, nullptr, wc.hInstance, nullptr);
  if (window == nullptr) return 1;
  SetForegroundWindow(window);
  PrintClientArea(window);
  std::fflush(stdout);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

int SetHole(bool hole) {
  HWND saver = FindSaver(nullptr);
  if (saver == nullptr) return 1;
  HRGN region = nullptr;
  if (hole) {
    RECT r;
    GetWindowRect(saver, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    region = CreateRectRgn(0, 0, w, h);
    HRGN inner = CreateRectRgn(w / 4, h / 4, w / 2, h / 2);
    CombineRgn(region, region, inner, RGN_DIFF);
    DeleteObject(inner);
  }
  return SetWindowRgn(saver, region, TRUE) != 0 ? 0 : 1;
}

int Launch(const char* program, const char* hex, DWORD milliseconds) {
  std::string commandLine = std::string("\"") + program + "\" ";
  for (size_t i = 0; hex[i] != '\0' && hex[i + 1] != '\0'; i += 2) {
    const char pair[3] = {hex[i], hex[i + 1], '\0'};
    commandLine += static_cast<char>(std::strtoul(pair, nullptr, 16));
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "can't start %s\n", program);
    return 125;
  }
  DWORD code = 124;
  if (WaitForSingleObject(process.hProcess, milliseconds) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    TerminateProcess(process.hProcess, 124);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string command = argv[1];
  if (command == "parent" && (argc == 6 || argc == 7)) {
    return Parent(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                  argc == 7 ? argv[6] : "Preview parent");
  }
  if (command == "close" && argc == 3) {
    return PostMessageA(ParseHandle(argv[2]), WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (command == "close-child" && argc == 3) {
    HWND child = FindChild(ParseHandle(argv[2]));
    return child != nullptr && PostMessageA(child, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (command == "child-of" && argc == 4) {
    HWND child = WaitFor(FindChild, ParseHandle(argv[2]), std::atoi(argv[3]));
    if (child == nullptr) return 1;
    PrintClientArea(child);
    return 0;
  }
  if (command == "find-saver" && argc == 3) {
    HWND saver = WaitFor(FindSaver, nullptr, std::atoi(argv[2]));
    if (saver == nullptr) return 1;
    std::printf("%lu\n", HandleNumber(saver));
    return 0;
  }
  if (command == "find-window" && argc == 4) {
    HWND window = WaitFor(FindTitled, argv[2], std::atoi(argv[3]));
    if (window == nullptr) return 1;
    std::printf("%lu %lu\n", HandleNumber(window), HandleNumber(GetWindow(window, GW_OWNER)));
    return 0;
  }
  if (command == "foreground" && argc == 2) {
    std::printf("%lu\n", HandleNumber(GetForegroundWindow()));
    return 0;
  }
  if (command == "running" && argc == 2) {
    BOOL running = FALSE;
    if (!SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0)) return 1;
    std::printf("%d\n", running ? 1 : 0);
    return 0;
  }
  if (command == "set-running" && argc == 3) {
    UINT previous = 0;
    return SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, std::atoi(argv[2]) != 0, &previous, 0)
               ? 0
               : 1;
  }
  if (command == "describe" && argc == 3) {
    HWND window = ParseHandle(argv[2]);
    char className[256] = "";
    char title[256] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    std::printf("%lx %lx %lx %s %s\n",
                static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)),
                static_cast<unsigned long>(GetClassLongA(window, GCL_STYLE)), className, title);
    return 0;
  }
  if (command == "monitor-power" && argc == 2) {
    HWND saver = FindSaver(nullptr);
    if (saver == nullptr) return 1;
    SendMessageA(saver, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
    return 0;
  }
  if (command == "hole" && argc == 2) return SetHole(true);
  if (command == "no-hole" && argc == 2) return SetHole(false);
  if (command == "launch" && argc == 5) return Launch(argv[2], argv[3], std::atoi(argv[4]));
  if (command == "help-to-child" && argc == 3) {
    HWND child = FindChild(ParseHandle(argv[2]));
    return child != nullptr && PostMessageA(child, WM_CONTEXTMENU, 0, 0x00050007) ? 0 : 1;
  }
  std::fprintf(stderr, "e2e_helper: bad command\n");
  return 2;
}
