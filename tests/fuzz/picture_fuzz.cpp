// The picture reader: the input is a picture as a BITMAP resource holds it (header, colour
// table, rows). It is refused, or read in place and turned into at most 1000 particles; the
// check values never match anything but the built-in pictures.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "core/render_host.h"
#include "effects/picture_check.h"
#include "effects/shape_effect.h"
#include "effects/shape_image.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

struct StillClock final : orv::TickSource {
  uint32_t GetTickCount() override { return 0; }
};

uint32_t Read32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  // A copy of exactly `size` bytes, so that AddressSanitizer sees any read beyond them.
  auto* bytes = static_cast<uint8_t*>(std::malloc(size == 0 ? 1 : size));
  if (size > 0) std::memcpy(bytes, data, size);

  for (const char* name : {"BANNER", "ORLOGO", "YINYANG"}) {
    const orv::PictureCheck* check = orv::FindPictureCheck(name);
    ORV_FUZZ_CHECK(check != nullptr);
    const bool matches =
        orv::PictureCheckProblem(name, bytes, static_cast<uint32_t>(size)) == nullptr;
    ORV_FUZZ_CHECK(matches == (size == check->size && orv::Crc32(bytes, size) == check->crc));
  }

  const orv::ShapeImage image(size == 0 ? nullptr : bytes, static_cast<uint32_t>(size));
  StillClock clock;
  orv::ShapeEffect shape(orv::ShapeEffect::Unbuilt{}, clock);
  if (image.Problem() == nullptr) {
    // Only uncompressed 8-bit bottom-up pictures are read.
    ORV_FUZZ_CHECK(size >= 40);
    ORV_FUZZ_CHECK(bytes[14] == 8 && bytes[15] == 0);
    ORV_FUZZ_CHECK(Read32(bytes + 16) == 0);
    ORV_FUZZ_CHECK(image.Width() > 0 && image.Height() > 0);
    for (const int32_t size3d : {3500, 3000, 2400}) {
      shape.count = 0;
      shape.AddImage(image, size3d);
      ORV_FUZZ_CHECK(shape.count >= 0 && shape.count <= orv::ShapeEffect::kCapacity);
    }
  } else {
    shape.AddImage(image, 3000);
    ORV_FUZZ_CHECK(shape.count == 0);
  }
  std::free(bytes);
  return 0;
}
