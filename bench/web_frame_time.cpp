// The web page's frame natively, timed the way bench/web/web_cost.py times it in the browser:
// a scripted run brought up to frame FIRST, then frames FIRST + 1 to LAST timed as one
// stretch, ROUNDS times; prints the least CPU time of the thread per frame in microseconds
// (CPU time, and the least, because the machine may be shared).
//   orv_web_frame_time SEED FIRST LAST WIDTH HEIGHT ROUNDS
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "web/web_saver.h"

double ThreadMicros() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fputs("usage: orv_web_frame_time SEED FIRST LAST WIDTH HEIGHT ROUNDS\n", stderr);
    return 2;
  }
  uint32_t value[6];
  for (int i = 0; i < 6; ++i)
    value[i] = static_cast<uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
  const auto [seed, first, last, width, height, rounds] =
      std::tuple{value[0], value[1], value[2], value[3], value[4], value[5]};
  orv::WebSaver saver;
  std::vector<double> times;
  for (uint32_t round = 0; round < rounds; ++round) {
    if (!saver.Start(width, height, seed, 0)) return 1;
    saver.Script(orv::ScriptedClock{0, 16}, last);
    saver.RunScript(first);
    const double start = ThreadMicros();
    saver.RunScript(last - first);
    times.push_back((ThreadMicros() - start) / (last - first));
  }
  std::sort(times.begin(), times.end());
  std::printf("%.1f\n", times.front());
  return 0;
}
