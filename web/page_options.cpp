#include "web/page_options.h"

#include <cmath>

#include "frontend/decimal.h"
#include "frontend/printable.h"

namespace orv {
namespace {

constexpr const char* kSizeExpected =
    "WxH with 2 <= W <= 32767, 1 <= H <= 32767 and W x H <= 33554432";

bool ParsePageSize(const std::string& text, uint32_t& width, uint32_t& height) {
  const size_t x = text.find('x');
  uint64_t w = 0;
  uint64_t h = 0;
  if (x == std::string::npos || !ParseDecimal(text.substr(0, x), kMaxPageSide, w) ||
      !ParseDecimal(text.substr(x + 1), kMaxPageSide, h) || w < 2 || h < 1 ||
      w * h > kMaxPagePixels) {
    return false;
  }
  width = static_cast<uint32_t>(w);
  height = static_cast<uint32_t>(h);
  return true;
}

std::string Refusal(const std::string& name, const std::string& expected,
                    const std::string& value) {
  return name + ": expected " + expected + ", got '" + Printable(value) + "'";
}

}  // namespace

void SetPageOption(PageOptions& o, const std::string& name, const std::string& value) {
  if (name == "size") {
    if (ParsePageSize(value, o.width, o.height)) {
      o.sizeGiven = true;
    } else {
      o.refused.push_back(Refusal(name, kSizeExpected, value));
    }
    return;
  }
  const std::string option = "--" + name;
  if (!IsScriptOption(option)) return;
  if (name != "seed") o.scripted = true;
  uint32_t tickStart = o.clock.start;
  uint32_t tickStep = o.clock.step;
  const ScriptOptionFields fields{o.seed, tickStart, tickStep, o.frames};
  std::string expected;
  if (ParseScriptOption(option, value, fields, expected)) {
    o.clock = {tickStart, tickStep};
    if (name == "seed") o.seedGiven = true;
  } else {
    o.refused.push_back(Refusal(name, expected, value));
  }
}

std::vector<std::string> RefusalMessages(const PageOptions& o) {
  std::vector<std::string> lines;
  for (const std::string& refusal : o.refused) {
    const std::string name = refusal.substr(0, refusal.find(':'));
    std::string instead;
    if (name == "seed") {
      instead = o.seedGiven ? std::to_string(o.seed) : o.scripted ? "1" : "a seed of its own";
    } else if (name == "size") {
      instead = o.sizeGiven  ? std::to_string(o.width) + "x" + std::to_string(o.height)
                : o.scripted ? "640x480"
                             : "the size of the box";
    } else if (name == "tick-start") {
      instead = std::to_string(o.clock.start);
    } else if (name == "tick-step") {
      instead = std::to_string(o.clock.step);
    } else {
      instead = std::to_string(o.frames);
    }
    lines.push_back(refusal + "; using " + instead);
  }
  return lines;
}

void FitPageFrame(uint32_t& width, uint32_t& height) {
  // Every side and the area within bounds, the proportions kept; at least 2 x 1, the smallest
  // frame whose projection has a centre.
  double scale = 1.0;
  const double pixels = static_cast<double>(width) * height;
  if (pixels > static_cast<double>(kMaxPagePixels)) {
    scale = std::sqrt(static_cast<double>(kMaxPagePixels) / pixels);
  }
  scale = std::fmin(scale, kMaxPageSide / std::fmax(width, height));
  width = static_cast<uint32_t>(std::fmax(2.0, std::floor(width * scale)));
  height = static_cast<uint32_t>(std::fmax(1.0, std::floor(height * scale)));
}

}  // namespace orv
