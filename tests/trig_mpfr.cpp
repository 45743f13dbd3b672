#include "tests/trig_mpfr.h"

#include <mpfr.h>

namespace orv::test {
namespace {

// f(x) rounded to the nearest double; subnormal results rounded as doubles round them.
double Rounded(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), double x) {
  mpfr_t a;
  mpfr_t y;
  mpfr_init2(a, 53);
  mpfr_init2(y, 53);
  mpfr_set_d(a, x, MPFR_RNDN);
  const mpfr_exp_t emin = mpfr_get_emin();
  mpfr_set_emin(-1073);
  const int ternary = f(y, a, MPFR_RNDN);
  mpfr_subnormalize(y, ternary, MPFR_RNDN);
  mpfr_set_emin(emin);
  const double result = mpfr_get_d(y, MPFR_RNDN);
  mpfr_clear(a);
  mpfr_clear(y);
  return result;
}

}  // namespace

double MpfrSin(double x) {
  return Rounded(mpfr_sin, x);
}
double MpfrCos(double x) {
  return Rounded(mpfr_cos, x);
}

}  // namespace orv::test
