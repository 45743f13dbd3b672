// A read-only view of an 8-bit bottom-up picture, read in place: its header, colour table and
// pixel rows, without copying or decoding.
#pragma once

#include <cstdint>

#include "effects/picture_source.h"

namespace orv {

class ShapeImage {
 public:
  // Locks the named built-in picture and checks it; a picture that is missing, fails its
  // check or can't be read as an 8-bit picture ends the program (FailPicture).
  explicit ShapeImage(const char* name);
  // A view over picture bytes held elsewhere, without a check value. Refused (not usable)
  // when the header's sizes don't fit the bytes or the pixels are not uncompressed 8-bit
  // colour indices.
  ShapeImage(const uint8_t* data, uint32_t size);
  ~ShapeImage();
  ShapeImage(const ShapeImage&) = delete;
  ShapeImage& operator=(const ShapeImage&) = delete;

  // Null when the picture can be read, otherwise why it can't.
  const char* Problem() const { return problem; }
  int32_t Width() const { return width; }
  int32_t Height() const { return height; }
  // Colour-table entry k as a little-endian 32-bit value: the RGBQUAD's blue in bits 0-7.
  uint32_t Entry(uint32_t k) const;
  // The colour index of a pixel; row 0 is the bottom row.
  uint8_t Pixel(int32_t column, int32_t row) const;

  PictureResource resource;              // what LockPicture gave, for a named picture
  int32_t rowStride = 0;                 // bytes from one pixel row to the next
  const uint8_t* header = nullptr;       // the BITMAPINFOHEADER
  const uint8_t* colourTable = nullptr;  // RGBQUAD entries
  const uint8_t* pixels = nullptr;       // the first (bottom) row

 private:
  const char* Read(const uint8_t* data, uint32_t size);

  const char* problem = nullptr;
  bool locked = false;
  int32_t width = 0;
  int32_t height = 0;
};

}  // namespace orv
