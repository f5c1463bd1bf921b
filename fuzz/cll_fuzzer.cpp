// Decodes arbitrary bytes as a .cll; what decodes must encode back to the
// same leading bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "io/collision_set_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qarto::CollisionSetFile set;
  if (!qarto::decodeCollisionSet(data, size, set)) return 0;
  FUZZ_CHECK(set.tiles.size() == static_cast<std::size_t>(set.width) * set.height);
  FUZZ_CHECK(8 + set.tiles.size() <= size);
  const std::vector<std::uint8_t> written = qarto::encodeCollisionSet(set);
  FUZZ_CHECK(written.size() == 8 + set.tiles.size());
  FUZZ_CHECK(std::equal(written.begin(), written.end(), data));
  return 0;
}
