#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace qarto {

// The most bytes one buffer of the model may take. Allocations beyond it are
// treated as failed, so an absurd size takes the allocation-failure path
// instead of exhausting the machine. Tests lower it to exercise that path.
std::size_t allocationLimit();
void setAllocationLimit(std::size_t bytes);
inline constexpr std::size_t kDefaultAllocationLimit = std::size_t{1} << 30;

// Replaces `buffer` with `count` value-initialised elements; false (buffer
// untouched) when the allocation is over the limit or fails.
template <typename T>
bool allocateZeroed(std::vector<T>& buffer, std::size_t count) {
  if (count > allocationLimit() / sizeof(T)) return false;
  try {
    std::vector<T> fresh(count);
    buffer.swap(fresh);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

// Lowers the limit for one scope (tests).
class ScopedAllocationLimit {
 public:
  explicit ScopedAllocationLimit(std::size_t bytes) : previous_(allocationLimit()) { setAllocationLimit(bytes); }
  ~ScopedAllocationLimit() { setAllocationLimit(previous_); }
  ScopedAllocationLimit(const ScopedAllocationLimit&) = delete;
  ScopedAllocationLimit& operator=(const ScopedAllocationLimit&) = delete;

 private:
  std::size_t previous_;
};

}  // namespace qarto
