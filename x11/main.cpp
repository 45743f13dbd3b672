// orvessan: the saver as an X11 program, for XScreenSaver (--root, --window-id) and for
// watching in a window of its own (--window).
#include <X11/Xlib.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "core/random.h"
#include "effects/shape_source.h"
#include "loop/render_loop.h"
#include "x11/message_text.h"
#include "x11/options.h"
#include "x11/x_errors.h"
#include "x11/x_host.h"
#include "x11/x_image_surface.h"
#include "x11/x_target.h"

namespace orv {
namespace {

void Complain(const std::string& text) {
  std::fprintf(stderr, "orvessan: %s\n", text.c_str());
}

// SIGUSR1: "orvessan: N frames" on standard error, with async-signal-safe calls only.
void ReportFrames(int) {
  char text[40] = "orvessan: ";
  size_t at = 10;
  char digits[12];
  size_t n = 0;
  uint32_t frames = FramesSent();
  do {
    digits[n++] = static_cast<char>('0' + frames % 10);
    frames /= 10;
  } while (frames != 0);
  while (n > 0) text[at++] = digits[--n];
  for (const char* c = " frames\n"; *c != '\0'; ++c) text[at++] = *c;
  const ssize_t written = write(STDERR_FILENO, text, at);
  (void)written;
}

// Frames until stopped, or until `frames` are drawn when `frames` is given; each one drawn, shown,
// then followed by the delay.
void RunFrames(XHost& host, RenderLoop& loop, const XOptions& options) {
  for (uint32_t k = 1; !options.framesGiven || k <= options.frames; ++k) {
    if (host.StopRequested().load()) break;
    if (options.scripted) host.SetTick(options.clock.TickOfFrame(k));
    loop.DrawFrame();
    host.Present();
    host.Sleep(loop.Pause());
  }
}

int RunSaver(const XTarget& target, const XOptions& options) {
  XHost host(target, options);
  if (!host.Start()) {
    Complain("no memory for a frame of the window's size");
    return 1;
  }
  RandomShapes shapes;
  if (!options.scripted) {
    srand(options.seedGiven ? options.seed : host.GetTickCount());
    RenderLoop loop(host, shapes);
    RunFrames(host, loop, options);
    return 0;
  }
  // The offline renderer's run: the same seed, start-up tick and frame ticks give the same
  // frame, which then stays on screen.
  srand(options.seedGiven ? options.seed : 1);
  host.SetTick(options.clock.start);
  {
    RenderLoop loop(host, shapes);
    RunFrames(host, loop, options);
  }
  host.Idle();
  return 0;
}

int Run(int argc, char** argv) {
  XOptions options;
  std::string error;
  if (!ParseXOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    Complain(error);
    return 2;
  }
  if (options.help) {
    std::fputs(kXUsage, stdout);
    return 0;
  }
  for (const std::string& warning : options.warnings) Complain(warning);

  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    Complain(std::string("cannot open display '") + XDisplayName(nullptr) + "'");
    return 1;
  }
  CountXErrors();
  std::signal(SIGUSR1, ReportFrames);

  XTarget target;
  int status = ChooseTarget(display, options, target, error);
  if (status != 0) {
    Complain(error);
  } else if (IsDrawableFormat(display, target.visual, target.depth)) {
    status = RunSaver(target, options);
  } else {
    Complain("the display has " + std::to_string(target.depth) +
             "-bit colour; drawing needs direct colour of 16 bits or more: showing a message");
    status = RunMessageText(target, options);
  }
  XCloseDisplay(display);
  return status;
}

}  // namespace
}  // namespace orv

int main(int argc, char** argv) {
  return orv::Run(argc, argv);
}
