// Colours are 32-bit values laid out 0x00BBGGRR: red in the low byte, as a Windows COLORREF.
// The helpers sit on every drawn square's path, so they live here, where the compiler sees
// them at every use.
#pragma once

#include <bit>
#include <cstdint>

namespace orv {

// Scales red, green and blue by factor / 256, each saturating at 255. Only the low 16 bits of
// factor count; the top byte of the result is 0.
constexpr uint32_t ScaleColor(uint32_t colour, uint32_t factor) {
  const uint32_t f = factor & 0xFFFFu;
  if (f <= 0x100u) {
    // No channel can pass 255 x 256 = 0xFF00, so none saturates, and red and blue scale in one
    // product without overlapping: red in bits 0 to 15, blue in bits 16 to 31.
    return ((((colour & 0xFF00FFu) * f) >> 8) & 0xFF00FFu) |
           ((((colour & 0xFF00u) * f) >> 8) & 0xFF00u);
  }
  uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    // At most 255 x 65535: a product above 0xFFFF saturates the channel at 0xFF.
    const uint32_t product = ((colour >> shift) & 0xFFu) * f;
    result |= ((product > 0xFFFFu ? 0xFFFFu : product) >> 8) << shift;
  }
  return result;
}

// Rotation count that brings a colour channel's top bit (bit 7, 15 or 23, given as bias 24, 16
// or 8) onto the top bit of the channel's mask. A mask of 0 counts 32 leading zeros.
constexpr int8_t ChannelShift(uint32_t mask, int bias) {
  return static_cast<int8_t>(std::countl_zero(mask) - bias);
}

// v rotated right by (shift mod 32); a negative shift rotates left.
constexpr uint32_t RotateRight(uint32_t v, int8_t shift) {
  return std::rotr(v, static_cast<int>(static_cast<uint32_t>(shift) & 31u));
}

}  // namespace orv
