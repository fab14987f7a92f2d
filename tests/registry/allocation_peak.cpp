// Counts the heap memory the registry tests hold, by replacing the global operator new and delete,
// so that a test can bound the most a reading takes.
#include <malloc.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> held{0};
std::atomic<std::size_t> peak{0};
std::size_t base = 0;

}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size);
  if (block == nullptr) throw std::bad_alloc();
  const std::size_t now = held += ::malloc_usable_size(block);
  for (std::size_t top = peak; now > top && !peak.compare_exchange_weak(top, now);) {
  }
  return block;
}

void operator delete(void* block) noexcept {
  held -= ::malloc_usable_size(block);
  std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
  operator delete(block);
}

namespace quill::platform::registry::test {

void StartHeapPeak() {
  base = peak = held.load();
}

std::size_t HeapPeakAboveStart() {
  return peak - base;
}

}  // namespace quill::platform::registry::test
