#include "x11/message_text.h"

#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/random.h"
#include "frontend/message_text_layout.h"
#include "x11/x_errors.h"
#include "x11/x_host.h"

namespace orv {
namespace {

constexpr uint32_t kRedrawMillis = 2500;

// The nearest core font of about `height` pixels: a sans-serif face where the server has
// one, else the server's "fixed", which every X server carries. Height 0 asks for the default
// font: "fixed".
XFontStruct* LoadFont(Display* display, int32_t height) {
  if (height <= 0) return XLoadQueryFont(display, "fixed");
  const char* const patterns[] = {
      "-*-helvetica-medium-r-normal--%d-*-*-*-p-*-iso8859-1",
      "-*-*-medium-r-normal-*-%d-*-*-*-p-*-iso8859-1",
      "-*-*-*-r-*-*-%d-*-*-*-*-*-iso8859-1",
  };
  for (const char* pattern : patterns) {
    char name[128];
    std::snprintf(name, sizeof name, pattern, height);
    if (XFontStruct* font = XLoadQueryFont(display, name)) return font;
  }
  return XLoadQueryFont(display, "fixed");
}

std::vector<std::string> Lines(const char* text) {
  std::vector<std::string> lines(1);
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c == '\n')
      lines.emplace_back();
    else
      lines.back() += *c;
  }
  return lines;
}

class MessageWindow {
 public:
  explicit MessageWindow(const XTarget& t)
      : target(t), gc(XCreateGC(t.display, t.window, 0, nullptr)) {
    black = BlackPixel(t.display, DefaultScreen(t.display));
    XColor exact{};
    if (XParseColor(t.display, t.colormap, "black", &exact) &&
        XAllocColor(t.display, t.colormap, &exact)) {
      black = exact.pixel;
    }
    XSetBackground(t.display, gc, black);
  }
  ~MessageWindow() {
    FreeColour();
    XFreeGC(target.display, gc);
  }
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  void Clear() {
    XSetForeground(target.display, gc, black);
    XFillRectangle(target.display, target.window, gc, 0, 0, static_cast<unsigned>(width),
                   static_cast<unsigned>(height));
  }

  void Redraw(const char* message) {
    XSetForeground(target.display, gc, black);
    if (textRect.right > textRect.left && textRect.bottom > textRect.top) {
      XFillRectangle(target.display, target.window, gc, textRect.left, textRect.top,
                     static_cast<unsigned>(textRect.right - textRect.left),
                     static_cast<unsigned>(textRect.bottom - textRect.top));
    }
    const std::optional<int32_t> fontHeight = MessageFontHeight(width);
    if (!fontHeight) return;  // too narrow to hold a message
    XFontStruct* font = LoadFont(target.display, *fontHeight);
    if (font == nullptr) return;
    const std::vector<std::string> lines = Lines(message);
    const int32_t lineHeight = font->ascent + font->descent;
    int32_t w = 0;
    for (const std::string& line : lines) {
      w = std::max(w, XTextWidth(font, line.data(), static_cast<int>(line.size())));
    }
    const int32_t h = lineHeight * static_cast<int32_t>(lines.size());
    textRect = PlaceMessageBlock(width, height, w, h);

    SetColour(MessageTextColour());
    XSetFont(target.display, gc, font->fid);
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      const int32_t lw = XTextWidth(font, line.data(), static_cast<int>(line.size()));
      XDrawImageString(target.display, target.window, gc, textRect.left + (w - lw) / 2,
                       textRect.top + static_cast<int32_t>(i) * lineHeight + font->ascent,
                       line.data(), static_cast<int>(line.size()));
    }
    XFreeFont(target.display, font);
  }

  int32_t width = 0;
  int32_t height = 0;

 private:
  // A 0x00BBGGRR colour from the window's colour map (the nearest the palette allows).
  void SetColour(uint32_t colour) {
    FreeColour();
    XColor shade{};
    shade.red = static_cast<unsigned short>((colour & 0xFF) * 257);
    shade.green = static_cast<unsigned short>(((colour >> 8) & 0xFF) * 257);
    shade.blue = static_cast<unsigned short>(((colour >> 16) & 0xFF) * 257);
    shade.flags = DoRed | DoGreen | DoBlue;
    if (XAllocColor(target.display, target.colormap, &shade)) {
      allocated = true;
      pixel = shade.pixel;
    } else {
      pixel = WhitePixel(target.display, DefaultScreen(target.display));
    }
    XSetForeground(target.display, gc, pixel);
  }
  void FreeColour() {
    if (allocated) XFreeColors(target.display, target.colormap, &pixel, 1, 0);
    allocated = false;
  }

  const XTarget& target;
  GC gc;
  unsigned long black = 0;
  unsigned long pixel = 0;
  bool allocated = false;
  Rect textRect{0, 0, 0, 0};
};

}  // namespace

int RunMessageText(const XTarget& target, const XOptions& options) {
  srand(options.seedGiven ? options.seed : MonotonicTick());
  MessageWindow window(target);
  window.width = target.width;
  window.height = target.height;
  window.Clear();
  uint64_t errorsSeen = XErrorCount();
  uint32_t lastRedraw = MonotonicTick();
  while (true) {
    XSync(target.display, False);
    if (XErrorCount() != errorsSeen) return 0;  // the window is gone
    while (XPending(target.display) > 0) {
      XEvent event;
      XNextEvent(target.display, &event);
      if (AsksToClose(target, event)) return 0;
      if (event.type == DestroyNotify && event.xdestroywindow.window == target.window) return 0;
      if (event.type == ConfigureNotify && event.xconfigure.window == target.window) {
        window.width = event.xconfigure.width;
        window.height = event.xconfigure.height;
      }
      if (event.type == Expose && event.xexpose.count == 0) window.Clear();
    }
    const uint32_t now = MonotonicTick();
    if (now - lastRedraw >= kRedrawMillis) {
      window.Redraw(kTooFewColours);
      lastRedraw = now;
      continue;
    }
    pollfd connection{ConnectionNumber(target.display), POLLIN, 0};
    poll(&connection, 1,
         static_cast<int>(std::min<uint32_t>(kRedrawMillis - (now - lastRedraw), 33)));
  }
}

}  // namespace orv
