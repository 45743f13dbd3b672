#include "effects/shape_image.h"

#include "core/arith.h"
#include "effects/picture_check.h"
#include "effects/shape_effect.h"

namespace orv {
namespace {

uint32_t Read32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

uint16_t Read16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

ShapeImage::ShapeImage(const char* name) {
  if (!LockPicture(name, resource)) FailPicture(name, "it is missing");
  locked = true;
  if (const char* mismatch = PictureCheckProblem(name, resource.data, resource.size)) {
    FailPicture(name, mismatch);
  }
  if (const char* unreadable = Read(resource.data, resource.size)) FailPicture(name, unreadable);
}

ShapeImage::ShapeImage(const uint8_t* data, uint32_t size) {
  problem = Read(data, size);
}

ShapeImage::~ShapeImage() {
  if (locked) UnlockPicture(resource);
}

const char* ShapeImage::Read(const uint8_t* data, uint32_t size) {
  constexpr uint32_t kHeaderBytes = 40;  // the BITMAPINFOHEADER's fields up to biClrImportant
  if (data == nullptr || size < kHeaderBytes) return "it is too short for a picture header";
  const uint32_t biSize = Read32(data);
  const int32_t biWidth = static_cast<int32_t>(Read32(data + 4));
  const int32_t biHeight = static_cast<int32_t>(Read32(data + 8));
  const uint16_t biBitCount = Read16(data + 14);
  const uint32_t biCompression = Read32(data + 16);
  const uint32_t biClrUsed = Read32(data + 32);
  if (biSize < kHeaderBytes || biSize > size) return "its header size does not fit";
  if (biBitCount != 8) return "it is not a picture of 8 bits per pixel";
  // The rows are read one byte per pixel in place: run-length or other encodings can't be.
  constexpr uint32_t kUncompressed = 0;  // BI_RGB
  if (biCompression != kUncompressed) return "it is not an uncompressed picture";
  if (biWidth <= 0 || biHeight <= 0) return "it is not a bottom-up picture with rows and columns";

  const uint64_t entries = biClrUsed != 0 ? biClrUsed : 256;
  const uint64_t pixelOffset = uint64_t{biSize} + 4 * entries;
  // Rows are whole 32-bit units long.
  const uint64_t stride = (uint64_t{8} * static_cast<uint32_t>(biWidth) + 31) / 32 * 4;
  if (pixelOffset + stride * static_cast<uint32_t>(biHeight) > size) {
    return "its colour table and rows do not fit its size";
  }
  if (stride > INT32_MAX) return "its rows are too long";

  header = data;
  colourTable = data + biSize;
  pixels = data + pixelOffset;
  rowStride = static_cast<int32_t>(stride);
  width = biWidth;
  height = biHeight;
  // Every pixel must name an entry of the table.
  for (int32_t j = 0; j < height; ++j) {
    for (int32_t i = 0; i < width; ++i) {
      if (Pixel(i, j) >= entries) return "a pixel names a colour beyond its colour table";
    }
  }
  return nullptr;
}

uint32_t ShapeImage::Entry(uint32_t k) const {
  return Read32(colourTable + uint64_t{4} * k);
}

uint8_t ShapeImage::Pixel(int32_t column, int32_t row) const {
  return pixels[static_cast<uint64_t>(row) * static_cast<uint32_t>(rowStride) +
                static_cast<uint32_t>(column)];
}

void ShapeEffect::AddImage(const char* name, int32_t size) {
  const ShapeImage image(name);
  AddImage(image, size);
}

void ShapeEffect::AddImage(const ShapeImage& image, int32_t size) {
  if (image.Problem() != nullptr) return;
  const int32_t w = image.Width();
  const int32_t h = image.Height();
  // Columns left to right along x, rows bottom-up along z, centred; both scaled by the width
  // so that the picture keeps its proportions.
  for (int32_t i = 0; i < w && count < kCapacity; ++i) {
    const int32_t x = WrapMul(size, i - (w >> 1)) / w;
    for (int32_t j = 0; j < h && count < kCapacity; ++j) {
      const uint32_t e = image.Entry(image.Pixel(i, j));
      if (e != 0) AddParticle(x, 0, WrapMul(size, j - (h >> 1)) / w, e);
    }
  }
}

}  // namespace orv
