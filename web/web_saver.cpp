#include "web/web_saver.h"

#include <algorithm>

#include "core/random.h"
#include "frontend/clip_list.h"

namespace orv {

Rect WebHost::GetClientRect() {
  return Rect{0, 0, static_cast<int32_t>(frame.Width()), static_cast<int32_t>(frame.Height())};
}

void WebHost::GetClipList(const Rect& rect, RegionHeader* region, uint32_t* size) {
  WholeOrNothingClipList(rect, visible, region, size);
}

bool WebSaver::Start(uint32_t width, uint32_t height, uint32_t seed, uint32_t tick) {
  loop.reset();
  scriptFrames = scriptDone = 0;
  if (!frame.Rebuild(width, height)) return false;
  // A run is a whole saver process: its random generator starts anew, and so does its shape
  // source (and with it the first-shape rule).
  srand(seed);
  shapes = std::make_unique<RandomShapes>();
  host.tick = tick;
  host.visible = true;
  loop = std::make_unique<RenderLoop>(host, *shapes);
  return true;
}

bool WebSaver::Resize(uint32_t width, uint32_t height) {
  if (frame.Rebuild(width, height)) return true;
  loop.reset();
  return false;
}

void WebSaver::Frame(uint32_t tick, bool visible) {
  if (loop == nullptr) return;
  host.tick = tick;
  host.visible = visible;
  loop->DrawFrame();
}

void WebSaver::Script(const ScriptedClock& scriptClock, uint32_t frames) {
  clock = scriptClock;
  scriptFrames = frames;
  scriptDone = 0;
}

uint32_t WebSaver::RunScript(uint32_t count) {
  if (loop == nullptr) return 0;
  const uint32_t last = scriptDone + std::min(count, scriptFrames - scriptDone);
  while (scriptDone < last) {
    ++scriptDone;
    host.tick = clock.TickOfFrame(scriptDone);
    host.visible = true;
    loop->DrawFrame();
  }
  return scriptFrames - scriptDone;
}

}  // namespace orv
