// Counts the heap memory the registry tests hold, by replacing the global operator new and delete,
// so that a test can bound the most a reading takes.
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> held{0};
std::atomic<std::size_t> peak{0};
std::size_t base = 0;

// Each block carries its size in front, so that delete knows what it gives back.
constexpr std::size_t kHeader = alignof(std::max_align_t);

}  // namespace

void* operator new(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(block) = size;
  const std::size_t now = held += size;
  for (std::size_t top = peak; now > top && !peak.compare_exchange_weak(top, now);) {
  }
  return block + kHeader;
}

void operator delete(void* pointer) noexcept {
  if (pointer == nullptr) return;
  auto* block = static_cast<unsigned char*>(pointer) - kHeader;
  held -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept {
  operator delete(pointer);
}

namespace quill::test {

void StartHeapPeak() {
  base = peak = held.load();
}

std::size_t HeapPeakAboveStart() {
  return peak - base;
}

}  // namespace quill::test
