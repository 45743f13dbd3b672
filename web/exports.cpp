// The module's functions for the page's script (orvessan-saver.js). A saver is a handle made
// by orv_create; strings come in as NUL-terminated UTF-8 in the module's memory.
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "web/page_options.h"
#include "web/web_saver.h"

namespace {

struct Page {
  orv::PageOptions options;
  orv::WebSaver saver;
  std::string messages;
  const std::vector<orv::Rect>* changes = nullptr;
};

}  // namespace

#define ORV_EXPORT extern "C" __attribute__((used, visibility("default")))

ORV_EXPORT Page* orv_create() {
  return new (std::nothrow) Page;
}

ORV_EXPORT void orv_destroy(Page* page) {
  delete page;
}

// Room for a string of `bytes` bytes handed in, released by orv_release.
ORV_EXPORT char* orv_reserve(uint32_t bytes) {
  return new (std::nothrow) char[bytes];
}

ORV_EXPORT void orv_release(char* text) {
  delete[] text;
}

ORV_EXPORT void orv_set_option(Page* page, const char* name, const char* value) {
  orv::SetPageOption(page->options, name, value);
}

// One line for each refused parameter (empty when none), valid until the next call.
ORV_EXPORT const char* orv_refusals(Page* page) {
  page->messages.clear();
  for (const std::string& line : orv::RefusalMessages(page->options)) {
    page->messages += line + "\n";
  }
  return page->messages.c_str();
}

ORV_EXPORT int orv_scripted(const Page* page) {
  return page->options.scripted;
}

// The fixed size of the frame (size given, or a scripted run's 640x480); 0 where the frame
// takes its box's size.
ORV_EXPORT uint32_t orv_fixed_width(const Page* page) {
  return page->options.sizeGiven || page->options.scripted ? page->options.width : 0;
}

ORV_EXPORT uint32_t orv_fixed_height(const Page* page) {
  return page->options.sizeGiven || page->options.scripted ? page->options.height : 0;
}

// The frame size for a box of this many pixels, packed as width x 65536 + height.
ORV_EXPORT uint32_t orv_fit(uint32_t width, uint32_t height) {
  orv::FitPageFrame(width, height);
  return width << 16 | height;
}

// Starts the run the options describe: `seed` is the seed where none was given, `tick` the
// clock where the run is not scripted. 0 when there is no memory for the frame.
ORV_EXPORT int orv_start(Page* page, uint32_t width, uint32_t height, uint32_t seed,
                         uint32_t tick) {
  const orv::PageOptions& o = page->options;
  if (o.seedGiven || o.scripted) seed = o.seed;
  if (o.scripted) tick = o.clock.start;
  if (!page->saver.Start(width, height, seed, tick)) return 0;
  if (o.scripted) page->saver.Script(o.clock, o.frames);
  return 1;
}

ORV_EXPORT int orv_resize(Page* page, uint32_t width, uint32_t height) {
  return page->saver.Resize(width, height);
}

ORV_EXPORT void orv_frame(Page* page, uint32_t tick, int visible) {
  page->saver.Frame(tick, visible != 0);
}

// The number of frames of a scripted run.
ORV_EXPORT uint32_t orv_script_length(const Page* page) {
  return page->options.frames;
}

// Runs up to `count` frames of a scripted run; returns how many are left.
ORV_EXPORT uint32_t orv_run_script(Page* page, uint32_t count) {
  return page->saver.RunScript(count);
}

// Brings the canvas picture up to date and returns the number of changed rectangles, which
// orv_changes lists as left, top, right, bottom (right and bottom exclusive).
ORV_EXPORT uint32_t orv_take_changes(Page* page) {
  page->changes = &page->saver.Canvas().TakeChanges();
  return static_cast<uint32_t>(page->changes->size());
}

ORV_EXPORT const orv::Rect* orv_changes(const Page* page) {
  return page->changes->data();
}

ORV_EXPORT const uint32_t* orv_canvas_pixels(Page* page) {
  return page->saver.Canvas().CanvasPixels();
}

ORV_EXPORT const uint32_t* orv_frame_pixels(Page* page) {
  return page->saver.Canvas().Pixels();
}

ORV_EXPORT uint32_t orv_width(Page* page) {
  return page->saver.Canvas().Width();
}

ORV_EXPORT uint32_t orv_height(Page* page) {
  return page->saver.Canvas().Height();
}
