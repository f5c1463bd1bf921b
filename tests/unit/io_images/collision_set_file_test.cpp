#include "io/collision_set_file.h"

#include <gtest/gtest.h>

#include "image_fixtures.h"
#include "model/allocation.h"

namespace qarto {
namespace {

using test::Bytes;

TEST(CollisionSetFile, EncodesExactBytesReadsThemBackAndRefusesShortTables) {
  CollisionSetFile set{3, 2, {1, 2, 3, 4, 5, 6}};
  const Bytes bytes = encodeCollisionSet(set);
  EXPECT_EQ(bytes, (Bytes{3, 0, 0, 0, 2, 0, 0, 0, 1, 2, 3, 4, 5, 6}));
  set.tiles = {7};  // fewer entries than its size: the rest are tile 0
  EXPECT_EQ(encodeCollisionSet(set), (Bytes{3, 0, 0, 0, 2, 0, 0, 0, 7, 0, 0, 0, 0, 0}));

  test::TempFolder folder;
  Bytes longer = bytes;
  longer.push_back(99);  // bytes after the table are ignored
  test::writeBytes(folder.file("page.cll"), longer);
  CollisionSetFile back;
  ASSERT_TRUE(readCollisionSet(folder.file("page.cll"), back));
  EXPECT_EQ(std::tuple(back.width, back.height, back.tiles), std::tuple(3u, 2u, Bytes{1, 2, 3, 4, 5, 6}));
  EXPECT_FALSE(readCollisionSet(folder.file("missing.cll"), back));

  for (std::size_t length = 0; length < bytes.size(); ++length) {
    EXPECT_FALSE(decodeCollisionSet(length == 0 ? nullptr : bytes.data(), length, back)) << length;
    EXPECT_EQ(back.width, 3u) << length;  // left as it was
  }
  ScopedAllocationLimit limit(1 << 16);
  const Bytes huge = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3};
  EXPECT_FALSE(decodeCollisionSet(huge.data(), huge.size(), back));
}

}  // namespace
}  // namespace qarto
