// The saver's picture source: the BITMAP resources linked into this program, read through
// FindResourceA, LoadResource, LockResource and FreeResource, hold exactly the bytes that the
// portable builds embed, and pass their checks.
#include <gtest/gtest.h>

#include <cstring>

#include "core/render_host.h"
#include "effects/embedded_pictures.h"
#include "effects/picture_source.h"
#include "effects/shape_effect.h"
#include "effects/shape_image.h"

namespace orv {
namespace {

struct NoClock final : TickSource {
  uint32_t GetTickCount() override { return 0; }
};

TEST(ResourcePictures, HoldTheEmbeddedBytesAndPassTheirChecks) {
  for (const char* name : {"BANNER", "ORLOGO", "YINYANG"}) {
    PictureResource picture;
    ASSERT_TRUE(LockPicture(name, picture)) << name;
    EXPECT_NE(picture.handle, nullptr);
    const EmbeddedPictureBytes embedded = EmbeddedPicture(name);
    ASSERT_EQ(picture.size, embedded.size) << name;
    EXPECT_EQ(std::memcmp(picture.data, embedded.data, embedded.size), 0) << name;
    UnlockPicture(picture);
    EXPECT_EQ(picture.data, nullptr);

    const ShapeImage image(name);  // checked, or the program ends
    EXPECT_EQ(image.Problem(), nullptr);
    NoClock clock;
    ShapeEffect shape(ShapeEffect::Unbuilt{}, clock);
    shape.AddImage(name, 3000);
    EXPECT_GT(shape.count, 0) << name;
  }
}

TEST(ResourcePictures, AnUnknownNameIsNotFound) {
  PictureResource picture;
  EXPECT_FALSE(LockPicture("NOSUCH", picture));
  EXPECT_FALSE(LockPicture("DIALOG", picture));
}

TEST(ResourcePicturesDeathTest, AMissingPictureEndsTheProgramWithExitCode3) {
  EXPECT_EXIT(ShapeImage("NOSUCH"), ::testing::ExitedWithCode(3), "");
}

}  // namespace
}  // namespace orv
