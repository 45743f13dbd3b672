#include "x11/x_errors.h"

#include <atomic>

namespace orv {
namespace {

std::atomic<uint64_t> errors{0};

int CountError(Display*, XErrorEvent*) {
  ++errors;
  return 0;
}

}  // namespace

void CountXErrors() {
  XSetErrorHandler(CountError);
}

uint64_t XErrorCount() {
  return errors.load();
}

XErrorTrap::XErrorTrap(Display* display) {
  XSync(display, False);  // errors of earlier requests are not this trap's
  before = XErrorCount();
}

}  // namespace orv
