// The picture source of the portable programs: the copies built into the program. A picture
// that can't be used ends the program with a message on standard error.
#include "effects/embedded_pictures.h"

#include <cstdio>
#include <cstdlib>

#include "effects/picture_source.h"

namespace orv {

bool LockPicture(const char* name, PictureResource& picture) {
  const EmbeddedPictureBytes bytes = EmbeddedPicture(name);
  if (bytes.data == nullptr) return false;
  picture.handle = nullptr;
  picture.data = bytes.data;
  picture.size = bytes.size;
  return true;
}

void UnlockPicture(PictureResource& picture) {
  picture = PictureResource{};
}

void FailPicture(const char* name, const char* problem) {
  std::fprintf(stderr, "orvessan: the built-in picture \"%s\" can't be used: %s\n", name, problem);
  std::fflush(stderr);
  std::_Exit(3);
}

}  // namespace orv
