// A triple of coordinates or angles about the three axes. Floating-point triples add,
// subtract and scale component by component, each component exactly as the same expression
// on a single value would; integer triples only hold values (their arithmetic wraps at 32
// bits and is written out where it happens).
#pragma once

#include <concepts>
#include <cstdint>
#include <type_traits>

namespace orv {

template <typename T>
struct Vec3 {
  T x = 0;
  T y = 0;
  T z = 0;

  friend bool operator==(const Vec3&, const Vec3&) = default;
};

using Vec3i = Vec3<int32_t>;
using Vec3d = Vec3<double>;

template <std::floating_point T>
Vec3<T> operator+(const Vec3<T>& a, const Vec3<T>& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}

template <std::floating_point T>
Vec3<T> operator-(const Vec3<T>& a, const Vec3<T>& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

template <std::floating_point T>
Vec3<T> operator*(const Vec3<T>& a, std::type_identity_t<T> k) {
  return {a.x * k, a.y * k, a.z * k};
}

template <std::floating_point T>
Vec3<T> operator/(const Vec3<T>& a, std::type_identity_t<T> k) {
  return {a.x / k, a.y / k, a.z / k};
}

template <std::floating_point T>
Vec3<T>& operator+=(Vec3<T>& a, const Vec3<T>& b) {
  return a = a + b;
}

}  // namespace orv
