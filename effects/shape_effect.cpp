#include "effects/shape_effect.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "core/arith.h"
#include "core/colour.h"
#include "core/random.h"
#include "core/trig.h"
#include "effects/star_field.h"

namespace orv {

bool firstShapeDone = false;

namespace {

constexpr double kTwoPi = 6.283185307;

int32_t FixedSine(double (*function)(double), double angle) {
  return TruncToInt32(function(angle) * 65536.0);
}

double DrawAngle() {
  return ScaledRand(314) / 50.0;
}

double DrawSpin() {
  return (ScaledRand(2400) - 1200) / 1000000.0;
}

double DrawStartSpin() {
  return ((ScaledRand(2000) - 1000) / 1000000.0) / 10.0;
}

// count x t / span kept within 0 to count, in 64 bits: a very long gap between two frames
// leaves all particles shown (or retired) instead of overflowing.
int32_t Proportion(int32_t count, int32_t t, int32_t span) {
  const int64_t part = int64_t{count} * t / span;
  if (part > count) return count;
  if (part < 0) return 0;
  return static_cast<int32_t>(part);
}

}  // namespace

int32_t StretchDepth(int32_t z, int32_t stretch) {
  if (z <= ShapeEffect::RestDepth) return z;
  return WrapAdd(ShapeEffect::RestDepth, WrapMul(stretch, z - ShapeEffect::RestDepth));
}

void DrawOffscreenPlace(const FrameView& view, int32_t radius, int32_t z, int32_t& x, int32_t& y) {
  // A window under 2 pixels wide has no focal length; treat it as 1.
  const int32_t f = view.focalLength > 0 ? view.focalLength : 1;
  const int32_t edgeX = WrapDiv(WrapMul(z, view.halfWidth), f);
  const int32_t edgeY = WrapDiv(WrapMul(z, view.halfHeight), f);
  if (rand() % 10 < 5) {  // left or right side
    x = WrapAdd(WrapMul(2, radius), edgeX);
    y = WrapSub(ScaledRand(WrapMul(2, edgeY)), edgeY);
    if (rand() % 10 < 5) x = WrapSub(0, x);
  } else {  // top or bottom side
    x = WrapSub(ScaledRand(WrapMul(2, edgeX)), edgeX);
    y = WrapAdd(WrapMul(2, radius), edgeY);
    if (rand() % 10 < 5) y = WrapSub(0, y);
  }
}

void Particle::InitParticle(int32_t px, int32_t py, int32_t pz, uint32_t c) {
  modelX = x = px;
  modelY = y = py;
  modelZ = z = pz;
  screenX = screenY = ScreenPoint::kUnplaced;
  brightness = 255;
  colour = c;
}

int32_t Ease(int32_t a, int32_t b, int32_t c, int32_t d) {
  const double k = static_cast<double>(WrapSub(b, a)) / (static_cast<double>(c) * c);
  const double dd = static_cast<double>(d);
  return TruncToInt32(dd * dd * k + a);
}

Vec3i Ease(const Vec3i& a, const Vec3i& b, int32_t c, int32_t d) {
  return {Ease(a.x, b.x, c, d), Ease(a.y, b.y, c, d), Ease(a.z, b.z, c, d)};
}

ShapeEffect::ShapeEffect(Unbuilt, TickSource& ticks)
    : particles(new (std::nothrow) Particle[kCapacity]), clock(ticks) {}

ShapeEffect::ShapeEffect(const FrameView& view, TickSource& ticks) : ShapeEffect(Unbuilt{}, ticks) {
  if (particles == nullptr) return;

  auto drawKind = [] { return static_cast<uint32_t>(rand() % 110 / 10); };
  kind = drawKind();
  if (!firstShapeDone) {
    while (kind == 5 || kind == 10) kind = drawKind();
    firstShapeDone = true;
  }
  BuildKind(static_cast<ShapeKind>(kind));
  radius += radius / 10;

  // A braced list draws its x, then its y, then its z.
  angle = {DrawAngle(), DrawAngle(), DrawAngle()};
  cruiseSpin = spin = {DrawSpin(), DrawSpin(), DrawSpin()};
  if (kind == static_cast<uint32_t>(ShapeKind::EmblemSlowRoll)) cruiseSpin.z = spin.z = spin.z / 3;

  if (rand() % 10 < 3) {
    arrival = ArrivalMode::Materialise;
    startSpin = spin = {DrawStartSpin(), DrawStartSpin(), DrawStartSpin()};
  } else {
    arrival = ArrivalMode::FlyIn;
    start.z = StretchDepth(ScaledRand(36000) - RestDepth, 4);
    DrawOffscreenPlace(view, radius, start.z, start.x, start.y);
  }

  lifetime = ScaledRand(22000) + 10000;

  if (rand() % 10 < 3) {
    departure = DepartureMode::Dissolve;
  } else {
    departure = DepartureMode::FlyAway;
    end.z = StretchDepth(ScaledRand(36000) - RestDepth, 3);
    DrawOffscreenPlace(view, radius, end.z, end.x, end.y);
  }

  // Shuffled particles appear and retire in random order instead of build order. A shape
  // without particles has nothing to shuffle.
  const bool shuffle = (arrival == ArrivalMode::Materialise && rand() % 10 > 4) ||
                       (departure == DepartureMode::Dissolve && rand() % 10 < 5);
  if (shuffle && count > 0) {
    for (int32_t i = 0; i < count; ++i) std::swap(particles[i], particles[rand() % count]);
  }

  startTick = lastTick = clock.GetTickCount();
  firstShown = 0;
}

bool ShapeEffect::AddParticle(int32_t x, int32_t y, int32_t z, uint32_t particleColour) {
  if (particles == nullptr || count >= kCapacity) return false;
  particles[count].InitParticle(x, y, z, particleColour);
  if constexpr (kTurnInLanes) {
    largestModel = std::max(largestModel, LargestModelCoordinate(particles[count]));
  }
  ++count;
  return true;
}

void ShapeEffect::UpdateTimeline() {
  const uint32_t now = clock.GetTickCount();
  const int32_t dt = static_cast<int32_t>(now - lastTick);
  lastTick = now;
  const int32_t t = static_cast<int32_t>(now - startTick);

  if (t < kPhase) {
    if (arrival == ArrivalMode::Materialise) {
      offset.z = RestDepth;
      if (t < 3000) {
        shownEnd = Proportion(count, t, 3000);
      } else {
        const double u = t - 3000;
        spin = (cruiseSpin - startSpin) * u / 5000 + startSpin;
        shownEnd = count;
      }
    } else {
      shownEnd = count;
      offset = Ease(kRestPlace, start, kPhase, WrapSub(kPhase, t));
    }
  } else if (t < lifetime) {
    offset = kRestPlace;
    shownEnd = count;
    spin = cruiseSpin;
  } else {
    const int32_t u = t - lifetime;  // t >= lifetime > 0: no overflow
    if (u > kPhase) finished = true;
    if (departure == DepartureMode::Dissolve) {
      firstShown = Proportion(count, u, kPhase);
    } else {
      shownEnd = count;
      offset = Ease(kRestPlace, end, kPhase, u);
    }
  }

  angle += spin * dt;
}

void ShapeEffect::Step(const FrameView&) {
  UpdateTimeline();
  angle = {std::fmod(angle.x, kTwoPi), std::fmod(angle.y, kTwoPi), std::fmod(angle.z, kTwoPi)};
  Turn turn;
  turn.cosine = {FixedSine(Cos, angle.x), FixedSine(Cos, angle.y), FixedSine(Cos, angle.z)};
  turn.sine = {FixedSine(Sin, angle.x), FixedSine(Sin, angle.y), FixedSine(Sin, angle.z)};
  turn.offset = offset;
  turn.radius = radius;
  TurnParticles(particles.get(), firstShown, shownEnd, turn, largestModel);
}

void ShapeEffect::Draw(SurfaceLock& lock, const FrameView& view) {
  SquarePen(lock, SquareSize(lock.Width())).Visit([&](const auto plot) {
    // Copies the compiler may keep in registers: the pixel stores could alias the originals.
    const Projection project(view);
    Particle* const p = particles.get();
    const int32_t retired = firstShown;
    const int32_t shown = shownEnd;
    for (int32_t i = 0; i < retired; ++i) p[i].PlotParticle(plot, true);
    // Each particle's old square is erased shortly before its new one is drawn, ten at a time,
    // so that little flicker shows without a back buffer.
    for (int32_t group = retired; group < shown; group += 10) {
      const int32_t groupEnd = shown - group < 10 ? shown : group + 10;
      for (int32_t i = group; i < groupEnd; ++i) p[i].PlotParticle(plot, true);
      for (int32_t i = group; i < groupEnd; ++i) {
        if (project(p[i])) p[i].PlotParticle(plot, false);
      }
    }
  });
}

}  // namespace orv
