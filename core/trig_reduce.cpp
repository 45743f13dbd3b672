// Reduction of an argument by multiples of pi/2: Cody-Waite for moderate arguments,
// Payne-Hanek with 2/pi to 1584 bits for huge ones.
#include <bit>
#include <cmath>
#include <cstdint>

#include "core/trig.h"

namespace orv {
namespace {

uint32_t HighWord(double x) {
  return static_cast<uint32_t>(std::bit_cast<uint64_t>(x) >> 32);
}

// 2/pi in 24-bit pieces: enough bits for the largest doubles.
constexpr int32_t kTwoOverPi[] = {
    0xA2F983, 0x6E4E44, 0x1529FC, 0x2757D1, 0xF534DD, 0xC0DB62, 0x95993C, 0x439041, 0xFE5163,
    0xABDEBB, 0xC561B7, 0x246E3A, 0x424DD2, 0xE00649, 0x2EEA09, 0xD1921C, 0xFE1DEB, 0x1CB129,
    0xA73EE8, 0x8235F5, 0x2EBB44, 0x84E99C, 0x7026B4, 0x5F7E41, 0x3991D6, 0x398353, 0x39F49C,
    0x845F8B, 0xBDF928, 0x3B1FF8, 0x97FFDE, 0x05980F, 0xEF2F11, 0x8B5A0A, 0x6D1F6D, 0x367ECF,
    0x27CB09, 0xB74F46, 0x3F669E, 0x5FEA2D, 0x7527BA, 0xC7EBE5, 0xF17B3D, 0x0739F7, 0x8A5292,
    0xEA6BFB, 0x5FB11F, 0x8D5D08, 0x560330, 0x46FC7B, 0x6BABF0, 0xCFBC20, 0x9AF436, 0x1DA9E3,
    0x91615E, 0xE61B08, 0x659985, 0x5F14A0, 0x68408D, 0xFFD880, 0x4D7327, 0x310606, 0x1556CA,
    0x73A8C9, 0x60E27B, 0xC08C6B,
};

// pi/2 in 24-bit pieces.
constexpr double kPiOver2Pieces[] = {
    1.57079625129699707031e+00, 7.54978941586159635335e-08, 5.39030252995776476554e-15,
    3.28200341580791294123e-22, 1.27065575308067607349e-29, 1.22933308981111328932e-36,
    2.73370053816464559624e-44, 2.16741683877804819444e-51,
};

constexpr double kTwo24 = 16777216.0;
constexpr double kTwoMinus24 = 5.96046447753906250000e-08;

// Payne-Hanek reduction of a huge argument, given as 24-bit pieces x[0..nx-1] scaled so that
// the argument is sum x[i] x 2^(e0 - 24 i). Writes the remainder to y[0] + y[1] and returns n
// mod 8. All values stay exact integers or exact products until the final sums.
int ReduceHuge(const double* x, double* y, int e0, int nx) {
  constexpr int jk = 4;  // terms for double precision, plus guard pieces
  const int jp = jk;
  int32_t iq[20];
  double f[20];
  double fq[20];
  double q[20];

  const int jx = nx - 1;
  int jv = (e0 - 3) / 24;
  if (jv < 0) jv = 0;
  int q0 = e0 - 24 * (jv + 1);

  // f[0..jx+jk] = the pieces of 2/pi that meet the argument's pieces.
  for (int i = 0, j = jv - jx; i <= jx + jk; ++i, ++j) {
    f[i] = j < 0 ? 0.0 : static_cast<double>(kTwoOverPi[j]);
  }
  for (int i = 0; i <= jk; ++i) {
    double fw = 0.0;
    for (int j = 0; j <= jx; ++j) fw += x[j] * f[jx + i - j];
    q[i] = fw;
  }

  int jz = jk;
  double z;
  int n;
  int ih;
  for (;;) {
    // Distil q[] into 24-bit integers iq[], lowest first.
    int i = 0;
    z = q[jz];
    for (int j = jz; j > 0; ++i, --j) {
      const double fw = static_cast<double>(static_cast<int32_t>(kTwoMinus24 * z));
      iq[i] = static_cast<int32_t>(z - kTwo24 * fw);
      z = q[j - 1] + fw;
    }

    z = std::ldexp(z, q0);
    z -= 8.0 * std::floor(z * 0.125);  // keep the integer part below 8
    n = static_cast<int32_t>(z);
    z -= static_cast<double>(n);
    ih = 0;
    if (q0 > 0) {  // iq[jz-1] holds some of the integer part
      const int32_t k = iq[jz - 1] >> (24 - q0);
      n += k;
      iq[jz - 1] -= k << (24 - q0);
      ih = iq[jz - 1] >> (23 - q0);
    } else if (q0 == 0) {
      ih = iq[jz - 1] >> 23;
    } else if (z >= 0.5) {
      ih = 2;
    }

    if (ih > 0) {  // the fraction is above one half: take 1 - fraction
      n += 1;
      int carry = 0;
      for (int k = 0; k < jz; ++k) {
        const int32_t j = iq[k];
        if (carry == 0) {
          if (j != 0) {
            carry = 1;
            iq[k] = 0x1000000 - j;
          }
        } else {
          iq[k] = 0xffffff - j;
        }
      }
      if (q0 == 1) iq[jz - 1] &= 0x7fffff;
      if (q0 == 2) iq[jz - 1] &= 0x3fffff;
      if (ih == 2) {
        z = 1.0 - z;
        if (carry != 0) z -= std::ldexp(1.0, q0);
      }
    }

    // Too much cancellation: bring in more pieces of 2/pi and start again.
    if (z == 0.0) {
      int32_t any = 0;
      for (int k = jz - 1; k >= jk; --k) any |= iq[k];
      if (any == 0) {
        int k = 1;
        while (iq[jk - k] == 0) ++k;
        for (int m = jz + 1; m <= jz + k; ++m) {
          f[jx + m] = static_cast<double>(kTwoOverPi[jv + m]);
          double fw = 0.0;
          for (int j = 0; j <= jx; ++j) fw += x[j] * f[jx + m - j];
          q[m] = fw;
        }
        jz += k;
        continue;
      }
    }
    break;
  }

  // Drop zero pieces, or split the last value into 24-bit pieces.
  if (z == 0.0) {
    jz -= 1;
    q0 -= 24;
    while (iq[jz] == 0) {
      --jz;
      q0 -= 24;
    }
  } else {
    z = std::ldexp(z, -q0);
    if (z >= kTwo24) {
      const double fw = static_cast<double>(static_cast<int32_t>(kTwoMinus24 * z));
      iq[jz] = static_cast<int32_t>(z - kTwo24 * fw);
      jz += 1;
      q0 += 24;
      iq[jz] = static_cast<int32_t>(fw);
    } else {
      iq[jz] = static_cast<int32_t>(z);
    }
  }

  double fw = std::ldexp(1.0, q0);
  for (int i = jz; i >= 0; --i) {
    q[i] = fw * static_cast<double>(iq[i]);
    fw *= kTwoMinus24;
  }
  // The fraction times pi/2.
  for (int i = jz; i >= 0; --i) {
    double sum = 0.0;
    for (int k = 0; k <= jp && k <= jz - i; ++k) sum += kPiOver2Pieces[k] * q[i + k];
    fq[jz - i] = sum;
  }
  double sum = 0.0;
  for (int i = jz; i >= 0; --i) sum += fq[i];
  y[0] = ih == 0 ? sum : -sum;
  sum = fq[0] - sum;
  for (int i = 1; i <= jz; ++i) sum += fq[i];
  y[1] = ih == 0 ? sum : -sum;
  return n & 7;
}

}  // namespace

QuarterTurns ReduceQuarterTurns(double x) {
  constexpr double kInvPiOver2 = 6.36619772367581382433e-01;
  // pi/2 as three 33-bit pieces, each with the tail that follows it.
  constexpr double kPio2_1 = 1.57079632673412561417e+00;
  constexpr double kPio2_1t = 6.07710050650619224932e-11;
  constexpr double kPio2_2 = 6.07710050630396597660e-11;
  constexpr double kPio2_2t = 2.02226624879595063154e-21;
  constexpr double kPio2_3 = 2.02226624871116645580e-21;
  constexpr double kPio2_3t = 8.47842766036889956997e-32;
  constexpr double kToInteger = 6755399441055744.0;  // 1.5 x 2^52: adding it rounds to integer

  const uint32_t ix = HighWord(x) & 0x7fffffff;
  if (ix <= 0x3fe921fb) return {0, x, 0.0};  // |x| <= about pi/4: nothing to reduce
  if (ix >= 0x7ff00000) {
    const double nan = x - x;
    return {0, nan, nan};
  }

  if (ix < 0x413921fb) {  // |x| < 2^20 x pi/2: Cody-Waite with up to three pieces of pi/2
    const double fn = (x * kInvPiOver2 + kToInteger) - kToInteger;
    const int32_t n = static_cast<int32_t>(fn);
    double r = x - fn * kPio2_1;
    double w = fn * kPio2_1t;
    double hi = r - w;
    const int exponent = static_cast<int>(ix >> 20);
    if (exponent - static_cast<int>((HighWord(hi) >> 20) & 0x7ff) > 16) {
      // Cancellation: subtract the next piece of pi/2.
      double t = r;
      w = fn * kPio2_2;
      r = t - w;
      w = fn * kPio2_2t - ((t - r) - w);
      hi = r - w;
      if (exponent - static_cast<int>((HighWord(hi) >> 20) & 0x7ff) > 49) {
        t = r;
        w = fn * kPio2_3;
        r = t - w;
        w = fn * kPio2_3t - ((t - r) - w);
        hi = r - w;
      }
    }
    const double lo = (r - hi) - w;
    return {static_cast<int>(n & 3), hi, lo};
  }

  // Huge |x|: split it into three 24-bit pieces and reduce with the long 2/pi.
  const uint64_t bits = std::bit_cast<uint64_t>(x) & 0x7fffffffffffffffull;
  const int e0 = static_cast<int>(ix >> 20) - 1046;  // scale so that the first piece is < 2^24
  double z = std::bit_cast<double>(bits - (static_cast<uint64_t>(e0) << 52));
  double pieces[3];
  for (int i = 0; i < 2; ++i) {
    pieces[i] = static_cast<double>(static_cast<int32_t>(z));
    z = (z - pieces[i]) * kTwo24;
  }
  pieces[2] = z;
  int nx = 3;
  while (nx > 1 && pieces[nx - 1] == 0.0) --nx;
  double y[2];
  const int n = ReduceHuge(pieces, y, e0, nx);
  if (x < 0) return {(-n) & 3, -y[0], -y[1]};
  return {n & 3, y[0], y[1]};
}

}  // namespace orv
