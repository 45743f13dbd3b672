// The object bound to the saver window for its useful life: it sets up DirectDraw and starts
// the render thread, or, when the display can't be used, redraws an error message every 2.5
// seconds instead.
#pragma once

#include <ddraw.h>
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "saver/com_ptr.h"

namespace orv {

struct Saver {
  // Takes nothing yet: SetUp does, once the window holds the Saver.
  explicit Saver(HWND saverWindow) : window(saverWindow) {}
  // Teardown: stops and waits for the render thread, stops the timer, releases the surface,
  // DirectDraw and COM.
  ~Saver();
  Saver(const Saver&) = delete;
  Saver& operator=(const Saver&) = delete;

  // Takes COM, DirectDraw and the primary surface and starts the render thread, or enters the
  // message-text mode.
  void SetUp();
  // Nonzero when the message is consumed.
  int32_t HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void StartMessageText(const char* text);

  // The render thread reads only window, stopRequested, directDraw and primary.
  HWND window;
  HANDLE thread = nullptr;
  std::atomic<bool> stopRequested{false};
  const char* messageText = nullptr;  // one of the five constant messages, never a copy
  RECT textRect = {0, 0, 0, 0};       // client coordinates of the last drawn message
  ComPtr<IDirectDraw> directDraw;
  ComPtr<IDirectDrawSurface> primary;

 private:
  void StopRenderThread();
  void ReleaseDisplay();
  void FailSetUp(const char* text);
  void PaintBackground();
  void RedrawMessageText();
};

// The middle stage of the saver window's message chain: creates the Saver on WM_CREATE and
// hands it to the window's user-data slot, which owns it until WM_CLOSE (or WM_DESTROY, if it is
// still there) releases it; hands everything else to its HandleMessage. Answers 0 for a message
// it leaves to the last stage (the host's HostDefaultProc).
LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The render thread's routine; its argument is the Saver.
DWORD WINAPI RenderThread(void* saver);

}  // namespace orv
