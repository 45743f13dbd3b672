// Command-line options of the offline renderer.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "frontend/memory_frame.h"

namespace orv {

struct RenderOptions {
  uint32_t width = 640;
  uint32_t height = 480;
  int32_t screenWidth = -1;  // -1: the frame's width, so no pacing
  FrameFormat format = FrameFormat::k32;
  int32_t pitch = 0;  // 0: width x bytes per pixel
  uint32_t seed = 1;
  uint32_t tickStart = 0;
  uint32_t tickStep = 16;
  uint32_t frames = 600;
  std::vector<std::pair<uint32_t, uint32_t>> hidden;  // inclusive, 1-based frame ranges
  std::string rawPath;
  std::string pngPath;
  std::string tracePath;  // "-" is standard output
  bool help = false;

  bool IsHidden(uint32_t frame) const;
};

// The largest frame the renderer allocates, in bytes.
constexpr uint64_t kMaxFrameBytes = uint64_t{1} << 29;

// Fills `options` from the arguments (without the program name). On a bad option returns
// false with a one-line message naming the option in `error`. Later options override earlier
// ones; --raw, --png and --trace must name different files.
bool ParseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                        std::string& error);

extern const char* const kRenderUsage;

}  // namespace orv
