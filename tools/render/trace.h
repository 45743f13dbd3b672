// The renderer's record of every shape constructed: one JSON object per line.
#pragma once

#include <cstdint>
#include <cstdio>

#include "effects/shape_effect.h"

namespace orv {

void WriteShapeTrace(std::FILE* out, int32_t frame, const ShapeEffect& shape);

}  // namespace orv
