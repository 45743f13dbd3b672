// The renderer's sine and cosine replaced by MPFR's: linked into orvessan-render-mpfr ahead
// of the drawing library, so that the library's own Sin and Cos are never linked in (a
// program that got both would fail to link, not quietly use either).
#include "core/trig.h"
#include "tests/trig_mpfr.h"

namespace orv {

double Sin(double x) {
  return test::MpfrSin(x);
}
double Cos(double x) {
  return test::MpfrCos(x);
}

}  // namespace orv
