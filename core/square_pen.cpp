#include "core/square_pen.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace orv {
namespace {

constexpr unsigned kFixedEdges = SquarePen::kFixedEdges;  // larger squares take a loop

using FillTable = std::array<SquarePen::Fill, kFixedEdges + 1>;

template <typename Fills, std::size_t... I>
constexpr FillTable MakeTable(std::index_sequence<I...>) {
  return {Fills::Any, Fills::template Edge<I + 1>...};
}

template <typename Fills>
constexpr FillTable kTable = MakeTable<Fills>(std::make_index_sequence<kFixedEdges>{});

// The last place at which a square of size n fits in `size` pixels, capped at the largest
// 16-bit coordinate; 0 when it fits nowhere (the pen then has no fill).
uint32_t LastPlace(uint32_t size, uint8_t n) {
  return n <= size ? std::min<uint32_t>(size - n, 0x7FFF) : 0;
}

}  // namespace

// Rows may start at any byte (the pitch need not be a multiple of the pixel size), so they are
// written with memcpy, which compiles to plain unaligned stores.

// 2 or 4 bytes per pixel: every bit of the pixel is written.
template <typename Unit>
struct SquarePen::Units {
  template <unsigned N>
  static void Edge(const SquarePen& pen, uint32_t x, uint32_t y, uint32_t pixel) {
    Unit line[N];
    for (Unit& unit : line) unit = static_cast<Unit>(pixel);
    unsigned char* row = pen.At(x, y, sizeof(Unit));
#pragma GCC unroll 8
    for (unsigned j = 0; j < N; ++j, row += pen.pitch) std::memcpy(row, line, sizeof line);
  }

  static void Any(const SquarePen& pen, uint32_t x, uint32_t y, uint32_t pixel) {
    const Unit unit = static_cast<Unit>(pixel);
    unsigned char* row = pen.At(x, y, sizeof unit);
    for (unsigned j = 0; j < pen.n; ++j, row += pen.pitch) {
      for (unsigned i = 0; i < pen.n; ++i) std::memcpy(row + i * sizeof unit, &unit, sizeof unit);
    }
  }
};

// 3 bytes per pixel, little-endian, pixel by pixel: 3-byte displays are rare, and fills of
// their own per size would cost the product more bytes than they are worth. Merged: each byte
// keeps its bits under `keep` and takes the pixel's bits elsewhere (the pixel has none under
// `keep`). Stored: the masks cover all three bytes, so the pixel's bytes are simply written.
template <bool Merge>
struct SquarePen::Triples {
  static void Any(const SquarePen& pen, uint32_t x, uint32_t y, uint32_t pixel) {
    unsigned char set[3];
    unsigned char kept[3];
    for (unsigned b = 0; b < 3; ++b) {
      set[b] = static_cast<unsigned char>(pixel >> (8 * b));
      kept[b] = static_cast<unsigned char>(pen.keep >> (8 * b));
    }
    unsigned char* row = pen.At(x, y, 3);
    for (unsigned j = 0; j < pen.n; ++j, row += pen.pitch) {
      unsigned char* p = row;
      for (unsigned i = 0; i < pen.n; ++i, p += 3) {
        if constexpr (Merge) {
          for (unsigned b = 0; b < 3; ++b)
            p[b] = static_cast<unsigned char>((p[b] & kept[b]) | set[b]);
        } else {
          std::memcpy(p, set, 3);
        }
      }
    }
  }
};

// Any other pixel width: pixel by pixel, each pixel's own bytes (at most four) read, merged
// like 3-byte pixels and written back.
struct SquarePen::AnyWidth {
  static void Any(const SquarePen& pen, uint32_t x, uint32_t y, uint32_t pixel) {
    unsigned char* row = pen.At(x, y, pen.bytesPerPixel);
    const int bytes = std::min<int>(pen.bytesPerPixel, 4);
    for (unsigned j = 0; j < pen.n; ++j, row += pen.pitch) {
      unsigned char* p = row;
      for (unsigned i = 0; i < pen.n; ++i, p += pen.bytesPerPixel) {
        uint32_t value = 0;
        for (int b = 0; b < bytes; ++b) value |= uint32_t{p[b]} << (8 * b);
        value = (value & pen.keep) | pixel;
        for (int b = 0; b < bytes; ++b) p[b] = static_cast<unsigned char>(value >> (8 * b));
      }
    }
  }
};

void SquarePen::Reported(const SquarePen& pen, uint32_t x, uint32_t y, uint32_t pixel) {
  pen.damage->SquareDrawn(static_cast<int32_t>(x), static_cast<int32_t>(y), pen.n);
  pen.write(pen, x, y, pixel);
}

SquarePen::SquarePen(const SurfaceLock& lock, uint8_t size) : n(size) {
  if (!lock.IsLocked()) return;
  const SurfaceDesc& desc = lock.desc;
  const PixelFormat& format = desc.ddpfPixelFormat;
  first = static_cast<unsigned char*>(desc.lpSurface);
  pitch = desc.lPitch;
  keep = ~lock.channelMask;
  redMask = format.dwRBitMask;
  greenMask = format.dwGBitMask;
  blueMask = format.dwBBitMask;
  redShift = lock.redShift;
  greenShift = lock.greenShift;
  blueShift = lock.blueShift;
  bytesPerPixel = lock.bytesPerPixel;
  lastX = LastPlace(desc.dwWidth, n);
  lastY = LastPlace(desc.dwHeight, n);
  // An empty square, or one that fits nowhere, draws nothing.
  if (n == 0 || n > desc.dwWidth || n > desc.dwHeight) return;

#ifdef __OPTIMIZE_SIZE__
  // Built for size (the Windows product must fit in 64 KiB): one loop for every pixel width,
  // with 2- and 4-byte pixels written whole.
  if (bytesPerPixel == 2 || bytesPerPixel == 4) keep = 0;
  fill = AnyWidth::Any;
#else
  const unsigned index = n <= kFixedEdges ? n : 0;
  switch (bytesPerPixel) {
    case 2:
      fill = kTable<Units<uint16_t> >[index];
      break;
    case 3:
      fill = (keep & 0xFFFFFFu) == 0 ? Triples<false>::Any : Triples<true>::Any;
      break;
    case 4:
      fill = kTable<Units<uint32_t> >[index];
      break;
    default:
      fill = AnyWidth::Any;
      break;
  }
  if (n <= kFixedEdges) {
    const bool rgbBytes = redMask == 0xFF0000u && greenMask == 0xFF00u && blueMask == 0xFFu;
    if (bytesPerPixel == 4 && rgbBytes) inline_ = Inline::Rgb32;
    if (bytesPerPixel == 2) inline_ = Inline::Any16;
  }
#endif
  if (desc.damage != nullptr) {
    damage = desc.damage;
    write = fill;
    fill = Reported;
  }
}

}  // namespace orv
