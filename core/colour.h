// Colours are 32-bit values laid out 0x00BBGGRR: red in the low byte, as a Windows COLORREF.
#pragma once

#include <cstdint>

namespace orv {

// Scales red, green and blue by factor / 256, each saturating at 255. Only the low 16 bits of
// factor count; the top byte of the result is 0.
uint32_t ScaleColor(uint32_t colour, uint32_t factor);

// Rotation count that brings a colour channel's top bit (bit 7, 15 or 23, given as bias 24, 16
// or 8) onto the top bit of the channel's mask. A mask of 0 counts 32 leading zeros.
int8_t ChannelShift(uint32_t mask, int bias);

// v rotated right by (shift mod 32); a negative shift rotates left.
uint32_t RotateRight(uint32_t v, int8_t shift);

}  // namespace orv
