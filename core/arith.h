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

// A double truncated toward zero to a 32-bit integer, as the x86 conversion instruction
// (cvttsd2si) does it: NaN and values whose truncation lies outside the 32-bit range give
// 0x80000000 instead of undefined behaviour.
constexpr int32_t TruncToInt32(double x) {
  if (x > -2147483649.0 && x < 2147483648.0) return static_cast<int32_t>(x);
  return INT32_MIN;
}

}  // namespace orv
