// Included before every C++ file of the emscripten build: the C++20 library functions that
// the drawing code uses and that emscripten 3.1.6's libc++ lacks.
#pragma once

#ifdef __cplusplus
#include <charconv>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <type_traits>
#include <version>

#ifndef __cpp_lib_bit_cast
namespace std {
template <class To, class From>
constexpr To bit_cast(const From& from) noexcept {
  return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif

#if !defined(__cpp_lib_smart_ptr_for_overwrite) && _LIBCPP_VERSION < 16000
namespace std {
template <class T>
requires is_unbounded_array_v<T> unique_ptr<T> make_unique_for_overwrite(size_t n) {
  return unique_ptr<T>(new remove_extent_t<T>[n]);
}
}  // namespace std
#endif

#if _LIBCPP_VERSION < 14000
namespace std {
// Floating-point to_chars with a precision: as printf's %.*g, %.*e or %.*f, which is how the
// standard defines it.
inline to_chars_result to_chars(char* first, char* last, double value, chars_format format,
                                int precision) {
  const char* pattern = format == chars_format::scientific ? "%.*e"
                        : format == chars_format::fixed    ? "%.*f"
                                                           : "%.*g";
  const int n = snprintf(first, static_cast<size_t>(last - first), pattern, precision, value);
  if (n < 0 || n >= last - first) return {last, errc::value_too_large};
  return {first + n, errc{}};
}
}  // namespace std
#endif
#endif
