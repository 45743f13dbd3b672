// The renderer's scripted host runs up to 2^31 frames: what it records per frame must not grow
// with the run. Every allocation of this program is counted to show it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "frontend/memory_frame.h"
#include "frontend/scripted_host.h"

namespace {
std::atomic<uint64_t> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace orv {
namespace {

TEST(ScriptedHost, AFramesSleepCostsNoMemory) {
  MemoryFrame frame(2, 1, FrameFormat::k32);
  ScriptedHost host(frame, 2);
  const uint64_t before = allocations;
  for (uint32_t k = 0; k < 100000; ++k) host.Sleep(k % 50);
  EXPECT_EQ(allocations - before, 0u);
  EXPECT_EQ(host.sleepCount, 100000u);
  EXPECT_EQ(host.lastSleep, 49u);
}

}  // namespace
}  // namespace orv
