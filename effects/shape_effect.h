// A cloud of up to 1000 particles forming one of eleven shapes: built once, at construction,
// from random choices (shape, angles, spins, how it arrives, how long it stays, how it
// leaves); then turned, placed and drawn every frame until its departure is over.
#pragma once

#include <cstdint>
#include <memory>

#include "core/frame_view.h"
#include "core/render_host.h"
#include "core/square_pen.h"
#include "core/surface_lock.h"
#include "core/vec3.h"
#include "effects/effect.h"
#include "effects/particle.h"
#include "effects/particle_turn.h"

namespace orv {

class ShapeImage;

// The decimal pi and 2 pi of the shapes' angle loops and of their angle reduction. Their
// rounding decides how many times each loop runs, and with it how many particles a shape has.
inline constexpr double kPi = 3.1415926535;
inline constexpr double kTwoPi = 2 * kPi;
static_assert(kTwoPi == 6.283185307);

enum class ShapeKind : uint32_t {
  Sphere = 0,
  RingedSphere = 1,
  Rings = 2,
  Coil = 3,
  Torus = 4,
  EmblemSlowRoll = 5,
  Goblet = 6,
  Bead = 7,
  YinYang = 8,
  CubeFrame = 9,
  Emblem = 10,
};
inline constexpr int32_t kShapeKinds = 11;

// The two kinds that show the maker's emblem or the banner; they differ only in their z spin.
constexpr bool ShowsEmblemOrBanner(ShapeKind kind) {
  return kind == ShapeKind::EmblemSlowRoll || kind == ShapeKind::Emblem;
}

enum class ArrivalMode : int32_t { FlyIn = 0, Materialise = 1 };
enum class DepartureMode : int32_t { FlyAway = 0, Dissolve = 1 };

class ShapeEffect final : public Effect {
 public:
  static constexpr int32_t kCapacity = 1000;
  static constexpr int32_t RestDepth = 7400;           // depth of the centre of a shape at rest
  static constexpr Vec3i kRestPlace{0, 0, RestDepth};  // the centre's place at rest
  // The timeline, in milliseconds since construction: an arrival of kPhase (a materialising
  // shape shows its particles over kAppearing, then eases its spin over kSpinRamp), a rest
  // until `lifetime`, and a departure of kPhase.
  static constexpr int32_t kPhase = 8000;
  static constexpr int32_t kAppearing = 3000;
  static constexpr int32_t kSpinRamp = kPhase - kAppearing;
  static constexpr int32_t kShortestLifetime = 10000;
  static constexpr int32_t kLongestLifetime = 32000;

  // Builds a whole shape from random draws. `firstShapeDone` is its run's (a run's shape
  // source keeps it): until it is set, a kind that ShowsEmblemOrBanner is drawn again, and
  // then it is set. When the particle array can't be allocated, `particles` stays null and
  // nothing is drawn; RandomShapes then discards the shape.
  ShapeEffect(const FrameView& view, TickSource& clock, bool& firstShapeDone);
  // An empty shape: the particle array and nothing else, for building a shape piece by piece.
  struct Unbuilt {};
  ShapeEffect(Unbuilt, TickSource& clock);
  ShapeEffect(const ShapeEffect&) = delete;
  ShapeEffect& operator=(const ShapeEffect&) = delete;

  void Step(const FrameView& view) override;
  void Draw(SurfaceLock& lock, const FrameView& view) override;

  // Offsets, shown range and spins for the time since construction; advances the angles.
  void UpdateTimeline();

  // The particles and `radius` of one kind (picture kinds draw one random number).
  void BuildKind(ShapeKind shapeKind);
  // One particle per non-black pixel of the named picture, `size` model units wide, up to the
  // capacity. A picture that fails its check ends the program.
  void AddImage(const char* name, int32_t size);
  void AddImage(const ShapeImage& image, int32_t size);
  // Appends a particle at model position (x, y, z); false when the array is full (or was
  // never allocated).
  bool AddParticle(int32_t x, int32_t y, int32_t z, uint32_t particleColour);

  int32_t count = 0;          // particles built
  uint32_t largestModel = 0;  // the largest magnitude of their model coordinates, where
                              // the build turns particles in lanes (kTurnInLanes)
  int32_t shownEnd = 0;       // indices below this are shown (grows while materialising)
  int32_t firstShown = 0;     // indices below this are retired (grows while dissolving)
  std::unique_ptr<Particle[]> particles;
  ShapeKind kind = ShapeKind::Sphere;
  int32_t radius = 0;
  Vec3d angle;   // radians about the x, y and z axes
  Vec3i offset;  // the centre's place in view space
  ArrivalMode arrival = ArrivalMode::FlyIn;
  DepartureMode departure = DepartureMode::FlyAway;
  int32_t lifetime = 0;  // milliseconds from construction to the start of the departure
  uint32_t lastTick = 0;
  uint32_t startTick = 0;
  Vec3d spin;        // radians per millisecond
  Vec3d startSpin;   // while materialising
  Vec3d cruiseSpin;  // at rest
  Vec3i start;       // the centre's place where a fly-in starts
  Vec3i end;         // and where a fly-away ends

 private:
  TickSource& clock;
};

// a + (b - a) x (d / c)^2, truncated: a at d = 0, b at d = c, and on along the same parabola
// beyond c.
int32_t Ease(int32_t a, int32_t b, int32_t c, int32_t d);
// The same for each coordinate.
Vec3i Ease(const Vec3i& a, const Vec3i& b, int32_t c, int32_t d);

// A depth beyond the rest depth moved `stretch` times as far beyond it; nearer depths as they
// are. Arrivals start up to 92200 deep (stretch 4), departures end up to 71000 (stretch 3).
int32_t StretchDepth(int32_t z, int32_t stretch);

// A centre position just outside one of the four sides of the view at depth z, far enough
// out that a shape of this radius is wholly off screen there. Draws three random numbers.
void DrawOffscreenPlace(const FrameView& view, int32_t radius, int32_t z, int32_t& x, int32_t& y);

}  // namespace orv
