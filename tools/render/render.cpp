#include "tools/render/render.h"

#include <filesystem>
#include <string>
#include <vector>

#include "core/random.h"
#include "effects/shape_effect.h"
#include "effects/shape_source.h"
#include "frontend/printable.h"
#include "frontend/scripted_clock.h"
#include "frontend/scripted_host.h"
#include "loop/render_loop.h"
#include "tools/render/png_writer.h"
#include "tools/render/trace.h"

namespace orv {
namespace {

// The saver's random shapes, each written to the trace (when there is one) as it is made.
class TracedShapes final : public ShapeSource {
 public:
  explicit TracedShapes(std::FILE* trace) : out(trace) {}

  std::unique_ptr<Effect> MakeShape(const FrameView& view, TickSource& clock) override {
    std::unique_ptr<ShapeEffect> shape = random.MakeRandomShape(view, clock);
    if (shape != nullptr && out != nullptr) WriteShapeTrace(out, frame, *shape);
    return shape;
  }

  int32_t frame = 0;  // the frame being run, counted from 1

 private:
  RandomShapes random;
  std::FILE* out;
};

// An output file written under a temporary name and renamed into place only when complete.
// A failed run takes away only what it wrote itself: its temporary files and the files it has
// already renamed into place.
struct OutputFile {
  OutputFile(const char* name, const std::string& target) : option(name), path(target) {}

  std::string option;
  std::string path;
  std::string temporary;
  std::FILE* file = nullptr;
  bool committed = false;

  // A temporary name that no file has yet, so that no file of someone else's is overwritten.
  bool Open() {
    std::error_code ec;
    temporary = path + ".partial";
    for (int n = 1; std::filesystem::symlink_status(temporary, ec).type() !=
                    std::filesystem::file_type::not_found;
         ++n) {
      if (n > 99) return false;
      temporary = path + ".partial" + std::to_string(n);
    }
    file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) temporary.clear();
    return file != nullptr;
  }
  bool Commit() {
    const bool written = std::fflush(file) == 0 && !std::ferror(file);
    const bool closed = std::fclose(file) == 0;
    file = nullptr;
    std::error_code ec;
    if (written && closed) std::filesystem::rename(temporary, path, ec);
    committed = written && closed && !ec;
    if (committed) temporary.clear();
    return committed;
  }
  void Discard() {
    if (file != nullptr) std::fclose(file);
    file = nullptr;
    if (!temporary.empty()) std::remove(temporary.c_str());
    temporary.clear();
    // A file already renamed into place is incomplete as a set: take it away too.
    std::error_code ec;
    if (committed) std::filesystem::remove(path, ec);
    committed = false;
  }
};

// A directory can't be replaced by a file: found before anything is written.
bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

}  // namespace

void RenderFrames(const RenderOptions& options, MemoryFrame& frame, std::FILE* trace) {
  ScriptedHost host(frame, options.screenWidth);
  // A run is a whole saver process: its random generator starts anew, and so does its shape
  // source (and with it the first-shape rule).
  srand(options.seed);
  const ScriptedClock clock{options.tickStart, options.tickStep};
  host.tick = clock.start;
  TracedShapes shapes(trace);
  RenderLoop loop(host, shapes);
  for (uint32_t k = 1; k <= options.frames; ++k) {
    host.tick = clock.TickOfFrame(k);
    host.hidden = options.IsHidden(k);
    shapes.frame = static_cast<int32_t>(k);
    loop.RunFrame();
  }
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
    if (IsDirectory(out.path)) {
      error = out.option + ": '" + Printable(out.path) + "' is a directory";
      return 2;
    }
  }
  for (OutputFile& out : outputs) {
    if (!out.Open()) {
      error = out.option + ": cannot write '" + Printable(out.path) + "'";
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
    if (!ok) error = "--raw: cannot write '" + Printable(raw->path) + "'";
  }
  if (OutputFile* png = find("--png"); ok && png != nullptr) {
    ok = WritePng(png->file, frame);
    if (!ok) error = "--png: cannot write '" + Printable(png->path) + "'";
  }
  for (OutputFile& out : outputs) {
    if (ok && !out.Commit()) {
      ok = false;
      error = out.option + ": cannot write '" + Printable(out.path) + "'";
    }
  }
  if (!ok) {
    for (OutputFile& out : outputs) out.Discard();
    return 2;
  }
  if (traceToStdout && std::fflush(stdout) != 0) {
    error = "--trace: cannot write to standard output";
    return 2;
  }
  return 0;
}

}  // namespace orv
