// Integer helpers for arithmetic that must wrap at 32 bits, as the drawing code's 32-bit
// registers do. Signed overflow is undefined in C++, so products and sums that may leave the
// 32-bit range go through unsigned arithmetic and are converted back (modular since C++20).
#pragma once

#include <cstdint>

namespace orv {

constexpr int32_t WrapMul(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

constexpr int32_t WrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

constexpr int32_t WrapSub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// Signed division truncating toward zero; INT32_MIN / -1 (the one overflowing case) wraps to
// INT32_MIN as the processor's result would, instead of trapping.
constexpr int32_t WrapDiv(int32_t a, int32_t b) {
  return (b == -1) ? WrapSub(0, a) : a / b;
}

}  // namespace orv
