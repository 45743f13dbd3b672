// Where the shapes' pictures come from. Each picture is a device-independent bitmap as a
// BITMAP resource stores it: a BITMAPINFOHEADER (no file header), the colour table, then the
// pixel rows. The Windows build reads them through its resource functions; the portable builds
// carry copies of the same bytes.
#pragma once

#include <cstdint>

namespace orv {

struct PictureResource {
  void* handle = nullptr;          // what releasing the picture needs, if anything
  const uint8_t* data = nullptr;   // the BITMAPINFOHEADER
};

// Finds, loads and locks the named picture ("BANNER", "ORLOGO", "YINYANG"); false when there is
// no such picture.
bool LockPicture(const char* name, PictureResource& picture);

// Releases a picture taken by LockPicture.
void UnlockPicture(PictureResource& picture);

}  // namespace orv
