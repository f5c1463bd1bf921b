#include "io/collision_set_file.h"

#include <gtest/gtest.h>

#include "image_fixtures.h"
#include "model/allocation.h"

namespace qarto {
namespace {

using test::Bytes;

TEST(CollisionSetFile, EncodesExactBytesAndReadsThemBack) {
  CollisionSetFile set{3, 2, {1, 2, 3, 4, 5, 6}};
  const Bytes bytes = encodeCollisionSet(set);
  EXPECT_EQ(bytes, (Bytes{3, 0, 0, 0, 2, 0, 0, 0, 1, 2, 3, 4, 5, 6}));

  // Bytes after the table are ignored.
  test::TempFolder folder;
  Bytes longer = bytes;
  longer.push_back(99);
  test::writeBytes(folder.file("page.cll"), longer);
  CollisionSetFile back;
  ASSERT_TRUE(readCollisionSet(folder.file("page.cll"), back));
  EXPECT_EQ(std::pair(back.width, back.height), std::pair(3u, 2u));
  EXPECT_EQ(back.tiles, set.tiles);
  EXPECT_FALSE(readCollisionSet(folder.file("missing.cll"), back));

  // A set holding fewer entries than its size writes the rest as tile 0.
  set.tiles = {7};
  EXPECT_EQ(encodeCollisionSet(set), (Bytes{3, 0, 0, 0, 2, 0, 0, 0, 7, 0, 0, 0, 0, 0}));
}

TEST(CollisionSetFile, ShortOrHugeTablesAreRefused) {
  const Bytes whole = {2, 0, 0, 0, 2, 0, 0, 0, 9, 8, 7, 6};
  for (std::size_t length = 0; length < whole.size(); ++length) {
    CollisionSetFile set;
    set.width = 42;
    EXPECT_FALSE(decodeCollisionSet(length == 0 ? nullptr : whole.data(), length, set)) << length;
    EXPECT_EQ(set.width, 42u) << length;
  }
  ScopedAllocationLimit limit(1 << 16);
  const Bytes huge = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3};
  CollisionSetFile set;
  EXPECT_FALSE(decodeCollisionSet(huge.data(), huge.size(), set));
}

}  // namespace
}  // namespace qarto
