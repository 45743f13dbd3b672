#include "saver/saver.h"

#include <new>

#include "core/random.h"
#include "host/host_procs.h"
#include "saver/message_text_layout.h"

namespace orv {
namespace {

// {D7B70EE0-4340-11CF-B063-0020AFC2CD35} and {6C14DB80-A733-11CE-A521-0020AF0BE560}.
const CLSID kClsidDirectDraw = {
    0xD7B70EE0, 0x4340, 0x11CF, {0xB0, 0x63, 0x00, 0x20, 0xAF, 0xC2, 0xCD, 0x35}};
const IID kIidDirectDraw = {
    0x6C14DB80, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};

// In-process server, in-process handler or local server.
constexpr DWORD kClassContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;
constexpr UINT_PTR kMessageTimer = 1;
constexpr UINT kMessagePeriod = 2500;
constexpr DWORD kRenderStackBytes = 16000;

Saver* AttachedSaver(HWND window) {
  return reinterpret_cast<Saver*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Direct colour with at least 16 bits per pixel; palette displays are refused.
bool IsUsableFormat(const DDPIXELFORMAT& format) {
  return (format.dwFlags & DDPF_RGB) != 0 && format.dwRGBBitCount >= 16;
}

}  // namespace

Saver::Saver(HWND saverWindow) : window(saverWindow) {
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetUp();
}

void Saver::SetUp() {
  srand(GetTickCount());

  if (FAILED(CoInitialize(nullptr))) {
    StartMessageText(kOleFailure);
    return;
  }
  if (FAILED(CoCreateInstance(kClsidDirectDraw, nullptr, kClassContext, kIidDirectDraw,
                              reinterpret_cast<void**>(&directDraw)))) {
    directDraw = nullptr;
    FailSetUp(kNoDirectDraw);
    return;
  }
  if (FAILED(directDraw->Initialize(nullptr))) {
    FailSetUp(kDirectDrawFailure);
    return;
  }
  directDraw->SetCooperativeLevel(window, DDSCL_NORMAL);

  DDSURFACEDESC desc;
  ZeroMemory(&desc, sizeof desc);
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  if (FAILED(directDraw->CreateSurface(&desc, &primary, nullptr))) {
    primary = nullptr;
    FailSetUp(kNoSurface);
    return;
  }

  // A failed query leaves the flags 0, which counts as an unusable format.
  DDPIXELFORMAT format;
  ZeroMemory(&format, sizeof format);
  format.dwSize = sizeof format;
  primary->GetPixelFormat(&format);
  if (!IsUsableFormat(format)) {
    FailSetUp(kTooFewColours);
    return;
  }

  stopRequested.store(false);
  // Without a thread the window stays black: nothing is drawn and no message is shown.
  thread = CreateThread(nullptr, kRenderStackBytes, RenderThread, this, 0, nullptr);
}

Saver::~Saver() {
  if (thread != nullptr) {
    StopRenderThread();
    CloseHandle(thread);
    thread = nullptr;
  }
  if (messageText != nullptr) KillTimer(window, kMessageTimer);
  ReleaseDisplay();
  // In the message-text mode COM was already ended, or never started, during setup.
  if (messageText == nullptr) CoUninitialize();
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

// Releases what a failed setup step took (the surface, then the DirectDraw object, then the
// COM library) and shows the step's message instead of drawing.
void Saver::FailSetUp(const char* text) {
  ReleaseDisplay();
  CoUninitialize();
  StartMessageText(text);
}

void Saver::ReleaseDisplay() {
  if (primary != nullptr) {
    primary->Release();
    primary = nullptr;
  }
  if (directDraw != nullptr) {
    directDraw->Release();
    directDraw = nullptr;
  }
}

void Saver::StopRenderThread() {
  stopRequested.store(true);
  WaitForSingleObject(thread, INFINITE);
}

void Saver::StartMessageText(const char* text) {
  messageText = text;
  textRect = RECT{0, 0, 0, 0};
  SetTimer(window, kMessageTimer, kMessagePeriod, nullptr);
}

int32_t Saver::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_ERASEBKGND:
      PaintBackground();
      return 1;
    case WM_SYSCOMMAND:
      // Before the monitor powers down, drawing stops for good: the thread is not restarted.
      if ((wParam & 0xFFF0) == SC_MONITORPOWER && thread != nullptr) {
        StopRenderThread();
        ReleaseDisplay();
      }
      return 0;
    case WM_TIMER:
      if (wParam != kMessageTimer || messageText == nullptr) return 0;
      RedrawMessageText();
      return 1;
    default:
      return 0;
  }
}

void Saver::PaintBackground() {
  HDC dc = GetDC(window);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(window, dc);
}

void Saver::RedrawMessageText() {
  HDC dc = GetDC(window);
  RECT client;
  GetClientRect(window, &client);
  const int32_t width = client.right - client.left;
  const int32_t height = client.bottom - client.top;
  FillRect(dc, &textRect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  textRect = RECT{0, 0, 0, 0};

  const int32_t fontHeight = MessageFontHeight(width);
  if (fontHeight == 0) {  // narrower than any font: nothing to draw
    ReleaseDC(window, dc);
    return;
  }
  HFONT font =
      CreateFontA(fontHeight, 0, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
  HGDIOBJ previousFont = SelectObject(dc, font);

  RECT block = {0, 0, width, 0};
  DrawTextA(dc, messageText, -1, &block, DT_CALCRECT);
  const Rect place =
      PlaceMessageBlock(width, height, block.right - block.left, block.bottom - block.top);
  textRect = RECT{place.left, place.top, place.right, place.bottom};

  SetBkColor(dc, 0);  // opaque black cells behind the glyphs
  SetTextColor(dc, MessageTextColour());
  DrawTextA(dc, messageText, -1, &textRect, DT_CENTER);

  SelectObject(dc, previousFont);
  DeleteObject(font);
  ReleaseDC(window, dc);
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (message) {
    case WM_CREATE:
      // Without memory for the Saver the window runs on without one: nothing is drawn.
      new (std::nothrow) Saver(window);
      break;
    case WM_CLOSE:
    case WM_DESTROY:
      // A window destroyed without WM_CLOSE (a preview whose parent goes away) still stops
      // its render thread before DirectDraw is released.
      delete AttachedSaver(window);
      break;
    default:
      if (Saver* saver = AttachedSaver(window))
        result = saver->HandleMessage(message, wParam, lParam);
      break;
  }
  return result != 0 ? result : HostDefaultProc(window, message, wParam, lParam);
}

}  // namespace orv
