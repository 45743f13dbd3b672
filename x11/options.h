// Command-line options of the X front end: XScreenSaver's conventions plus the offline
// renderer's deterministic clock.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/scripted_clock.h"

namespace orv {

enum class TargetWindow {
  kOwn,   // a window of its own (--window, or no window option at all)
  kRoot,  // $XSCREENSAVER_WINDOW when set, else the root window
  kId,    // --window-id
};

struct XOptions {
  TargetWindow target = TargetWindow::kOwn;
  unsigned long windowId = 0;
  uint32_t delayMicros = 10000;  // sleep after every frame
  bool fps = false;              // frame-rate overlay
  bool help = false;

  bool seedGiven = false;
  uint32_t seed = 1;
  // Any of --tick-start, --tick-step and --frames runs the loop on the scripted clock.
  bool scripted = false;
  ScriptedClock clock;
  bool framesGiven = false;  // without --frames a scripted run never stops drawing
  uint32_t frames = 0;

  std::vector<std::string> warnings;  // options accepted for compatibility but ignored
};

// Fills `options` from the arguments (without the program name); both "-opt" and "--opt" are
// accepted. On a bad option returns false with a one-line message naming it in `error`.
bool ParseXOptions(const std::vector<std::string>& args, XOptions& options, std::string& error);

// A window id as XScreenSaver passes it: "0x" and hexadecimal digits, or decimal digits; at
// most 32 bits.
bool ParseWindowId(const std::string& text, unsigned long& id);

extern const char* const kXUsage;

}  // namespace orv
