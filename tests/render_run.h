// A whole renderer run kept in memory: the final frame's bytes and the trace, with the trace's
// absolute tick values made relative to the run's start tick, so that runs that differ only in
// their start tick can be compared byte by byte.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/render/options.h"
#include "tools/render/render.h"

namespace orv::test {

struct RenderRun {
  std::vector<uint8_t> frame;
  std::string trace;  // one line per shape, "startTick" counted from the start tick
  int shapes = 0;
  std::vector<int> kinds;
};

// "startTick":N becomes "startTick":(N - tickStart), wrapping at 32 bits.
inline std::string RelativeTicks(const std::string& trace, uint32_t tickStart) {
  const std::string key = "\"startTick\":";
  std::string out;
  size_t from = 0;
  for (size_t at = trace.find(key); at != std::string::npos; at = trace.find(key, from)) {
    const size_t digits = at + key.size();
    char* end = nullptr;
    const auto tick = static_cast<uint32_t>(std::strtoul(trace.c_str() + digits, &end, 10));
    out.append(trace, from, digits - from);
    out += std::to_string(tick - tickStart);
    from = static_cast<size_t>(end - trace.c_str());
  }
  out.append(trace, from, std::string::npos);
  return out;
}

// Empty when the traces are equal, otherwise the first line that differs, shortened.
inline std::string FirstDifference(const std::string& a, const std::string& b) {
  if (a == b) return "";
  size_t line = 0;
  size_t start = 0;
  for (size_t i = 0; i < a.size() && i < b.size() && a[i] == b[i]; ++i) {
    if (a[i] == '\n') {
      ++line;
      start = i + 1;
    }
  }
  return "trace line " + std::to_string(line + 1) + ": " + a.substr(start, 160) + " ... vs " +
         b.substr(start, 160) + " ...";
}

inline RenderRun Render(const std::vector<std::string>& args) {
  RenderOptions options;
  std::string error;
  RenderRun run;
  if (!ParseRenderOptions(args, options, error)) {
    run.trace = error;
    return run;
  }
  MemoryFrame frame(options.width, options.height, options.format, options.pitch);
  std::FILE* trace = std::tmpfile();
  if (trace == nullptr) {
    run.trace = "no temporary file";
    return run;
  }
  RenderFrames(options, frame, trace);
  std::string text(static_cast<size_t>(std::ftell(trace)), '\0');
  std::rewind(trace);
  text.resize(std::fread(text.data(), 1, text.size(), trace));
  std::fclose(trace);
  run.frame = frame.Bytes();
  run.trace = RelativeTicks(text, options.tickStart);
  const std::string kind = "\"kind\":";
  for (size_t at = text.find(kind); at != std::string::npos; at = text.find(kind, at + 1)) {
    run.kinds.push_back(std::atoi(text.c_str() + at + kind.size()));
    ++run.shapes;
  }
  return run;
}

}  // namespace orv::test
