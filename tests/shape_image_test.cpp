// Pictures: reading them in place, turning their pixels into particles, and refusing damaged
// or malformed ones.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "effects/embedded_pictures.h"
#include "effects/picture_check.h"
#include "effects/shape_effect.h"
#include "effects/shape_image.h"
#include "frontend/memory_frame.h"
#include "tests/test_support.h"

namespace orv {
namespace {

using test::ManualClock;

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// An in-memory picture as a BITMAP resource holds it: header, colour table, rows bottom-up.
// rows[0] is the top row, one colour index per character ('0' + index).
struct Fixture {
  int32_t width;
  std::vector<std::string> rows;
  std::vector<uint32_t> table = {0, 0x00FFFFFF};
  uint32_t clrUsed = 0;  // 0: a full table of 256 entries
  uint32_t headerSize = 40;

  std::vector<uint8_t> Bytes() const {
    const uint32_t entries = clrUsed != 0 ? clrUsed : 256;
    const uint32_t stride = (static_cast<uint32_t>(width) + 3) / 4 * 4;
    const auto height = static_cast<uint32_t>(rows.size());
    std::vector<uint8_t> bytes(headerSize + 4 * entries + stride * height, 0);
    Put32(bytes, 0, headerSize);
    Put32(bytes, 4, static_cast<uint32_t>(width));
    Put32(bytes, 8, height);
    bytes[12] = 1;  // planes
    bytes[14] = 8;  // bits per pixel
    Put32(bytes, 32, clrUsed);
    for (size_t k = 0; k < table.size() && k < entries; ++k)
      Put32(bytes, headerSize + 4 * k, table[k]);
    const size_t pixels = headerSize + 4 * entries;
    for (uint32_t j = 0; j < height; ++j) {
      const std::string& row = rows[height - 1 - j];
      for (size_t i = 0; i < row.size(); ++i) {
        bytes[pixels + j * stride + i] = static_cast<uint8_t>(row[i] - '0');
      }
    }
    return bytes;
  }
};

struct Built {
  std::vector<std::array<int32_t, 3>> points;
  std::vector<uint32_t> colours;
};

Built AddPicture(const std::vector<uint8_t>& bytes, int32_t size) {
  ManualClock clock;
  ShapeEffect shape(ShapeEffect::Unbuilt{}, clock);
  const ShapeImage image(bytes.data(), static_cast<uint32_t>(bytes.size()));
  EXPECT_EQ(image.Problem(), nullptr);
  shape.AddImage(image, size);
  Built built;
  for (int32_t i = 0; i < shape.count; ++i) {
    const Particle& p = shape.particles[i];
    built.points.push_back({p.modelX, p.modelY, p.modelZ});
    built.colours.push_back(p.colour);
  }
  return built;
}

std::vector<int32_t> Column(const Built& b, int axis) {
  std::vector<int32_t> v;
  for (const auto& p : b.points) v.push_back(p[axis]);
  return v;
}

TEST(AddImage, ColumnsSpreadOverTheWidthCentredLeftToRight) {
  struct Case {
    int32_t width, size;
    std::vector<int32_t> x;
  };
  const Case cases[] = {
      {4, 3000, {-1500, -750, 0, 750}},
      {5, 2400, {-960, -480, 0, 480, 960}},
      {7, 3500, {-1500, -1000, -500, 0, 500, 1000, 1500}},
  };
  for (const Case& c : cases) {
    Fixture f{c.width, {std::string(static_cast<size_t>(c.width), '1')}};
    const Built b = AddPicture(f.Bytes(), c.size);
    EXPECT_EQ(Column(b, 0), c.x) << c.width;
    for (int32_t y : Column(b, 1)) EXPECT_EQ(y, 0);
  }
}

TEST(AddImage, RowsRunBottomUpAlongZScaledByTheWidth) {
  // Column by column, bottom row first; z = size x (j - H/2) / W.
  Fixture f{4, {"1001", "1100"}};
  const Built b = AddPicture(f.Bytes(), 3000);
  const std::vector<std::array<int32_t, 3>> expected = {
      {-1500, 0, -750}, {-1500, 0, 0}, {-750, 0, -750}, {750, 0, 0}};
  EXPECT_EQ(b.points, expected);
}

TEST(ShapeImage, RowStrideIsTheRowRoundedUpToWholeFourByteUnits) {
  for (auto [width, stride] : {std::pair{10, 12}, {12, 12}, {13, 16}, {1, 4}}) {
    Fixture f{width, {std::string(static_cast<size_t>(width), '1')}};
    const std::vector<uint8_t> bytes = f.Bytes();
    const ShapeImage image(bytes.data(), static_cast<uint32_t>(bytes.size()));
    EXPECT_EQ(image.rowStride, stride) << width;
  }
}

TEST(ShapeImage, PixelsFollowTheColourTableItsEntriesCountOr256) {
  for (auto [clrUsed, offset] : {std::pair{0u, 1024}, {16u, 64}, {2u, 8}}) {
    Fixture f{2, {"10"}};
    f.clrUsed = clrUsed;
    const std::vector<uint8_t> bytes = f.Bytes();
    const ShapeImage image(bytes.data(), static_cast<uint32_t>(bytes.size()));
    EXPECT_EQ(image.colourTable, bytes.data() + 40);
    EXPECT_EQ(image.pixels - image.colourTable, offset) << clrUsed;
    EXPECT_EQ(AddPicture(bytes, 100).points.size(), 1u);
  }
  Fixture wide{2, {"11"}};
  wide.headerSize = 52;  // a longer header: the table starts after it
  const std::vector<uint8_t> bytes = wide.Bytes();
  const ShapeImage image(bytes.data(), static_cast<uint32_t>(bytes.size()));
  EXPECT_EQ(image.colourTable, bytes.data() + 52);
  EXPECT_EQ(AddPicture(bytes, 100).points.size(), 2u);
}

TEST(AddImage, StopsAtAThousandParticlesInColumnOrder) {
  // 40 columns of 30 lit pixels: 1200, of which the last 200 in column order are dropped.
  Fixture f{40, std::vector<std::string>(30, std::string(40, '1'))};
  const Built b = AddPicture(f.Bytes(), 4000);
  ASSERT_EQ(b.points.size(), 1000u);
  EXPECT_EQ(b.points[989], (std::array<int32_t, 3>{1200, 0, 1400}));  // column 32, top row
  EXPECT_EQ(b.points[999], (std::array<int32_t, 3>{1300, 0, -600}));  // column 33, row 9

  // Appending to a shape already holding particles stops at the same capacity.
  ManualClock clock;
  ShapeEffect shape(ShapeEffect::Unbuilt{}, clock);
  for (int i = 0; i < 995; ++i) shape.AddParticle(0, 0, 0, 1);
  const std::vector<uint8_t> bytes = f.Bytes();
  shape.AddImage(ShapeImage(bytes.data(), static_cast<uint32_t>(bytes.size())), 4000);
  EXPECT_EQ(shape.count, 1000);
}

TEST(AddImage, TableEntriesAreColoursAsTheyStandWithBlueByteShownAsRed) {
  Fixture f{5, {"12345"}};
  f.table = {0, 0x00FF0000, 0x000000FF, 0x00FFFFFF, 0x01000000, 0x00000000};
  const Built b = AddPicture(f.Bytes(), 500);
  // Entry 5 is all zero: background. Entry 4 has only its reserved byte: a (black) particle.
  EXPECT_EQ(b.colours, (std::vector<uint32_t>{0x00FF0000, 0x000000FF, 0x00FFFFFF, 0x01000000}));

  // Drawn at full brightness into an RGB frame: RGBQUAD red (0x00FF0000) shows as blue.
  const std::pair<uint32_t, std::array<uint8_t, 3>> shown[] = {{0x00FF0000, {0, 0, 255}},
                                                               {0x000000FF, {255, 0, 0}},
                                                               {0x00FFFFFF, {255, 255, 255}},
                                                               {0x01000000, {0, 0, 0}}};
  for (auto [colour, rgb] : shown) {
    MemoryFrame frame(8, 8, FrameFormat::k24);
    SurfaceLock lock(frame, Rect{0, 0, 8, 8});
    Particle p{};
    p.InitParticle(0, 0, 0, colour);
    p.screenX = 3;
    p.screenY = 3;
    p.brightness = 256;
    p.PlotParticle(lock, 1, false);
    uint8_t got[3];
    frame.RgbAt(3, 3, got);
    EXPECT_EQ((std::array<uint8_t, 3>{got[0], got[1], got[2]}), rgb) << std::hex << colour;
  }
}

TEST(ShapeImage, MalformedPicturesAreRefusedAndAddNothing) {
  const std::vector<uint8_t> good = Fixture{4, {"1111", "1111"}}.Bytes();
  struct Case {
    const char* what;
    size_t at;  // a 32-bit field to overwrite, or SIZE_MAX
    uint32_t value;
    size_t size;  // bytes handed over
  };
  const Case cases[] = {
      {"shorter than a header", SIZE_MAX, 0, 39},
      {"no bytes at all", SIZE_MAX, 0, 0},
      {"header size beyond the data", 0, 5000, good.size()},
      {"header size below 40", 0, 12, good.size()},
      {"zero width", 4, 0, good.size()},
      {"negative width", 4, 0xFFFFFFFF, good.size()},
      {"top-down rows", 8, static_cast<uint32_t>(-2), good.size()},
      {"zero height", 8, 0, good.size()},
      {"rows beyond the data", 8, 3, good.size()},
      {"huge width", 4, 0x7FFFFFFF, good.size()},
      {"table beyond the data", 32, 0x40000000, good.size()},
      {"4 bits per pixel", 14, 4, good.size()},
      {"run-length encoded (BI_RLE8)", 16, 1, good.size()},
      {"colour masks (BI_BITFIELDS)", 16, 3, good.size()},
      {"a JPEG inside (BI_JPEG)", 16, 4, good.size()},
      {"the last byte missing", SIZE_MAX, 0, good.size() - 1},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    if (c.at == 14) {
      bytes[14] = static_cast<uint8_t>(c.value);
    } else if (c.at != SIZE_MAX) {
      Put32(bytes, c.at, c.value);
    }
    const ShapeImage image(c.size == 0 ? nullptr : bytes.data(), static_cast<uint32_t>(c.size));
    EXPECT_NE(image.Problem(), nullptr) << c.what;
    ManualClock clock;
    ShapeEffect shape(ShapeEffect::Unbuilt{}, clock);
    shape.AddImage(image, 1000);
    EXPECT_EQ(shape.count, 0) << c.what;
  }

  // A pixel naming an entry beyond a 2-entry table.
  Fixture f{2, {"13"}};
  f.clrUsed = 2;
  const std::vector<uint8_t> bytes = f.Bytes();
  EXPECT_NE(ShapeImage(bytes.data(), static_cast<uint32_t>(bytes.size())).Problem(), nullptr);
}

TEST(PictureCheck, Crc32IsTheStandardOne) {
  const char* text = "123456789";
  EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(text), 9), 0xCBF43926u);
  EXPECT_EQ(Crc32(nullptr, 0), 0u);
}

