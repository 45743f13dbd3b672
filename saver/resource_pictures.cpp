// The saver's picture source: the pictures are BITMAP resources of the program itself. A
// picture that can't be used ends the saver quietly, naming the picture in the debugger output.
#include <windows.h>

#include "effects/picture_source.h"
#include "saver/quiet_end.h"

namespace orv {

bool LockPicture(const char* name, PictureResource& picture) {
  HRSRC found = FindResourceA(nullptr, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
  if (found == nullptr) return false;
  HGLOBAL loaded = LoadResource(nullptr, found);
  if (loaded == nullptr) return false;
  const void* data = LockResource(loaded);
  if (data == nullptr) {
    FreeResource(loaded);
    return false;
  }
  picture.handle = loaded;
  picture.data = static_cast<const uint8_t*>(data);
  picture.size = SizeofResource(nullptr, found);
  return true;
}

void UnlockPicture(PictureResource& picture) {
  if (picture.handle != nullptr) FreeResource(static_cast<HGLOBAL>(picture.handle));
  picture = PictureResource{};
}

void FailPicture(const char* name, const char* problem) {
  char text[256];
  lstrcpynA(text, "Orvessan's Screen Saver: the built-in picture \"", sizeof text);
  const char* parts[] = {name, "\" can't be used: ", problem, "\n"};
  for (const char* part : parts) {
    const int used = lstrlenA(text);
    lstrcpynA(text + used, part, static_cast<int>(sizeof text) - used);
  }
  EndQuietly(text);
}

}  // namespace orv
