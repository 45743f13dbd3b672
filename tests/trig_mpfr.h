// Correctly rounded sine and cosine from MPFR: the reference that core/trig is held to.
#pragma once

namespace orv::test {

double MpfrSin(double x);
double MpfrCos(double x);

}  // namespace orv::test