TEST(PictureCheck, TheBuiltInPicturesMatchTheirChecksAndAnyChangeIsCaught) {
  for (const char* name : {"BANNER", "ORLOGO", "YINYANG"}) {
    const EmbeddedPictureBytes picture = EmbeddedPicture(name);
    ASSERT_NE(picture.data, nullptr) << name;
    EXPECT_EQ(PictureCheckProblem(name, picture.data, picture.size), nullptr) << name;
    std::vector<uint8_t> copy(picture.data, picture.data + picture.size);
    copy[copy.size() / 2] ^= 0x10;
    EXPECT_NE(PictureCheckProblem(name, copy.data(), picture.size), nullptr) << name;
    EXPECT_NE(PictureCheckProblem(name, picture.data, picture.size - 1), nullptr) << name;
  }
  EXPECT_NE(PictureCheckProblem("NOSUCH", nullptr, 0), nullptr);
}

TEST(PictureCheck, TheBuiltInPicturesAreWholeEightBitPicturesOfAtMostAThousandParticles) {
  const std::pair<const char*, int32_t> pictures[] = {
      {"BANNER", 3500}, {"ORLOGO", 3000}, {"YINYANG", 2400}};
  for (auto [name, size] : pictures) {
    const ShapeImage image(name);
    EXPECT_EQ(image.Problem(), nullptr);
    int lit = 0;
    for (int32_t j = 0; j < image.Height(); ++j) {
      for (int32_t i = 0; i < image.Width(); ++i) lit += image.Entry(image.Pixel(i, j)) != 0;
    }
    EXPECT_GE(lit, 1) << name;
    EXPECT_LE(lit, 1000) << name;
    ManualClock clock;
    ShapeEffect shape(ShapeEffect::Unbuilt{}, clock);
    shape.AddImage(name, size);
    EXPECT_EQ(shape.count, lit) << name;
  }
}

TEST(PictureCheckDeathTest, AMissingPictureEndsTheProgramWithAMessage) {
  EXPECT_EXIT(ShapeImage("NOSUCH"), ::testing::ExitedWithCode(3),
              "picture \"NOSUCH\" can't be used: it is missing");
}

}  // namespace
}  // namespace orv
