// orvessan-render: runs the saver's drawing over a memory frame and writes the final frame.
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tools/render/options.h"
#include "tools/render/render.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // Trace lines must be byte-identical on every platform: no CR LF translation.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::vector<std::string> args(argv + 1, argv + argc);
  orv::RenderOptions options;
  std::string error;
  if (!orv::ParseRenderOptions(args, options, error)) {
    std::fprintf(stderr, "orvessan-render: %s\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(orv::kRenderUsage, stdout);
    return 0;
  }
  const int status = orv::RunRenderer(options, error);
  if (status != 0) std::fprintf(stderr, "orvessan-render: %s\n", error.c_str());
  return status;
}
