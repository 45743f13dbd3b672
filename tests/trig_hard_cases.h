// Arguments whose sine or cosine lies closest to halfway between two doubles, with their
// correctly rounded values. The first sixteen are small arguments where sin x ~ x - x^3 / 6
// or cos x ~ 1 - x^2 / 2 falls within 2^-51 to 2^-54 of an ulp from halfway; the others are
// the closest found (2^-24 to 2^-29 of an ulp) among 2 x 10^8 arguments up to 2^22, found
// with the double-double evaluation and confirmed with MPFR. The comment names the function
// that is hard and its distance from halfway in ulps.
#pragma once

namespace orv::test {

struct HardCase {
  double x;
  double sine;
  double cosine;
};

inline constexpr HardCase kHardCases[] = {
    {0x1.6a09e667f3bcdp-27, 0x1.6a09e667f3bcdp-27, 0x1.fffffffffffffp-1},   // cos, 2^-53.8
    {0x1.6a09e667f3bccp-27, 0x1.6a09e667f3bccp-27, 0x1p+0},                 // cos, 2^-53.3
    {0x1.7137449123ef6p-26, 0x1.7137449123ef6p-26, 0x1.ffffffffffffep-1},   // sin, 2^-53.2
    {0x1.8db9cb7511e9ep-25, 0x1.8db9cb7511e9bp-25, 0x1.ffffffffffff6p-1},   // sin, 2^-53.0
    {0x1.7137449123ef7p-26, 0x1.7137449123ef6p-26, 0x1.ffffffffffffep-1},   // sin, 2^-52.7
    {0x1.2c2fc595456a7p-25, 0x1.2c2fc595456a6p-25, 0x1.ffffffffffffbp-1},   // cos, 2^-52.6
    {0x1.726d41832a0cp-24, 0x1.726d41832a0b8p-24, 0x1.fffffffffffdfp-1},    // cos, 2^-52.4
    {0x1.94c583ada5b53p-26, 0x1.94c583ada5b52p-26, 0x1.ffffffffffffdp-1},   // cos, 2^-52.3
    {0x1.6a09e667f3bcep-27, 0x1.6a09e667f3bcep-27, 0x1.fffffffffffffp-1},   // cos, 2^-52.0
    {0x1.3988e1409212fp-26, 0x1.3988e1409212fp-26, 0x1.ffffffffffffep-1},   // cos, 2^-51.9
    {0x1.6a09e667f3bcbp-27, 0x1.6a09e667f3bcbp-27, 0x1p+0},                 // cos, 2^-51.8
    {0x1.8a85c24f7065ap-25, 0x1.8a85c24f70658p-25, 0x1.ffffffffffff7p-1},   // cos, 2^-51.7
    {0x1.4f747439b348bp-25, 0x1.4f747439b3489p-25, 0x1.ffffffffffff9p-1},   // sin, 2^-51.6
    {0x1.3988e1409212ep-26, 0x1.3988e1409212ep-26, 0x1.fffffffffffffp-1},   // cos, 2^-51.5
    {0x1.7137449123ef5p-26, 0x1.7137449123ef5p-26, 0x1.ffffffffffffep-1},   // sin, 2^-51.4
    {0x1.deeea11683f49p-26, 0x1.deeea11683f48p-26, 0x1.ffffffffffffdp-1},   // cos, 2^-51.4
    {0x1.a5bc2da3eec7ep-8, 0x1.a5bb6ee1664c2p-8, 0x1.fffd493c24b0ep-1},     // sin, 2^-29.3
    {0x1.f2a7c84b320ccp-5, 0x1.f258f6acc92c8p-5, 0x1.ff0d3ee3ec9f3p-1},     // sin, 2^-27.2
    {-0x1.79e2123ece6a9p+5, 0x1.c7be888b77879p-4, -0x1.fcd2224e5ab14p-1},   // cos, 2^-27.1
    {0x1.57481808b5d7ap-9, 0x1.5747fe508d3c9p-9, 0x1.ffff8ceb73226p-1},     // cos, 2^-27.1
    {-0x1.41880c726346ap+5, -0x1.358f4543e41efp-1, -0x1.97d1d1072216dp-1},  // cos, 2^-26.9
    {0x1.7ed591263d827p-4, 0x1.7e46efd21149dp-4, 0x1.fdc3e89a7d1bcp-1},     // cos, 2^-26.6
    {0x1.8b04baf015482p-9, 0x1.8b0493bfc69aep-9, 0x1.ffff679e21514p-1},     // cos, 2^-26.3
    {0x1.bc9315a00327cp-2, 0x1.aebd3f2b4fd92p-2, 0x1.d07fe91edf593p-1},     // sin, 2^-25.6
    {-0x1.f3e7a01d49216p+5, 0x1.591cf3826451ap-2, 0x1.e20bbf5a0ca3cp-1},    // sin, 2^-25.6
    {0x1.03b040fae0adap-7, 0x1.03af8ed481844p-7, 0x1.fffbe248f61aep-1},     // sin, 2^-25.3
    {0x1.fe42268a7465cp+4, 0x1.d484a148a1f2ap-2, 0x1.c743f9a0b8a12p-1},     // sin, 2^-25.2
    {-0x1.1503ffba77bffp+5, 0x1.1c2bbabd9ab7cp-4, -0x1.fec42d8a4c617p-1},   // cos, 2^-25.1
    {-0x1.c91537be2dda2p+5, -0x1.1b72b84351abbp-1, 0x1.aa61a83efac18p-1},   // cos, 2^-24.9
    {0x1.f2d293105af04p+0, 0x1.dbe80363663d5p-1, -0x1.79a9889a4186fp-2},    // sin, 2^-24.6
    {0x1.93c3be2ed1a2ep-7, 0x1.93c120974002fp-7, 0x1.fff60cc0c661cp-1},     // cos, 2^-24.6
    {-0x1.86b8e133f8e68p+4, 0x1.4ebfc2f544d1bp-1, 0x1.8369248870baap-1},    // cos, 2^-24.6
    {0x1.1aea6671e7462p+2, -0x1.ea5a0ddc9bb73p-1, -0x1.269ccfa971b63p-2},   // cos, 2^-24.5
    {-0x1.16cbfc38b0ef6p+5, 0x1.26dbbca4b7515p-2, -0x1.ea50991ddab87p-1},   // cos, 2^-24.4
    {0x1.09f35b7677e2fp-4, 0x1.09c3878cc2c85p-4, 0x1.feebcf1daa75p-1},      // sin, 2^-24.3
    {0x1.8bb13bf0bd8ffp-6, 0x1.8ba763142bfadp-6, 0x1.ffd9c6b328ec9p-1},     // sin, 2^-24.3
    {0x1.995d08a50833p+10, -0x1.437bfd9edf136p-1, -0x1.8cdd75219a5b9p-1},   // cos, 2^-24.1
    {0x1.37e812730d67fp+12, 0x1.fe2b84037d795p-1, -0x1.5a009c87855dap-4},   // cos, 2^-24.0
    {0x1.6b382eb432234p-1, 0x1.4d82cb785be36p-1, 0x1.847a2424a937fp-1},     // cos, 2^-24.0
    {0x1.ccbc021a59fbep-2, 0x1.bd587c106cc87p-2, 0x1.cd0b0de5629adp-1},     // sin, 2^-23.8
};

}  // namespace orv::test
