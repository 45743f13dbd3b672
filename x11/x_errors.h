// X errors are counted instead of ending the program (Xlib's default): a failed request on the
// window means it is gone, and the front end then ends quietly; a failed shared-memory attach
// means falling back to plain images.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

namespace orv {

void CountXErrors();
uint64_t XErrorCount();

// Errors of the requests made while it lives; the caller syncs before asking.
class XErrorTrap {
 public:
  explicit XErrorTrap(Display* display);
  bool Caught() const { return XErrorCount() != before; }

 private:
  uint64_t before;
};

}  // namespace orv
