// The drawing primitive for one square size. A frame draws all its squares at one size, so
// everything about a square that depends on neither its place nor its colour is settled once,
// when the pen is made from the frame's lock: the last place at which a square of this size
// still fits, the pixel format, and the fill for this pixel width and size, whose rows are
// plain stores.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "core/colour.h"
#include "core/surface_lock.h"

namespace orv {

class SquarePen {
 public:
  // Squares of n x n pixels on the lock's surface; a lock that failed draws nothing.
  SquarePen(const SurfaceLock& lock, uint8_t n);

  // Fills the square whose top-left corner is (x, y), relative to the window, only when the
  // whole square lies inside the window.
  void PlotSquare(int16_t x, int16_t y, uint32_t colour) const {
    // A negative coordinate turns into a value above every last place (at most 0x7FFF).
    const auto column = static_cast<uint32_t>(int32_t{x});
    const auto row = static_cast<uint32_t>(int32_t{y});
    if (column > lastX || row > lastY) return;
    fill(*this, column, row, PixelValue(colour));
  }

  // The same, so that the pen itself can be handed to code written for Visit's plots.
  void operator()(int16_t x, int16_t y, uint32_t colour) const { PlotSquare(x, y, colour); }

  // Calls draw(plot) once, where plot(x, y, colour) does exactly what PlotSquare does. For the
  // common displays (4-byte pixels with red, green and blue in bytes 2, 1 and 0, and 2-byte
  // pixels) and squares of up to kFixedEdges, plot is a small object whose fill the compiler
  // writes into the caller's loop: a frame of thousands of squares then pays no call, no
  // format decision and no general colour shuffle per square. Builds for size take the pen
  // itself, so the caller's loop exists once.
  template <typename Draw>
  void Visit(Draw&& draw) const {
#ifndef __OPTIMIZE_SIZE__
    const auto edges = std::make_index_sequence<kFixedEdges>{};
    if (inline_ == Inline::Rgb32 && VisitFixed<uint32_t>(draw, edges)) return;
    if (inline_ == Inline::Any16 && VisitFixed<uint16_t>(draw, edges)) return;
#endif
    draw(*this);
  }

  uint32_t PixelValue(uint32_t colour) const {
    return (RotateRight(colour, greenShift) & greenMask) |
           (RotateRight(colour, redShift) & redMask) | (RotateRight(colour, blueShift) & blueMask);
  }

  // Writes the square at (x, y), which fits, with the pixel value.
  using Fill = void (*)(const SquarePen& pen, uint32_t x, uint32_t y, uint32_t pixel);

  // Squares up to this size have fills of their own for 2- and 4-byte pixels, whose rows are
  // fixed-size copies that the compiler turns into a few wide stores.
  static constexpr unsigned kFixedEdges = 8;

 private:
  template <typename Unit, unsigned N>
  class Fixed;
  // Which of Visit's inline plots fits this pen, if any.
  enum class Inline : uint8_t { Off, Rgb32, Any16 };

  template <typename Unit, typename Draw, std::size_t... I>
  bool VisitFixed(Draw& draw, std::index_sequence<I...>) const {
    return ((n == I + 1 ? (draw(Fixed<Unit, I + 1>(*this)), true) : false) || ...);
  }

  template <typename Unit>
  struct Units;
  template <bool Merge>
  struct Triples;
  struct AnyWidth;
  static void Nothing(const SquarePen&, uint32_t, uint32_t, uint32_t) {}
  // For a surface that copies changed pixels to the display itself: reports the square to its
  // damage sink, then writes it with `write`.
  static void Reported(const SquarePen& pen, uint32_t x, uint32_t y, uint32_t pixel);

  // The address of pixel (x, y), which fits; the pixel width as a constant where the fill
  // knows it.
  unsigned char* At(uint32_t x, uint32_t y, ptrdiff_t pixelBytes) const {
    return first + pixelBytes * static_cast<int32_t>(x) + pitch * static_cast<int32_t>(y);
  }

  Fill fill = Nothing;
  Fill write = Nothing;  // the fill behind Reported
  DamageSink* damage = nullptr;
  uint32_t lastX = 0;  // a square fits where x <= lastX and y <= lastY
  uint32_t lastY = 0;
  unsigned char* first = nullptr;  // the window's top-left pixel
  ptrdiff_t pitch = 0;
  uint32_t keep = 0;  // the bits of a pixel that no channel mask covers
  uint32_t redMask = 0;
  uint32_t greenMask = 0;
  uint32_t blueMask = 0;
  int8_t redShift = 0;
  int8_t greenShift = 0;
  int8_t blueShift = 0;
  uint8_t bytesPerPixel = 0;
  uint8_t n = 0;
  Inline inline_ = Inline::Off;
};

// One of Visit's inline plots: squares of N x N pixels of type Unit. It works from its own
// copy of the pen, so that the pixel stores (which may alias anything) don't make the compiler
// read the pen's fields again for every square. Its place check and rows repeat PlotSquare's and
// Units::Edge's on purpose: through shared helpers the compiler lays out the caller's loop worse.
template <typename Unit, unsigned N>
class SquarePen::Fixed {
 public:
  explicit Fixed(const SquarePen& p) : pen(p) {}

  void operator()(int16_t x, int16_t y, uint32_t colour) const {
    const auto column = static_cast<uint32_t>(int32_t{x});
    const auto row = static_cast<uint32_t>(int32_t{y});
    if (column > pen.lastX || row > pen.lastY) return;
    if (pen.damage != nullptr) {
      pen.damage->SquareDrawn(static_cast<int32_t>(column), static_cast<int32_t>(row), N);
    }
    // Red, green and blue in bytes 2, 1 and 0 is the colour's byte order reversed (the
    // colour's top byte never reaches the pixel).
    const Unit unit = sizeof(Unit) == 4 ? static_cast<Unit>(__builtin_bswap32(colour) >> 8)
                                        : static_cast<Unit>(pen.PixelValue(colour));
    const ptrdiff_t rowPitch = pen.pitch;
    unsigned char* const p = pen.At(column, row, sizeof(Unit));
    // Each row from the square's first, so that its address can be an addressing mode.
#pragma GCC unroll 8
    for (unsigned j = 0; j < N; ++j) {
      unsigned char* const line = p + static_cast<ptrdiff_t>(j) * rowPitch;
      if constexpr (kWideRows) {
        WideRow(line, unit);
      } else {
#pragma GCC unroll 8
        for (unsigned i = 0; i < N; ++i) std::memcpy(line + i * sizeof unit, &unit, sizeof unit);
      }
    }
  }

  // The x86 compilers turn a row's pixel stores into a few 16-byte stores by themselves; clang
  // leaves them as they are for WebAssembly (where 8 bytes is the widest store without SIMD),
  // so there a row is written 8 bytes at a time, the pixel repeated: a third of the stores.
#ifdef __wasm__
  static constexpr bool kWideRows = true;
#else
  static constexpr bool kWideRows = false;
#endif
  static void WideRow(unsigned char* line, Unit unit) {
    constexpr unsigned kBytes = N * sizeof(Unit);
    const uint64_t wide = uint64_t{unit} * (sizeof(Unit) == 4 ? 0x100000001u : 0x1000100010001u);
#pragma GCC unroll 4
    for (unsigned i = 0; i + 8 <= kBytes; i += 8) std::memcpy(line + i, &wide, 8);
    if constexpr (kBytes % 8 != 0) std::memcpy(line + kBytes / 8 * 8, &wide, kBytes % 8);
  }

 private:
  SquarePen pen;
};

}  // namespace orv
