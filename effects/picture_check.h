// Every built-in picture is checked before use against the size and CRC-32 recorded for it by
// tools/pictures/make_pictures.py, so a damaged or stale copy never reaches the screen.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orv {

struct PictureCheck {
  const char* name;
  uint32_t size;  // bytes of the picture without its 14-byte file header
  uint32_t crc;   // CRC-32 (the zlib and PNG one) of those bytes
};

// The recorded check of the named picture, or null when there is none.
const PictureCheck* FindPictureCheck(const char* name);

uint32_t Crc32(const uint8_t* data, size_t size);

// Null when the bytes match the named picture's check, otherwise what is wrong.
const char* PictureCheckProblem(const char* name, const uint8_t* data, uint32_t size);

}  // namespace orv
