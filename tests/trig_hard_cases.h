// Arguments whose sine or cosine lies closest to halfway between two doubles, with their
// correctly rounded values. The first sixteen are small arguments where sin x ~ x - x^3 / 6
// or cos x ~ 1 - x^2 / 2 falls within 2^-51 to 2^-54 of an ulp from halfway; the others are
// the closest found (2^-24 to 2^-29 of an ulp) among 2 x 10^8 arguments up to 2^22, found
// with the double-double evaluation and confirmed with MPFR. The comment names the function
// that is hard and its distance from halfway in ulps. The rows live in trig_hard_cases.txt,
// turned into trig_hard_cases.inc by the build.
#pragma once

namespace orv::test {

struct HardCase {
  double x;
  double sine;
  double cosine;
};

inline constexpr HardCase kHardCases[] = {
#include "trig_hard_cases.inc"
};

}  // namespace orv::test
