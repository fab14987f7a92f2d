// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds a fuzz target each input kept in the folders named on the command line, once each, as
// libFuzzer replays a crash input. Linked with a target's source instead of libFuzzer, so that the
// plain and sanitizer builds replay the kept crash inputs and the seeds under ctest.
//
//   <target>_replay FOLDER...   (a missing folder holds no inputs; at least one input must exist)
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

// The folder's files in name order, without hidden files and notes.
std::vector<fs::path> InputsIn(const fs::path& folder) {
  std::vector<fs::path> inputs;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && !name.starts_with('.') && !name.ends_with(".md"))
      inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t replayed = 0;
  for (int arg = 1; arg < argc; ++arg) {
    for (const fs::path& input : InputsIn(argv[arg])) {
      const std::optional<std::string> bytes = quill::platform::ReadWholeFile(input);
      if (!bytes) {
        std::fprintf(stderr, "cannot read %s\n", input.c_str());
        return 1;
      }
      // A buffer of exactly the input's size, as libFuzzer passes it, so that the address
      // sanitizer catches a read one byte past its end.
      const auto data = std::make_unique<std::uint8_t[]>(bytes->size());
      std::copy(bytes->begin(), bytes->end(), data.get());
      std::fprintf(stderr, "replaying %s\n", input.c_str());
      LLVMFuzzerTestOneInput(data.get(), bytes->size());
      ++replayed;
    }
  }
  if (replayed == 0) {
    std::fprintf(stderr, "no inputs found: every target has seeds at least\n");
    return 1;
  }
  std::fprintf(stderr, "%zu inputs replayed, no crash\n", replayed);
  return 0;
}
