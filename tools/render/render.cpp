#include "tools/render/render.h"

#include <filesystem>
#include <string>
#include <vector>

#include "core/random.h"
#include "core/render_loop.h"
#include "core/scripted_clock.h"
#include "effects/shape_factory.h"
#include "tools/render/png_writer.h"
#include "tools/render/scripted_host.h"
#include "tools/render/trace.h"

namespace orv {
namespace {

// The shape factory is a plain function; it finds the run's trace here.
struct TraceContext {
  std::FILE* out = nullptr;
  const RenderLoop* loop = nullptr;
};
TraceContext traceContext;

Effect* MakeTracedShape(const FrameView& view, TickSource& clock) {
  Effect* shape = CreateShape(view, clock);
  if (shape != nullptr && traceContext.out != nullptr) {
    WriteShapeTrace(traceContext.out, traceContext.loop->FrameCounter(), *shape);
  }
  return shape;
}

// An output file written under a temporary name and renamed into place only when complete.
struct OutputFile {
  OutputFile(const char* name, const std::string& target) : option(name), path(target) {}

  std::string option;
  std::string path;
  std::string temporary;
  std::FILE* file = nullptr;

  bool Open() {
    temporary = path + ".partial";
    file = std::fopen(temporary.c_str(), "wb");
    return file != nullptr;
  }
  bool Commit() {
    const bool written = std::fflush(file) == 0 && !std::ferror(file);
    const bool closed = std::fclose(file) == 0;
    file = nullptr;
    std::error_code ec;
    if (written && closed) std::filesystem::rename(temporary, path, ec);
    return written && closed && !ec;
  }
  void Discard() {
    if (file != nullptr) std::fclose(file);
    file = nullptr;
    std::remove(temporary.c_str());
  }
};

}  // namespace

void RenderFrames(const RenderOptions& options, MemoryFrame& frame, std::FILE* trace) {
  ScriptedHost host(frame, options.screenWidth);
  srand(options.seed);
  const ScriptedClock clock{options.tickStart, options.tickStep};
  host.tick = clock.start;
  {
    RenderLoop loop(host, trace != nullptr ? MakeTracedShape : CreateShape);
    traceContext = {trace, &loop};
    for (uint32_t k = 1; k <= options.frames; ++k) {
      host.tick = clock.TickOfFrame(k);
      host.hidden = options.IsHidden(k);
      loop.RunFrame();
    }
  }
  traceContext = {};
}

int RunRenderer(const RenderOptions& options, std::string& error) {
  if (!options.pngPath.empty() && !PngSupported()) {
    error = "--png: this build has no PNG support; use --raw";
    return 2;
  }
  std::vector<OutputFile> outputs;
  if (!options.rawPath.empty()) outputs.push_back({"--raw", options.rawPath});
  if (!options.pngPath.empty()) outputs.push_back({"--png", options.pngPath});
  const bool traceToStdout = options.tracePath == "-";
  if (!options.tracePath.empty() && !traceToStdout) {
    outputs.push_back({"--trace", options.tracePath});
  }
  for (OutputFile& out : outputs) {
    if (!out.Open()) {
      error = out.option + ": cannot write '" + out.path + "'";
      for (OutputFile& o : outputs) o.Discard();
      return 2;
    }
  }
  auto find = [&](const char* option) -> OutputFile* {
    for (OutputFile& out : outputs) {
      if (out.option == option) return &out;
    }
    return nullptr;
  };

  MemoryFrame frame(options.width, options.height, options.format, options.pitch);
  OutputFile* traceFile = find("--trace");
  RenderFrames(options, frame, traceToStdout ? stdout : traceFile ? traceFile->file : nullptr);

  bool ok = true;
  if (OutputFile* raw = find("--raw")) {
    const auto& bytes = frame.Bytes();
    ok = std::fwrite(bytes.data(), 1, bytes.size(), raw->file) == bytes.size();
    if (!ok) error = "--raw: cannot write '" + raw->path + "'";
  }
  if (OutputFile* png = find("--png"); ok && png != nullptr) {
    ok = WritePng(png->file, frame);
    if (!ok) error = "--png: cannot write '" + png->path + "'";
  }
  for (OutputFile& out : outputs) {
    if (ok && !out.Commit()) {
      ok = false;
      error = out.option + ": cannot write '" + out.path + "'";
    }
  }
  if (!ok) {
    for (OutputFile& out : outputs) {
      out.Discard();
      // A file already renamed into place is incomplete as a set: take it away too.
      std::error_code ec;
      std::filesystem::remove(out.path, ec);
    }
    return 2;
  }
  if (traceToStdout && std::fflush(stdout) != 0) {
    error = "--trace: cannot write to standard output";
    return 2;
  }
  return 0;
}

}  // namespace orv
