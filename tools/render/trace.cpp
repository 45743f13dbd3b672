#include "tools/render/trace.h"

namespace orv {

void WriteShapeTrace(std::FILE*, int32_t, const Effect&) {}

}  // namespace orv
