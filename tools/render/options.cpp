#include "tools/render/options.h"

#include <limits>

#include "frontend/decimal.h"
#include "frontend/printable.h"

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

// One row per option: its name, what its value must look like, and how it is read.
struct OptionRow {
  const char* name;
  const char* expected;
  bool (*parse)(const std::string& value, RenderOptions& o);
};

constexpr uint64_t kU32 = std::numeric_limits<uint32_t>::max();
constexpr uint64_t kI32 = std::numeric_limits<int32_t>::max();

template <typename Field>
bool ReadNumber(const std::string& text, uint64_t max, Field& field) {
  uint64_t n = 0;
  if (!ParseDecimal(text, max, n)) return false;
  field = static_cast<Field>(n);
  return true;
}

bool ReadFileName(const std::string& text, std::string& field) {
  field = text;
  return !text.empty();
}

constexpr OptionRow kOptions[] = {
    {"--size", "WxH with 2 <= W <= 32767 and 1 <= H <= 32767", ParseSize},
    {"--screen-width", "a number from 0 to 2147483647",
     [](const std::string& v, RenderOptions& o) { return ReadNumber(v, kI32, o.screenWidth); }},
    {"--format", "565, 555, 24 or 32",
     [](const std::string& v, RenderOptions& o) { return ParseFormat(v, o.format); }},
    // A pitch of 0 stands for "not given": the row's length.
    {"--pitch", "a number of bytes from 1 to 2147483647",
     [](const std::string& v, RenderOptions& o) {
       return ReadNumber(v, kI32, o.pitch) && o.pitch > 0;
     }},
    {"--seed", "a number from 0 to 4294967295",
     [](const std::string& v, RenderOptions& o) { return ReadNumber(v, kU32, o.seed); }},
    {"--tick-start", "a number from 0 to 4294967295",
     [](const std::string& v, RenderOptions& o) { return ReadNumber(v, kU32, o.tickStart); }},
    {"--tick-step", "a number from 0 to 4294967295",
     [](const std::string& v, RenderOptions& o) { return ReadNumber(v, kU32, o.tickStep); }},
    {"--frames", "a number from 0 to 2147483647",
     [](const std::string& v, RenderOptions& o) { return ReadNumber(v, kI32, o.frames); }},
    {"--hidden", "frames N or ranges A-B (1 <= A <= B), comma separated", ParseHidden},
    {"--raw", "a file name",
     [](const std::string& v, RenderOptions& o) { return ReadFileName(v, o.rawPath); }},
    {"--png", "a file name",
     [](const std::string& v, RenderOptions& o) { return ReadFileName(v, o.pngPath); }},
    {"--trace", "a file name or - for standard output",
     [](const std::string& v, RenderOptions& o) { return ReadFileName(v, o.tracePath); }},
};

const OptionRow* FindOption(const std::string& name) {
  for (const OptionRow& row : kOptions) {
    if (name == row.name) return &row;
  }
  return nullptr;
}

// Two outputs written to one file would interleave their bytes.
bool SharedOutput(const RenderOptions& o, std::string& error) {
  const std::pair<const char*, const std::string*> outputs[] = {
      {"--raw", &o.rawPath}, {"--png", &o.pngPath}, {"--trace", &o.tracePath}};
  for (size_t a = 0; a < 3; ++a) {
    for (size_t b = a + 1; b < 3; ++b) {
      const std::string& path = *outputs[b].second;
      if (!path.empty() && path != "-" && path == *outputs[a].second) {
        error = std::string(outputs[b].first) + ": '" + Printable(path) + "' is also the " +
                outputs[a].first + " file";
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool ParseRenderOptions(const std::vector<std::string>& args, RenderOptions& o,
                        std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--help" || name == "-h") {
      o.help = true;
      continue;
    }
    const OptionRow* row = FindOption(name);
    if (row == nullptr) {
      error = "unknown option '" + Printable(name) + "' (see --help)";
      return false;
    }
    if (i + 1 >= args.size()) {
      error = name + ": missing value";
      return false;
    }
    const std::string& value = args[++i];
    if (!row->parse(value, o)) {
      error = name + ": expected " + row->expected + ", got '" + Printable(value) + "'";
      return false;
    }
  }

  const bool pitchGiven = o.pitch != 0;
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
  if (SharedOutput(o, error)) return false;
  if (o.screenWidth < 0) o.screenWidth = static_cast<int32_t>(o.width);
  return true;
}

}  // namespace orv
