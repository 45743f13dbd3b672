// The program's allocator: the C library's heap, without the C++ library's exception
// machinery (which would more than double the size of the program). Allocations that may fail
// use the nothrow forms and get null; any other failed allocation ends the process quietly
// (abort would show the C library's "abnormal program termination" box).
#include <cstdlib>
#include <new>

#include "saver/quiet_end.h"

void* operator new(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) orv::EndQuietly("Orvessan's Screen Saver: out of memory\n");
  return p;
}

void* operator new[](std::size_t size) {
  return operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size == 0 ? 1 : size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size == 0 ? 1 : size);
}

void operator delete(void* p) noexcept {
  std::free(p);
}

void operator delete[](void* p) noexcept {
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}

void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}

void operator delete[](void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
