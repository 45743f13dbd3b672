// The pictures' bytes as built into the portable programs (generated from resources/*.bmp by
// cmake/embed_pictures.cmake): each .bmp file without its 14-byte file header.
#pragma once

#include <cstdint>

namespace orv {

struct EmbeddedPictureBytes {
  const uint8_t* data;
  uint32_t size;
};

// The named picture ("BANNER", "ORLOGO", "YINYANG"), or null data when there is none.
EmbeddedPictureBytes EmbeddedPicture(const char* name);

}  // namespace orv
