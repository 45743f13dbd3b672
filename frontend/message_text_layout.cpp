#include "frontend/message_text_layout.h"

#include "core/arith.h"
#include "core/colour.h"
#include "core/random.h"

namespace orv {

std::optional<int32_t> MessageFontHeight(int32_t width) {
  if (width < kMinMessageWidth) return std::nullopt;
  return rand() % (width / 28) + width / 60;
}

Rect PlaceMessageBlock(int32_t width, int32_t height, int32_t w, int32_t h) {
  const int32_t left = ScaledRand(WrapSub(width, w));
  const int32_t top = ScaledRand(WrapSub(height, h));
  return Rect{left, top, WrapAdd(left, w), WrapAdd(top, h)};
}

uint32_t MessageTextColour() {
  return ScaleColor(0xff4040, static_cast<uint32_t>(80 + rand() % 280));
}

}  // namespace orv
