// The renderer's record of every shape constructed: one JSON object per line.
#pragma once

#include <cstdint>
#include <cstdio>

#include "effects/effect.h"

namespace orv {

void WriteShapeTrace(std::FILE* out, int32_t frame, const Effect& shape);

}  // namespace orv
