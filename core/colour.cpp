#include "core/colour.h"

#include <bit>

namespace orv {

uint32_t ScaleColor(uint32_t colour, uint32_t factor) {
  const uint32_t f = factor & 0xFFFFu;
  uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t product = ((colour >> shift) & 0xFFu) * f;
    const uint32_t channel = product > 0xFFFFu ? 0xFFu : product >> 8;
    result |= channel << shift;
  }
  return result;
}

int8_t ChannelShift(uint32_t mask, int bias) {
  return static_cast<int8_t>(std::countl_zero(mask) - bias);
}

uint32_t RotateRight(uint32_t v, int8_t shift) {
  return std::rotr(v, static_cast<int>(static_cast<uint32_t>(shift) & 31u));
}

}  // namespace orv
