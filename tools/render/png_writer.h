// Writes a memory frame as an 8-bit RGB PNG.
#pragma once

#include <cstdio>

#include "frontend/memory_frame.h"

namespace orv {

// False when this build has no PNG support or the file could not be written.
bool WritePng(std::FILE* out, const MemoryFrame& frame);
bool PngSupported();

}  // namespace orv
