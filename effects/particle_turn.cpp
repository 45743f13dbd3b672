#include "effects/particle_turn.h"

#include "core/arith.h"

#ifdef ORV_TURN_LANES
#include <emmintrin.h>
#endif

namespace orv {
namespace {

// A particle's brightness, in 1/256 units, runs across kShadeRange from kFarShade on the far
// side of the shape: 40 there, 168 at the centre's depth, 296 on the near side.
constexpr int32_t kFarShade = 40;
constexpr int32_t kShadeRange = 256;

// A zero radius would divide by zero; no kind builds one, but an unbuilt shape has it. Twice
// the radius is even, never -1: the plain division can't overflow.
int32_t DepthSpan(int32_t radius) {
  return radius != 0 ? WrapMul(2, radius) : 1;
}

void TurnOne(Particle& p, const Turn& t, int32_t depthSpan) {
  const int32_t x = p.modelX, y = p.modelY, z = p.modelZ;
  const Vec3i& c = t.cosine;
  const Vec3i& s = t.sine;
  // About the y axis, then the x axis, then the z axis.
  const int32_t x1 = WrapAdd(FixedMul(x, c.y), FixedMul(z, s.y));
  const int32_t z1 = WrapSub(FixedMul(z, c.y), FixedMul(x, s.y));
  const int32_t y2 = WrapSub(FixedMul(y, c.x), FixedMul(z1, s.x));
  const int32_t z2 = WrapAdd(FixedMul(z1, c.x), FixedMul(y, s.x));
  const int32_t x3 = WrapSub(FixedMul(x1, c.z), FixedMul(y2, s.z));
  const int32_t y3 = WrapAdd(FixedMul(y2, c.z), FixedMul(x1, s.z));
  p.brightness = WrapAdd(WrapMul(WrapSub(t.radius, z2), kShadeRange) / depthSpan, kFarShade);
  p.x = WrapAdd(x3, t.offset.x);
  p.y = WrapAdd(y3, t.offset.y);
  p.z = WrapAdd(z2, t.offset.z);
}

#ifdef ORV_TURN_LANES

// A coefficient c within +-65536 as high x 65536 + low, high in {-1, 0, 1}, low in 0 to 65535,
// in all eight 16-bit lanes.
struct Coefficient {
  explicit Coefficient(int32_t c)
      : low(_mm_set1_epi16(static_cast<int16_t>(c & 0xFFFF))),
        high(_mm_set1_epi16(static_cast<int16_t>(c >> 16))) {}
  __m128i low;
  __m128i high;
};

// FixedMul in each lane, exactly, for |a| < 32768 (the result is no larger than a): a x high +
// floor(a x low / 65536). The unsigned high product reads a negative a as a + 65536, which
// adds low to the result; `aNegative` takes it away again.
__m128i FixedMul8(__m128i a, __m128i aNegative, const Coefficient& c) {
  const __m128i part = _mm_sub_epi16(_mm_mulhi_epu16(a, c.low), _mm_and_si128(c.low, aNegative));
  return _mm_add_epi16(part, _mm_mullo_epi16(a, c.high));
}

// All ones in the lanes where a is negative.
__m128i Negative(__m128i a) {
  return _mm_srai_epi16(a, 15);
}

// The low 16 bits of a model coordinate of eight particles.
template <int32_t Particle::*field>
__m128i Gather(const Particle* p) {
  __m128i v = _mm_cvtsi32_si128(p[0].*field);
  v = _mm_insert_epi16(v, p[1].*field, 1);
  v = _mm_insert_epi16(v, p[2].*field, 2);
  v = _mm_insert_epi16(v, p[3].*field, 3);
  v = _mm_insert_epi16(v, p[4].*field, 4);
  v = _mm_insert_epi16(v, p[5].*field, 5);
  v = _mm_insert_epi16(v, p[6].*field, 6);
  return _mm_insert_epi16(v, p[7].*field, 7);
}

// Lanes 0-3 (Half 0) or 4-7 (Half 1) of eight 16-bit values, sign-extended to 32 bits.
template <int Half>
__m128i Widen(__m128i v) {
  const __m128i pairs = Half == 0 ? _mm_unpacklo_epi16(v, v) : _mm_unpackhi_epi16(v, v);
  return _mm_srai_epi32(pairs, 16);
}

// n / span + kFarShade in four 32-bit lanes, the quotient truncated toward zero. Exact through
// doubles: for |n| < 2^53 the rounded quotient never reaches the next integer.
__m128i Brightness(__m128i n, __m128d span) {
  const __m128i low = _mm_cvttpd_epi32(_mm_div_pd(_mm_cvtepi32_pd(n), span));
  const __m128i high = _mm_cvttpd_epi32(_mm_div_pd(_mm_cvtepi32_pd(_mm_srli_si128(n, 8)), span));
  return _mm_add_epi32(_mm_unpacklo_epi64(low, high), _mm_set1_epi32(kFarShade));
}

struct Lanes {
  explicit Lanes(const Turn& t, int32_t depthSpan)
      : cosX(t.cosine.x),
        sinX(t.sine.x),
        cosY(t.cosine.y),
        sinY(t.sine.y),
        cosZ(t.cosine.z),
        sinZ(t.sine.z),
        offsetX(_mm_set1_epi32(t.offset.x)),
        offsetY(_mm_set1_epi32(t.offset.y)),
        offsetZ(_mm_set1_epi32(t.offset.z)),
        radius(_mm_set1_epi32(t.radius)),
        span(_mm_set1_pd(depthSpan)) {}
  Coefficient cosX, sinX, cosY, sinY, cosZ, sinZ;
  __m128i offsetX, offsetY, offsetZ, radius;
  __m128d span;
};

// TurnOne for eight particles whose model coordinates are narrow, under a turn whose
// coefficients lie within +-65536 and whose radius keeps (radius - z) x 256 within 32 bits.
void TurnEight(Particle* p, const Lanes& k) {
  const __m128i x = Gather<&Particle::modelX>(p);
  const __m128i y = Gather<&Particle::modelY>(p);
  const __m128i z = Gather<&Particle::modelZ>(p);
  const __m128i xn = Negative(x), yn = Negative(y), zn = Negative(z);
  const __m128i x1 = _mm_add_epi16(FixedMul8(x, xn, k.cosY), FixedMul8(z, zn, k.sinY));
  const __m128i z1 = _mm_sub_epi16(FixedMul8(z, zn, k.cosY), FixedMul8(x, xn, k.sinY));
  const __m128i x1n = Negative(x1), z1n = Negative(z1);
  const __m128i y2 = _mm_sub_epi16(FixedMul8(y, yn, k.cosX), FixedMul8(z1, z1n, k.sinX));
  const __m128i z2 = _mm_add_epi16(FixedMul8(z1, z1n, k.cosX), FixedMul8(y, yn, k.sinX));
  const __m128i y2n = Negative(y2);
  const __m128i x3 = _mm_sub_epi16(FixedMul8(x1, x1n, k.cosZ), FixedMul8(y2, y2n, k.sinZ));
  const __m128i y3 = _mm_add_epi16(FixedMul8(y2, y2n, k.cosZ), FixedMul8(x1, x1n, k.sinZ));

  alignas(16) int32_t xs[8], ys[8], zs[8], bs[8];
  const __m128i z2a = Widen<0>(z2), z2b = Widen<1>(z2);
  _mm_store_si128(reinterpret_cast<__m128i*>(xs), _mm_add_epi32(Widen<0>(x3), k.offsetX));
  _mm_store_si128(reinterpret_cast<__m128i*>(xs + 4), _mm_add_epi32(Widen<1>(x3), k.offsetX));
  _mm_store_si128(reinterpret_cast<__m128i*>(ys), _mm_add_epi32(Widen<0>(y3), k.offsetY));
  _mm_store_si128(reinterpret_cast<__m128i*>(ys + 4), _mm_add_epi32(Widen<1>(y3), k.offsetY));
  _mm_store_si128(reinterpret_cast<__m128i*>(zs), _mm_add_epi32(z2a, k.offsetZ));
  _mm_store_si128(reinterpret_cast<__m128i*>(zs + 4), _mm_add_epi32(z2b, k.offsetZ));
  static_assert(kShadeRange == 1 << 8);  // the shift below multiplies by it
  const __m128i na = _mm_slli_epi32(_mm_sub_epi32(k.radius, z2a), 8);
  const __m128i nb = _mm_slli_epi32(_mm_sub_epi32(k.radius, z2b), 8);
  _mm_store_si128(reinterpret_cast<__m128i*>(bs), Brightness(na, k.span));
  _mm_store_si128(reinterpret_cast<__m128i*>(bs + 4), Brightness(nb, k.span));
  for (int i = 0; i < 8; ++i) {
    p[i].x = xs[i];
    p[i].y = ys[i];
    p[i].z = zs[i];
    p[i].brightness = bs[i];
  }
}

bool WithinOneTurn(int32_t c) {
  return c >= -kFixedOne && c <= kFixedOne;
}

// Whether the eight-lane turn gives TurnOne's results exactly for this turn and these models.
bool LanesFit(const Turn& t, uint32_t largestModel) {
  // The radius keeps (radius - z) x 256 far from the 32-bit limit, as every shape's does.
  constexpr int32_t kLargestRadius = 1 << 20;
  return largestModel <= kNarrowModel && t.radius >= -kLargestRadius &&
         t.radius <= kLargestRadius && WithinOneTurn(t.cosine.x) && WithinOneTurn(t.cosine.y) &&
         WithinOneTurn(t.cosine.z) && WithinOneTurn(t.sine.x) && WithinOneTurn(t.sine.y) &&
         WithinOneTurn(t.sine.z);
}

#endif

}  // namespace

void TurnParticles(Particle* particles, int32_t first, int32_t end, const Turn& turn,
                   uint32_t largestModel) {
  const int32_t depthSpan = DepthSpan(turn.radius);
  int32_t i = first;
#ifdef ORV_TURN_LANES
  if (LanesFit(turn, largestModel)) {
    const Lanes lanes(turn, depthSpan);
    for (; end - i >= 8; i += 8) TurnEight(particles + i, lanes);
  }
#else
  (void)largestModel;
#endif
  for (; i < end; ++i) TurnOne(particles[i], turn, depthSpan);
}

}  // namespace orv
