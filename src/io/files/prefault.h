#pragma once

#include <cstddef>
#include <new>
#include <vector>

#include "model/allocation.h"

namespace qarto {

// Maps the pages of a freshly allocated buffer in one call. Large map
// layers are tens of megabytes; faulting them in page by page is several
// times slower than decoding them on virtual machines. A no-op where the
// system does not support it.
void prefaultPages(void* data, std::size_t bytes);

// allocateZeroed for large buffers: the pages are mapped before they are
// zeroed. Same limit and failure answer.
template <typename T>
bool allocateZeroedPrefaulted(std::vector<T>& buffer, std::size_t count) {
  if (count > allocationLimit() / sizeof(T)) return false;
  try {
    std::vector<T> fresh;
    fresh.reserve(count);
    prefaultPages(fresh.data(), count * sizeof(T));
    fresh.resize(count);
    buffer.swap(fresh);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace qarto
