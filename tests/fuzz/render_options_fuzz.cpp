// The renderer's command line: the input is its arguments, separated by NUL bytes. A refused
// command line gives a one-line message naming an option; an accepted one gives a frame that
// fits its limits, and a short run over it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "frontend/memory_frame.h"
#include "tests/fuzz/fuzz_check.h"
#include "tools/render/options.h"
#include "tools/render/render.h"

namespace {

bool OneLine(const std::string& message) {
  for (const char c : message) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return !message.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size && args.size() <= 64; ++i) {
    if (data[i] == 0) {
      args.emplace_back();
    } else {
      args.back() += static_cast<char>(data[i]);
    }
  }

  orv::RenderOptions options;
  std::string error;
  if (!orv::ParseRenderOptions(args, options, error)) {
    ORV_FUZZ_CHECK(OneLine(error));
    ORV_FUZZ_CHECK(error.rfind("--", 0) == 0 || error.rfind("unknown option '", 0) == 0);
    return 0;
  }
  const uint64_t rowBytes =
      uint64_t{options.width} * (orv::PixelFormatOf(options.format).dwRGBBitCount / 8);
  ORV_FUZZ_CHECK(options.width >= 2 && options.width <= 32767);
  ORV_FUZZ_CHECK(options.height >= 1 && options.height <= 32767);
  ORV_FUZZ_CHECK(options.pitch > 0 && static_cast<uint64_t>(options.pitch) >= rowBytes);
  ORV_FUZZ_CHECK(uint64_t{static_cast<uint32_t>(options.pitch)} * options.height <=
                 orv::kMaxFrameBytes);
  ORV_FUZZ_CHECK(options.screenWidth >= 0);
  ORV_FUZZ_CHECK(options.frames <= 0x7FFFFFFFu);

  // A short run over small frames: odd sizes, pitches, clocks and hidden frames.
  if (uint64_t{static_cast<uint32_t>(options.pitch)} * options.height <= (1u << 16)) {
    if (options.frames > 40) options.frames = 40;
    orv::MemoryFrame frame(options.width, options.height, options.format, options.pitch);
    static std::FILE* trace = std::fopen("/dev/null", "wb");
    orv::RenderFrames(options, frame, trace);
    ORV_FUZZ_CHECK(frame.Bytes().size() ==
                   uint64_t{static_cast<uint32_t>(options.pitch)} * options.height);
  }
  return 0;
}
