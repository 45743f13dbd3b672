#include "tools/render/png_writer.h"

#include <vector>

#ifdef ORV_HAVE_PNG
#include <png.h>
#endif

namespace orv {

#ifdef ORV_HAVE_PNG

bool PngSupported() {
  return true;
}

bool WritePng(std::FILE* out, const MemoryFrame& frame) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<png_byte> row(static_cast<size_t>(frame.Width()) * 3);
  // libpng reports errors by longjmp; nothing with a destructor is created below this point.
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, out);
  png_set_IHDR(png, info, frame.Width(), frame.Height(), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (uint32_t y = 0; y < frame.Height(); ++y) {
    for (uint32_t x = 0; x < frame.Width(); ++x) frame.RgbAt(x, y, &row[x * 3]);
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

#else

bool PngSupported() {
  return false;
}
bool WritePng(std::FILE*, const MemoryFrame&) {
  return false;
}

#endif

}  // namespace orv
