#include "x11/x_target.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "frontend/printable.h"
#include "x11/x_errors.h"

namespace orv {
namespace {

constexpr unsigned kOwnWidth = 1280;
constexpr unsigned kOwnHeight = 720;

std::string Hex(unsigned long id) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", id);
  return text;
}

Window MakeOwnWindow(Display* display) {
  const int screen = DefaultScreen(display);
  const Window window =
      XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, kOwnWidth, kOwnHeight, 0,
                          BlackPixel(display, screen), BlackPixel(display, screen));
  XStoreName(display, window, "Orvessan's Screen Saver");
  XClassHint hint{const_cast<char*>("orvessan"), const_cast<char*>("Orvessan")};
  XSetClassHint(display, window, &hint);
  Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, &deleteWindow, 1);
  const long pid = static_cast<long>(getpid());
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
  XSelectInput(display, window,
               KeyPressMask | StructureNotifyMask | ExposureMask | VisibilityChangeMask);
  XMapWindow(display, window);
  return window;
}

}  // namespace

int ChooseTarget(Display* display, const XOptions& options, XTarget& target, std::string& error) {
  target.display = display;
  Window window = 0;
  switch (options.target) {
    case TargetWindow::kOwn:
      window = MakeOwnWindow(display);
      target.own = true;
      break;
    case TargetWindow::kId:
      window = options.windowId;
      break;
    case TargetWindow::kRoot: {
      const char* given = std::getenv("XSCREENSAVER_WINDOW");
      unsigned long id = 0;
      if (given == nullptr || *given == '\0') {
        window = DefaultRootWindow(display);
      } else if (ParseWindowId(given, id)) {
        window = id;
      } else {
        error = std::string("XSCREENSAVER_WINDOW: expected a window id, got '") + Printable(given) +
                "'";
        return 1;
      }
      break;
    }
  }

  XWindowAttributes attributes{};
  {
    XErrorTrap trap(display);
    const Status found = XGetWindowAttributes(display, window, &attributes);
    XSync(display, False);
    if (found == 0 || trap.Caught()) {
      error = "no window " + Hex(window) + " on this display";
      return 1;
    }
    if (!target.own) {
      // Only events that any number of clients may select: never the buttons, which the
      // settings app may hold itself.
      XSelectInput(display, window, StructureNotifyMask | ExposureMask | VisibilityChangeMask);
      XSync(display, False);
      if (trap.Caught()) {
        error = "no window " + Hex(window) + " on this display";
        return 1;
      }
    }
  }
  target.window = window;
  target.visual = attributes.visual;
  target.depth = attributes.depth;
  target.colormap = attributes.colormap;
  target.width = attributes.width;
  target.height = attributes.height;
  target.screenWidth =
      options.target == TargetWindow::kId ? WidthOfScreen(attributes.screen) : attributes.width;
  return 0;
}

bool AsksToClose(const XTarget& target, XEvent& event) {
  if (!target.own) return false;
  if (event.type == ClientMessage) {
    static const Atom protocols = XInternAtom(target.display, "WM_PROTOCOLS", False);
    static const Atom deleteWindow = XInternAtom(target.display, "WM_DELETE_WINDOW", False);
    return event.xclient.message_type == protocols &&
           static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow;
  }
  if (event.type != KeyPress) return false;
  char text[8] = {};
  KeySym key = NoSymbol;
  const int length = XLookupString(&event.xkey, text, sizeof text, &key, nullptr);
  return key == XK_q || key == XK_Q || key == XK_Escape || (length == 1 && text[0] == 3);  // Ctrl-C
}

}  // namespace orv
