#include "effects/picture_check.h"

#include <array>
#include <cstring>

namespace orv {
namespace {

constexpr PictureCheck kChecks[] = {
#include "effects/picture_checks.inc"
};

// CRC-32 as zlib and PNG compute it: the message is a polynomial over GF(2) read lowest bit
// first, so the generator x^32 + ... + 1 (0x04C11DB7) appears with its bits reversed.
constexpr uint32_t kReversedGenerator = 0xEDB88320u;

// The remainder of a register holding `value` after eight more bits are divided out, one
// generator subtraction (an exclusive or) for each bit that leaves it set.
constexpr uint32_t DivideOutEightBits(uint32_t value) {
  for (int bit = 0; bit < 8; ++bit) {
    const bool leavesSet = (value & 1) != 0;
    value >>= 1;
    if (leavesSet) value ^= kReversedGenerator;
  }
  return value;
}

// The division of every possible low byte, so that the check takes a byte at a time.
constexpr std::array<uint32_t, 256> ByteRemainders() {
  std::array<uint32_t, 256> remainders{};
  for (uint32_t byte = 0; byte < 256; ++byte) remainders[byte] = DivideOutEightBits(byte);
  return remainders;
}
constexpr std::array<uint32_t, 256> kByteRemainders = ByteRemainders();

}  // namespace

const PictureCheck* FindPictureCheck(const char* name) {
  for (const PictureCheck& check : kChecks) {
    if (std::strcmp(check.name, name) == 0) return &check;
  }
  return nullptr;
}

uint32_t Crc32(const uint8_t* data, size_t size) {
  // The register starts at all ones, so that leading zero bytes count, and is inverted at the
  // end, as the standard has it.
  uint32_t remainder = ~uint32_t{0};
  for (size_t i = 0; i < size; ++i) {
    const uint8_t low = static_cast<uint8_t>(remainder ^ data[i]);
    remainder = kByteRemainders[low] ^ (remainder >> 8);
  }
  return ~remainder;
}

const char* PictureCheckProblem(const char* name, const uint8_t* data, uint32_t size) {
  const PictureCheck* check = FindPictureCheck(name);
  if (check == nullptr) return "no check value is recorded for it";
  if (data == nullptr || size != check->size) return "its size differs from the recorded one";
  if (Crc32(data, size) != check->crc) return "its CRC-32 differs from the recorded one";
  return nullptr;
}

}  // namespace orv
