// The most heap memory this program held at once since a moment the test chooses, counted by
// replacing the global operator new and delete for the registry tests.
#pragma once

#include <cstddef>

namespace quill::test {

class AllocationPeak {
 public:
  AllocationPeak();
  // Bytes held at the peak beyond those held when this was made.
  std::size_t bytesAbove() const;

 private:
  std::size_t start_;
};

}  // namespace quill::test
