#include "effects/shape_source.h"
#include "loop/render_loop.h"
#include "saver/direct_draw_host.h"
#include "saver/saver.h"

namespace orv {

// Runs on a 16000-byte stack: the loop, the star field and one frame's lock are a few hundred
// bytes here; the stars, the shape and the clip region live on the heap.
DWORD WINAPI RenderThread(void* argument) {
  const Saver& saver = *static_cast<const Saver*>(argument);
  DirectDrawHost host(saver.window, saver.directDraw.Get(), saver.primary.Get());
  RandomShapes shapes;
  RunRenderLoop(host, saver.stopRequested, shapes);
  return 0;
}

}  // namespace orv
