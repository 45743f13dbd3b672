// The window the front end draws in, as chosen from the options, and how it was chosen.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>

#include "x11/options.h"

namespace orv {

struct XTarget {
  Display* display = nullptr;
  Window window = 0;
  bool own = false;  // made by the front end (--window): it handles the keys and closing
  Visual* visual = nullptr;
  int depth = 0;
  Colormap colormap = 0;
  int32_t width = 0;
  int32_t height = 0;
  // The width the frame loop compares the window with: only a window named by id (the
  // settings app's preview) can be narrower than the screen and so paced like a preview.
  int32_t screenWidth = 0;
};

// Finds or makes the window. On failure returns the exit status (1: a window that doesn't
// exist) with a one-line message in `error`; 0 on success.
int ChooseTarget(Display* display, const XOptions& options, XTarget& target, std::string& error);

// Whether an event asks a window of our own to close: q, Q, Escape, Ctrl-C, or the window
// manager's close button.
bool AsksToClose(const XTarget& target, XEvent& event);

}  // namespace orv
