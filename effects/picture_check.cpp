#include "effects/picture_check.h"

#include <array>
#include <cstring>

namespace orv {
namespace {

constexpr PictureCheck kChecks[] = {
#include "effects/picture_checks.inc"
};

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}
constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

}  // namespace

const PictureCheck* FindPictureCheck(const char* name) {
  for (const PictureCheck& check : kChecks) {
    if (std::strcmp(check.name, name) == 0) return &check;
  }
  return nullptr;
}

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) c = kCrcTable[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

const char* PictureCheckProblem(const char* name, const uint8_t* data, uint32_t size) {
  const PictureCheck* check = FindPictureCheck(name);
  if (check == nullptr) return "no check value is recorded for it";
  if (data == nullptr || size != check->size) return "its size differs from the recorded one";
  if (Crc32(data, size) != check->crc) return "its CRC-32 differs from the recorded one";
  return nullptr;
}

}  // namespace orv
