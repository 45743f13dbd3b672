// Where the shapes' pictures come from. Each picture is a device-independent bitmap as a
// BITMAP resource stores it: a BITMAPINFOHEADER (no file header), the colour table, then the
// pixel rows. The Windows saver reads them through its resource functions
// (saver/resource_pictures.cpp); the portable builds carry copies of the same bytes
// (effects/embedded_pictures.cpp). A program links exactly one of the two.
#pragma once

#include <cstdint>

namespace orv {

struct PictureResource {
  void* handle = nullptr;         // what releasing the picture needs, if anything
  const uint8_t* data = nullptr;  // the BITMAPINFOHEADER
  uint32_t size = 0;              // bytes from `data` that belong to the picture
};

// Finds, loads and locks the named picture ("BANNER", "ORLOGO", "YINYANG"); false when there is
// no such picture.
bool LockPicture(const char* name, PictureResource& picture);

// Releases a picture taken by LockPicture.
void UnlockPicture(PictureResource& picture);

// Ends the program at once because the named picture is missing, damaged or unusable: the
// shapes can't be drawn as built. `problem` says what is wrong. Never returns.
[[noreturn]] void FailPicture(const char* name, const char* problem);

}  // namespace orv
