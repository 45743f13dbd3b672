// The parameters of the web page and the attributes of its element: seed, tick-start,
// tick-step, frames and size, with the offline renderer's meaning. Any of the three clock
// parameters makes the run scripted: start-up at tick-start, frame k at tick-start + k x
// tick-step, `frames` frames (600 unless given), then the last frame stays. A size fixes the
// frame at W x H pixels, 640x480 in a scripted run without one; otherwise the frame fills the
// element's box.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/scripted_clock.h"

namespace orv {

// The largest frame the page builds, in pixels (a frame and its canvas copy take 8 bytes a
// pixel of the module's memory).
constexpr uint64_t kMaxPagePixels = uint64_t{1} << 25;
// The longest side of a frame: squares are placed at 16-bit coordinates.
constexpr uint32_t kMaxPageSide = 32767;

struct PageOptions {
  bool seedGiven = false;
  uint32_t seed = 1;
  bool scripted = false;
  ScriptedClock clock;
  uint32_t frames = 600;
  bool sizeGiven = false;
  uint32_t width = 640;
  uint32_t height = 480;

  // The parameters refused so far, each as "NAME: expected ..., got 'VALUE'".
  std::vector<std::string> refused;
};

// Sets the parameter `name` from `value`. A bad value leaves the parameter at its default and
// is noted in `refused`; a name that is none of the five is not the saver's and is left alone.
void SetPageOption(PageOptions& options, const std::string& name, const std::string& value);

// One line for every refused parameter, saying what is used instead.
std::vector<std::string> RefusalMessages(const PageOptions& options);

// The frame size for a box of width x height pixels: the box's own where it fits, else the
// largest with its proportions within kMaxPagePixels and kMaxPageSide; at least 2 x 1.
void FitPageFrame(uint32_t& width, uint32_t& height);

}  // namespace orv
