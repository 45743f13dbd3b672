// The X11 tests' hands and eyes: makes, resizes, closes and destroys windows, and reads their
// pixels back.
//   x11_probe create WxH             a mapped window that outlives the probe; prints its id
//   x11_probe resize ID WxH
//   x11_probe close ID               the window manager's close button (WM_DELETE_WINDOW)
//   x11_probe destroy ID
//   x11_probe raw ID FILE            the pixels, rows of width x bytes per pixel, top row first
//   x11_probe colours ID [X Y W H]   "nonblack N blue M white K" over the window or a part of it
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int Fail(const std::string& text) {
  std::fprintf(stderr, "x11_probe: %s\n", text.c_str());
  return 1;
}

bool ParseSize(const char* text, unsigned& w, unsigned& h) {
  return std::sscanf(text, "%ux%u", &w, &h) == 2 && w > 0 && h > 0;
}

Window ParseId(const char* text) {
  return static_cast<Window>(std::strtoul(text, nullptr, 0));
}

XImage* Grab(Display* display, Window window, int x, int y, unsigned w, unsigned h) {
  if (w == 0 || h == 0) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0) return nullptr;
    w = static_cast<unsigned>(attributes.width);
    h = static_cast<unsigned>(attributes.height);
  }
  return XGetImage(display, window, x, y, w, h, AllPlanes, ZPixmap);
}

int Raw(Display* display, Window window, const char* path) {
  XImage* image = Grab(display, window, 0, 0, 0, 0);
  if (image == nullptr) return Fail("cannot read the window's pixels");
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return Fail(std::string("cannot write ") + path);
  const size_t row =
      static_cast<size_t>(image->width) * static_cast<size_t>(image->bits_per_pixel / 8);
  for (int y = 0; y < image->height; ++y) {
    std::fwrite(image->data + static_cast<size_t>(y) * static_cast<size_t>(image->bytes_per_line),
                1, row, out);
  }
  std::fclose(out);
  XDestroyImage(image);
  return 0;
}

int Colours(Display* display, Window window, int x, int y, unsigned w, unsigned h) {
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, window, &attributes) == 0) return Fail("no such window");
  XImage* image = Grab(display, window, x, y, w, h);
  if (image == nullptr) return Fail("cannot read the window's pixels");
  std::vector<XColor> colours;
  for (int j = 0; j < image->height; ++j) {
    for (int i = 0; i < image->width; ++i) {
      XColor c{};
      c.pixel = XGetPixel(image, i, j);
      colours.push_back(c);
    }
  }
  // Colour-map lookup works for palette and direct-colour visuals alike.
  for (size_t at = 0; at < colours.size(); at += 4096) {
    const int n = static_cast<int>(std::min<size_t>(4096, colours.size() - at));
    XQueryColors(display, attributes.colormap, colours.data() + at, n);
  }
  long nonblack = 0;
  long blue = 0;
  long white = 0;
  for (const XColor& c : colours) {
    if ((c.red & c.green & c.blue) >> 8 == 0xFF) ++white;
    if ((c.red | c.green | c.blue) >> 8 == 0) continue;
    ++nonblack;
    if (c.blue > c.red && c.blue > c.green) ++blue;
  }
  std::printf("nonblack %ld blue %ld white %ld\n", nonblack, blue, white);
  XDestroyImage(image);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail("usage: see the comment at the top of x11_probe.cpp");
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return Fail("cannot open the display");
  const std::string command = argv[1];
  int status = 0;
  unsigned w = 0;
  unsigned h = 0;
  if (command == "create" && argc == 3 && ParseSize(argv[2], w, h)) {
    const int screen = DefaultScreen(display);
    const Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, w, h, 0,
                            WhitePixel(display, screen), WhitePixel(display, screen));
    XMapWindow(display, window);
    XSetCloseDownMode(display, RetainPermanent);
    XSync(display, False);
    std::printf("0x%lx\n", window);
  } else if (command == "resize" && argc == 4 && ParseSize(argv[3], w, h)) {
    XResizeWindow(display, ParseId(argv[2]), w, h);
  } else if (command == "close" && argc == 3) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = ParseId(argv[2]);
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
  } else if (command == "destroy" && argc == 3) {
    XDestroyWindow(display, ParseId(argv[2]));
  } else if (command == "raw" && argc == 4) {
    status = Raw(display, ParseId(argv[2]), argv[3]);
  } else if (command == "colours" && (argc == 3 || argc == 7)) {
    int x = 0;
    int y = 0;
    if (argc == 7) {
      x = std::atoi(argv[3]);
      y = std::atoi(argv[4]);
      w = static_cast<unsigned>(std::atoi(argv[5]));
      h = static_cast<unsigned>(std::atoi(argv[6]));
    }
    status = Colours(display, ParseId(argv[2]), x, y, w, h);
  } else {
    status = Fail("bad command; see the comment at the top of x11_probe.cpp");
  }
  XSync(display, False);
  XCloseDisplay(display);
  return status;
}
