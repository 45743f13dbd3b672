#include "x11/x_host.h"

#include <poll.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "frontend/clip_list.h"
#include "x11/x_errors.h"

namespace orv {
namespace {

std::atomic<uint32_t> framesSent{0};

// The framework's rule: never wait longer than this without looking at the events.
constexpr uint64_t kSliceMicros = 33000;

uint64_t MonotonicMicros() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000u + static_cast<uint64_t>(now.tv_nsec) / 1000u;
}

}  // namespace

uint32_t MonotonicTick() {
  return static_cast<uint32_t>(MonotonicMicros() / 1000u);
}

uint32_t FramesSent() {
  return framesSent.load();
}

XHost::XHost(const XTarget& t, const XOptions& options)
    : target(t),
      delayMicros(options.delayMicros),
      showFps(options.fps),
      scripted(options.scripted),
      surface(t.display, t.visual, t.depth, t.window),
      gc(XCreateGC(t.display, t.window, 0, nullptr)),
      textGc(XCreateGC(t.display, t.window, 0, nullptr)) {
  // White on black in a direct-colour visual: every channel bit set.
  XSetForeground(t.display, textGc,
                 t.visual->red_mask | t.visual->green_mask | t.visual->blue_mask);
  XSetBackground(t.display, textGc, 0);
  errorsSeen = XErrorCount();
  fpsSince = MonotonicTick();
}

XHost::~XHost() {
  XFreeGC(target.display, gc);
  XFreeGC(target.display, textGc);
}

bool XHost::Start() {
  const bool ok = surface.Rebuild(target.width, target.height);
  errorsSeen = XErrorCount();  // a refused shared-memory attach is not the window's failure
  return ok;
}

void XHost::GetClipList(const Rect& rect, RegionHeader* region, uint32_t* size) {
  WholeOrNothingClipList(rect, visible, region, size);
}

void XHost::Present() {
  SendFrame();
  framesSent.fetch_add(1);
}

void XHost::Sleep(uint32_t milliseconds) {
  Wait(uint64_t{delayMicros} + uint64_t{milliseconds} * 1000u);
}

void XHost::Idle() {
  while (!stop.load()) {
    SendFrame();
    Wait(kSliceMicros);
  }
}

void XHost::SendFrame() {
  surface.SendChanges(gc);
  if (showFps) DrawFrameRate();
  // Waits until the server has read the shared image, and brings back the errors of the
  // requests above: a window that is gone ends the program quietly instead of spinning.
  XSync(target.display, False);
  if (XErrorCount() != errorsSeen) stop = true;
  HandleEvents();
}

void XHost::DrawFrameRate() {
  ++fpsFrames;
  const uint32_t now = MonotonicTick();
  const uint32_t elapsed = now - fpsSince;
  if (elapsed >= 1000) {
    fps = fpsFrames * 1000.0 / elapsed;
    fpsFrames = 0;
    fpsSince = now;
  }
  char text[32];
  const int length = std::snprintf(text, sizeof text, "%6.1f fps", fps);
  XDrawImageString(target.display, target.window, textGc, 8, 20, text, length);
}

void XHost::HandleEvents() {
  while (!stop.load() && XPending(target.display) > 0) {
    XEvent event;
    XNextEvent(target.display, &event);
    if (AsksToClose(target, event)) {
      stop = true;
      continue;
    }
    switch (event.type) {
      case DestroyNotify:
        if (event.xdestroywindow.window == target.window) stop = true;
        break;
      case ConfigureNotify:
        if (event.xconfigure.window == target.window &&
            (event.xconfigure.width != surface.Width() ||
             event.xconfigure.height != surface.Height())) {
          if (!surface.Rebuild(event.xconfigure.width, event.xconfigure.height)) {
            std::fputs("orvessan: no memory for the window's new size\n", stderr);
            stop = true;
          }
          errorsSeen = XErrorCount();
        }
        break;
      case Expose:
        surface.MarkAll();
        break;
      case VisibilityNotify:
        visible = event.xvisibility.state == VisibilityUnobscured;
        break;
      default:
        break;
    }
  }
}

void XHost::Wait(uint64_t microseconds) {
  // The events were handled, and the requests flushed, at the end of the frame just sent: only
  // new data on the connection needs a look, so a quiet wait costs one poll and no reads.
  const uint64_t deadline = MonotonicMicros() + microseconds;
  while (!stop.load()) {
    const uint64_t now = MonotonicMicros();
    if (now >= deadline) break;
    pollfd connection{ConnectionNumber(target.display), POLLIN, 0};
    const uint64_t slice = std::min(deadline - now, kSliceMicros);
    if (poll(&connection, 1, static_cast<int>((slice + 999) / 1000)) > 0) HandleEvents();
  }
}

}  // namespace orv
