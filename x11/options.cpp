#include "x11/options.h"

#include <limits>

#include "frontend/decimal.h"
#include "frontend/printable.h"

namespace orv {

const char* const kXUsage =
    "usage: orvessan [options]\n"
    "  --window            draw in a window of its own, 1280x720 (the default); q or Escape ends "
    "it\n"
    "  --root              draw in $XSCREENSAVER_WINDOW when set, else in the root window\n"
    "  --window-id ID      draw in the window ID (hexadecimal 0x... or decimal)\n"
    "  --delay USEC        microseconds to wait after every frame (default 10000)\n"
    "  --fps               show the frame rate\n"
    "  --seed N            seed of the random generator (default: the clock)\n"
    "  --tick-start T      scripted clock: tick counter during start-up (default 0)\n"
    "  --tick-step D       scripted clock: milliseconds added every frame (default 16)\n"
    "  --frames K          scripted clock: draw K frames, then keep the last one on screen\n"
    "  --visual VISUAL, --install, --mono\n"
    "                      accepted and ignored: it draws in the window's own visual\n"
    "  --help              print this text\n"
    "Every option may also be written with one dash (-root). SIGUSR1 prints the number of\n"
    "frames drawn so far on standard error.\n";

bool ParseWindowId(const std::string& text, unsigned long& id) {
  constexpr uint64_t kMax = std::numeric_limits<uint32_t>::max();
  uint64_t value = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    if (text.size() > 10) return false;
    for (size_t i = 2; i < text.size(); ++i) {
      const char c = text[i];
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0) return false;
      value = value * 16 + static_cast<uint64_t>(digit);
    }
  } else if (!ParseDecimal(text, kMax, value)) {
    return false;
  }
  id = static_cast<unsigned long>(value);
  return true;
}

bool ParseXOptions(const std::vector<std::string>& args, XOptions& o, std::string& error) {
  constexpr uint64_t kI32 = std::numeric_limits<int32_t>::max();
  bool root = false;
  bool idGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& given = args[i];
    // One dash or two: "-root" and "--root" are the same option.
    std::string name = given;
    if (name.size() > 1 && name[0] == '-' && name[1] != '-') name = "-" + name;

    if (name == "--help" || name == "--h") {
      o.help = true;
    } else if (name == "--window") {
      // the default; named for the settings app's command lines
    } else if (name == "--root") {
      root = true;
    } else if (name == "--fps") {
      o.fps = true;
    } else if (name == "--install" || name == "--mono") {
      o.warnings.push_back(name + " is ignored: the saver draws in the window's own visual");
    } else if (name == "--window-id" || name == "--delay" || name == "--visual" ||
               IsScriptOption(name)) {
      if (!TakeOptionValue(args, i, error)) return false;
      const std::string& value = args[i];
      uint64_t n = 0;
      bool ok = true;
      std::string expected;
      if (name == "--window-id") {
        ok = ParseWindowId(value, o.windowId);
        idGiven = true;
        expected = "a window id, 0x followed by hexadecimal digits or a decimal number";
      } else if (name == "--delay") {
        ok = ParseDecimal(value, kI32, n);
        o.delayMicros = static_cast<uint32_t>(n);
        expected = "microseconds from 0 to 2147483647";
      } else if (IsScriptOption(name)) {
        ok = ParseScriptOption(name, value, {o.seed, o.clock.start, o.clock.step, o.frames},
                               expected);
        o.seedGiven = o.seedGiven || name == "--seed";
        o.framesGiven = o.framesGiven || name == "--frames";
        o.scripted = o.scripted || name != "--seed";
      } else {
        o.warnings.push_back("--visual is ignored: the saver draws in the window's own visual");
      }
      if (!ok) {
        error = name + ": expected " + expected + ", got '" + Printable(value) + "'";
        return false;
      }
    } else {
      error = "unknown option '" + Printable(given) + "' (see --help)";
      return false;
    }
  }
  o.target = idGiven ? TargetWindow::kId : root ? TargetWindow::kRoot : TargetWindow::kOwn;
  return true;
}

}  // namespace orv
