#include "model/allocation.h"

namespace qarto {

namespace {
std::size_t g_limit = kDefaultAllocationLimit;
}

std::size_t allocationLimit() { return g_limit; }
void setAllocationLimit(std::size_t bytes) { g_limit = bytes; }

}  // namespace qarto
