// What every fuzz target shares: a failed invariant stops the run as a crash, after saying which
// one failed, so that libFuzzer keeps the input that broke it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#define FUZZ_REQUIRE(condition)                                                               \
  do {                                                                                        \
    if (!(condition)) {                                                                       \
      std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      __builtin_trap();                                                                       \
    }                                                                                         \
  } while (0)

namespace quill::fuzz {

inline std::string AsBytes(const std::uint8_t* data, std::size_t size) {
  return size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace quill::fuzz
