// Measures how deep the render thread's stack gets, to show that the 16000 bytes it is
// created with are enough. A Saver is set up on a full-screen window as the saver does it; its
// own render thread is stopped at once (DirectDraw stays held), and the same routine runs again
// on the same Saver in a thread that first paints the stack below it with a pattern. After a
// few seconds it stops, and the lowest byte that no longer holds the pattern gives the depth.
// Prints "stack BYTES" and returns 0 when the depth stays below the limit given (bytes), 1
// otherwise, 2 when no DirectDraw display could be set up.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "saver/saver.h"

namespace {

constexpr size_t kPainted = 256 * 1024;
constexpr unsigned char kPattern = 0xA5;
size_t depth = 0;

volatile unsigned char& Byte(uintptr_t address) {
  return *reinterpret_cast<volatile unsigned char*>(address);
}

__attribute__((noinline)) void Paint(uintptr_t top) {
  // Downwards, one byte after another, so that a growing stack's guard page is met in order.
  for (size_t i = 1; i <= kPainted; ++i) Byte(top - i) = kPattern;
}

DWORD WINAPI MeasuredRenderThread(void* saver) {
  // Below this frame and Paint's.
  const uintptr_t top = reinterpret_cast<uintptr_t>(__builtin_frame_address(0)) - 512;
  Paint(top);
  orv::RenderThread(saver);
  size_t i = kPainted;
  while (i > 0 && Byte(top - i) == kPattern) --i;
  depth = i + 512;
  return 0;
}

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

void Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const size_t limit = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 16000;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ProbeProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = "OrvStackProbe";
  RegisterClassA(&wc);
  HWND window =
      CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Stack probe", WS_POPUP | WS_VISIBLE, 0, 0,
                      GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                      nullptr, wc.hInstance, nullptr);
  if (window == nullptr) return 2;
  auto saver = std::make_unique<orv::Saver>(window);
  saver->SetUp();
  if (saver->thread == nullptr) {
    std::printf("no DirectDraw display\n");
    return 2;
  }
  // One render loop at a time, as in the saver: the Saver's own thread ends first.
  saver->stopRequested.store(true);
  WaitForSingleObject(saver->thread, INFINITE);
  saver->stopRequested.store(false);
  HANDLE measured = CreateThread(nullptr, 0, MeasuredRenderThread, saver.get(), 0, nullptr);
  Pump(argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 4000);
  saver->stopRequested.store(true);
  WaitForSingleObject(measured, INFINITE);
  CloseHandle(measured);
  saver.reset();
  DestroyWindow(window);
  std::printf("stack %u bytes (limit %u)\n", static_cast<unsigned>(depth),
              static_cast<unsigned>(limit));
  return depth < limit ? 0 : 1;
}
