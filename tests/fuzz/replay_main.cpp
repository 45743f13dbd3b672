// Replays fuzz inputs through a fuzz target without libFuzzer, so that any compiler's build
// (the GCC build with its sanitizers) runs the checked-in corpus as a regression test.
// Arguments: files or directories of inputs.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool Replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", file.string().c_str());
    return false;
  }
  // An exact-size copy: reads past the input's end are caught by AddressSanitizer.
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  const std::vector<uint8_t> input(bytes.begin(), bytes.end());
  LLVMFuzzerTestOneInput(input.data(), input.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int inputs = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
    } else {
      files.push_back(path);
    }
    for (const auto& file : files) {
      if (!Replay(file)) return 1;
      ++inputs;
    }
  }
  if (inputs == 0) {
    std::fprintf(stderr, "no inputs\n");
    return 1;
  }
  std::printf("%d inputs replayed\n", inputs);
  return 0;
}
