#include "saver/saver.h"

#include <memory>
#include <new>
#include <optional>

#include "core/random.h"
#include "frontend/message_text_layout.h"
#include "saver/window_dc.h"

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

// The window's user-data slot owns the Saver from here on.
Saver& AttachSaver(HWND window, std::unique_ptr<Saver> saver) {
  Saver& attached = *saver;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(saver.release()));
  return attached;
}

// Takes the Saver back from the slot, which is left empty: no message reaches it any more.
std::unique_ptr<Saver> DetachSaver(HWND window) {
  std::unique_ptr<Saver> saver(AttachedSaver(window));
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  return saver;
}

// Direct colour with at least 16 bits per pixel; palette displays are refused.
bool IsUsableFormat(const DDPIXELFORMAT& format) {
  return (format.dwFlags & DDPF_RGB) != 0 && format.dwRGBBitCount >= 16;
}

}  // namespace

void Saver::SetUp() {
  srand(GetTickCount());

  if (FAILED(CoInitialize(nullptr))) {
    StartMessageText(kOleFailure);
    return;
  }
  if (FAILED(CoCreateInstance(kClsidDirectDraw, nullptr, kClassContext, kIidDirectDraw,
                              reinterpret_cast<void**>(directDraw.Put())))) {
    directDraw.Forget();
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
  if (FAILED(directDraw->CreateSurface(&desc, primary.Put(), nullptr))) {
    primary.Forget();
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
}

// Releases what a failed setup step took (the surface, then the DirectDraw object, then the
// COM library) and shows the step's message instead of drawing.
void Saver::FailSetUp(const char* text) {
  ReleaseDisplay();
  CoUninitialize();
  StartMessageText(text);
}

void Saver::ReleaseDisplay() {
  primary.Reset();
  directDraw.Reset();
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
  const WindowDC dc(window);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc.Get(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void Saver::RedrawMessageText() {
  const WindowDC dc(window);
  RECT client;
  GetClientRect(window, &client);
  const int32_t width = client.right - client.left;
  const int32_t height = client.bottom - client.top;
  FillRect(dc.Get(), &textRect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  textRect = RECT{0, 0, 0, 0};

  // A height of 0 is the font's default height; only a window too narrow for the rule skips.
  const std::optional<int32_t> fontHeight = MessageFontHeight(width);
  if (!fontHeight) return;
  const SelectedFont font(
      dc.Get(),
      CreateFontA(*fontHeight, 0, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial"));

  RECT block = {0, 0, width, 0};
  DrawTextA(dc.Get(), messageText, -1, &block, DT_CALCRECT);
  const Rect place =
      PlaceMessageBlock(width, height, block.right - block.left, block.bottom - block.top);
  textRect = RECT{place.left, place.top, place.right, place.bottom};

  SetBkColor(dc.Get(), 0);  // opaque black cells behind the glyphs
  SetTextColor(dc.Get(), MessageTextColour());
  DrawTextA(dc.Get(), messageText, -1, &textRect, DT_CENTER);
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (message) {
    case WM_CREATE:
      // Without memory for the Saver the window runs on without one: nothing is drawn. The
      // Saver is attached before its setup, which may already send the window messages.
      if (std::unique_ptr<Saver> saver{new (std::nothrow) Saver(window)})
        AttachSaver(window, std::move(saver)).SetUp();
      break;
    case WM_CLOSE:
    case WM_DESTROY:
      // A window destroyed without WM_CLOSE (a preview whose parent goes away) still stops
      // its render thread before DirectDraw is released.
      DetachSaver(window);
      break;
    default:
      if (Saver* saver = AttachedSaver(window))
        result = saver->HandleMessage(message, wParam, lParam);
      break;
  }
  return result;
}

}  // namespace orv
