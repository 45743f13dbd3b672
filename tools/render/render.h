// The offline renderer: runs the render loop over a memory frame with a scripted clock.
#pragma once

#include <cstdint>
#include <cstdio>

#include "frontend/memory_frame.h"
#include "tools/render/options.h"

namespace orv {

// Seeds the generator, runs start-up, options.frames frames and shut-down into `frame`
// (which must match the options' size, format and pitch). Writes one trace line per shape
// constructed to `trace` when it is not null.
void RenderFrames(const RenderOptions& options, MemoryFrame& frame, std::FILE* trace);

// The whole program after option parsing: renders and writes the requested files. Returns
// the exit status; on failure `error` holds a one-line message and no output file is left.
int RunRenderer(const RenderOptions& options, std::string& error);

}  // namespace orv
