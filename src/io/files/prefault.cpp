#include "io/files/prefault.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace qarto {

void prefaultPages(void* data, std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + page - 1) / page * page;  // madvise wants whole pages
  const std::uintptr_t last = (begin + bytes) / page * page;
  if (data == nullptr || page == 0 || last <= first) return;
  // Failure only means the pages are faulted in one by one later.
  madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace qarto
