#include "tools/render/options.h"

#include <limits>

#include "core/decimal.h"

namespace orv {

const char* const kRenderUsage =
    "usage: orvessan-render [options]\n"
    "  --size WxH          window client area in pixels (default 640x480)\n"
    "  --screen-width N    the screen width the loop compares with (default: W, so no pacing)\n"
    "  --format F          pixel format of the frame: 565, 555, 24 or 32 (default 32)\n"
    "  --pitch N           bytes from one row to the next (default W x bytes per pixel)\n"
    "  --seed N            seed of the random generator (default 1)\n"
    "  --tick-start T      tick counter during start-up (default 0)\n"
    "  --tick-step D       milliseconds added to the tick counter every frame (default 16)\n"
    "  --frames K          number of frames to run (default 600)\n"
    "  --hidden LIST       frames in which the window is not wholly visible, e.g. 3,10-20\n"
    "  --raw FILE          write the final frame's bytes, top row first\n"
    "  --png FILE          write the final frame as an RGB PNG\n"
    "  --trace FILE        one JSON line per shape constructed (\"-\" = standard output)\n";

bool RenderOptions::IsHidden(uint32_t frame) const {
  for (const auto& [first, last] : hidden) {
    if (frame >= first && frame <= last) return true;
  }
  return false;
}

namespace {

bool ParseRange(const std::string& text, std::pair<uint32_t, uint32_t>& range) {
  constexpr uint64_t kMax = std::numeric_limits<int32_t>::max();
  const size_t dash = text.find('-');
  uint64_t first = 0;
  uint64_t last = 0;
  if (dash == std::string::npos) {
    if (!ParseDecimal(text, kMax, first)) return false;
    last = first;
  } else if (!ParseDecimal(text.substr(0, dash), kMax, first) ||
             !ParseDecimal(text.substr(dash + 1), kMax, last)) {
    return false;
  }
  if (first < 1 || last < first) return false;
  range = {static_cast<uint32_t>(first), static_cast<uint32_t>(last)};
  return true;
}

bool ParseHidden(const std::string& text, RenderOptions& options) {
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    std::pair<uint32_t, uint32_t> range;
    if (!ParseRange(text.substr(start, comma - start), range)) return false;
    options.hidden.push_back(range);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

bool ParseSize(const std::string& text, RenderOptions& options) {
  const size_t x = text.find('x');
  uint64_t w = 0;
  uint64_t h = 0;
  if (x == std::string::npos || !ParseDecimal(text.substr(0, x), 32767, w) ||
      !ParseDecimal(text.substr(x + 1), 32767, h) || w < 2 || h < 1) {
    return false;
  }
  options.width = static_cast<uint32_t>(w);
  options.height = static_cast<uint32_t>(h);
  return true;
}

bool ParseFormat(const std::string& text, FrameFormat& format) {
  if (text == "565")
    format = FrameFormat::k565;
  else if (text == "555")
    format = FrameFormat::k555;
  else if (text == "24")
    format = FrameFormat::k24;
  else if (text == "32")
    format = FrameFormat::k32;
  else
    return false;
  return true;
}

}  // namespace

bool ParseRenderOptions(const std::vector<std::string>& args, RenderOptions& o,
                        std::string& error) {
  constexpr uint64_t kU32 = std::numeric_limits<uint32_t>::max();
  constexpr uint64_t kI32 = std::numeric_limits<int32_t>::max();
  bool pitchGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--help" || name == "-h") {
      o.help = true;
      continue;
    }
    static const char* const kNames[] = {"--size",   "--screen-width", "--format",    "--pitch",
                                         "--seed",   "--tick-start",   "--tick-step", "--frames",
                                         "--hidden", "--raw",          "--png",       "--trace"};
    bool known = false;
    for (const char* k : kNames) known = known || name == k;
    if (!known) {
      error = "unknown option '" + name + "' (see --help)";
      return false;
    }
    if (i + 1 >= args.size()) {
      error = name + ": missing value";
      return false;
    }
    const std::string& value = args[++i];
    uint64_t n = 0;
    bool ok = true;
    std::string expected;
    if (name == "--size") {
      ok = ParseSize(value, o);
      expected = "WxH with 2 <= W <= 32767 and 1 <= H <= 32767";
    } else if (name == "--screen-width") {
      ok = ParseDecimal(value, kI32, n);
      o.screenWidth = static_cast<int32_t>(n);
      expected = "a number from 0 to 2147483647";
    } else if (name == "--format") {
      ok = ParseFormat(value, o.format);
      expected = "565, 555, 24 or 32";
    } else if (name == "--pitch") {
      ok = ParseDecimal(value, kI32, n) && n > 0;
      o.pitch = static_cast<int32_t>(n);
      pitchGiven = true;
      expected = "a number of bytes from 1 to 2147483647";
    } else if (name == "--seed" || name == "--tick-start" || name == "--tick-step") {
      ok = ParseDecimal(value, kU32, n);
      uint32_t& field = name == "--seed"         ? o.seed
                        : name == "--tick-start" ? o.tickStart
                                                 : o.tickStep;
      field = static_cast<uint32_t>(n);
      expected = "a number from 0 to 4294967295";
    } else if (name == "--frames") {
      ok = ParseDecimal(value, kI32, n);
      o.frames = static_cast<uint32_t>(n);
      expected = "a number from 0 to 2147483647";
    } else if (name == "--hidden") {
      ok = ParseHidden(value, o);
      expected = "frames N or ranges A-B (1 <= A <= B), comma separated";
    } else {
      ok = !value.empty();
      (name == "--raw" ? o.rawPath : name == "--png" ? o.pngPath : o.tracePath) = value;
      expected = "a file name";
    }
    if (!ok) {
      error = name + ": expected " + expected + ", got '" + value + "'";
      return false;
    }
  }

  const uint64_t rowBytes = uint64_t{o.width} * (PixelFormatOf(o.format).dwRGBBitCount / 8);
  if (!pitchGiven) {
    o.pitch = static_cast<int32_t>(rowBytes);
  } else if (static_cast<uint64_t>(o.pitch) < rowBytes) {
    error = "--pitch: " + std::to_string(o.pitch) + " is less than the row's " +
            std::to_string(rowBytes) + " bytes";
    return false;
  }
  if (static_cast<uint64_t>(o.pitch) * o.height > kMaxFrameBytes) {
    error = std::string(pitchGiven ? "--pitch" : "--size") + ": the frame would exceed " +
            std::to_string(kMaxFrameBytes) + " bytes";
    return false;
  }
  if (o.screenWidth < 0) o.screenWidth = static_cast<int32_t>(o.width);
  return true;
}

}  // namespace orv
