#include "tools/render/trace.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <system_error>
#include <type_traits>

namespace orv {
namespace {

// 17 significant digits through to_chars: the same text on every platform, whatever its C
// runtime's printf does. Emscripten's library has no floating to_chars; its printf is exact.
void AppendDouble(std::string& out, double value) {
  char buffer[40];
#ifdef __EMSCRIPTEN__
  const int length = std::snprintf(buffer, sizeof buffer, "%.17g", value);
  out.append(buffer,
             length > 0 && length < static_cast<int>(sizeof buffer) ? buffer + length : buffer);
#else
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
  out.append(buffer, result.ec == std::errc{} ? result.ptr : buffer);
#endif
}

template <typename Integer>
void AppendInteger(std::string& out, Integer value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void AppendField(std::string& out, const char* name) {
  out += out.size() == 1 ? "\"" : ",\"";
  out += name;
  out += "\":";
}

template <typename Value>
void AppendTriple(std::string& out, const char* name, const Vec3<Value>& v) {
  AppendField(out, name);
  out += '[';
  const Value values[] = {v.x, v.y, v.z};
  for (int i = 0; i < 3; ++i) {
    if (i > 0) out += ',';
    if constexpr (std::is_floating_point_v<Value>) {
      AppendDouble(out, values[i]);
    } else {
      AppendInteger(out, values[i]);
    }
  }
  out += ']';
}

}  // namespace

void WriteShapeTrace(std::FILE* out, int32_t frame, const ShapeEffect& s) {
  std::string line = "{";
  AppendField(line, "frame");
  AppendInteger(line, frame);
  AppendField(line, "kind");
  AppendInteger(line, static_cast<uint32_t>(s.kind));
  AppendField(line, "count");
  AppendInteger(line, s.count);
  AppendField(line, "radius");
  AppendInteger(line, s.radius);
  AppendTriple(line, "angle", s.angle);
  AppendTriple(line, "spin", s.spin);
  AppendTriple(line, "startSpin", s.startSpin);
  AppendTriple(line, "cruiseSpin", s.cruiseSpin);
  AppendField(line, "arrival");
  AppendInteger(line, static_cast<int32_t>(s.arrival));
  AppendField(line, "departure");
  AppendInteger(line, static_cast<int32_t>(s.departure));
  AppendField(line, "lifetime");
  AppendInteger(line, s.lifetime);
  AppendTriple(line, "start", s.start);
  AppendTriple(line, "end", s.end);
  AppendField(line, "startTick");
  AppendInteger(line, s.startTick);
  AppendField(line, "particles");
  line += '[';
  for (int32_t i = 0; i < s.count; ++i) {
    const Particle& p = s.particles[i];
    line += i > 0 ? ",[" : "[";
    AppendInteger(line, p.modelX);
    line += ',';
    AppendInteger(line, p.modelY);
    line += ',';
    AppendInteger(line, p.modelZ);
    line += ',';
    AppendInteger(line, p.colour);
    line += ']';
  }
  line += "]}\n";
  std::fwrite(line.data(), 1, line.size(), out);
}

}  // namespace orv
