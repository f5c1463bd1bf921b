#include "io/collision_set_file.h"

#include <gtest/gtest.h>

#include "image_fixtures.h"
#include "model/allocation.h"

namespace qarto {
namespace {

using test::Bytes;

TEST(CollisionSetFile, EncodesExactBytesAndDecodesThemBack) {
  CollisionSetFile set;
  set.width = 3;
  set.height = 2;
  set.tiles = {1, 2, 3, 4, 5, 6};
  const Bytes bytes = encodeCollisionSet(set);
  EXPECT_EQ(bytes, (Bytes{3, 0, 0, 0, 2, 0, 0, 0, 1, 2, 3, 4, 5, 6}));

  CollisionSetFile back;
  ASSERT_TRUE(decodeCollisionSet(bytes.data(), bytes.size(), back));
  EXPECT_EQ(back.width, 3u);
  EXPECT_EQ(back.height, 2u);
  EXPECT_EQ(back.tiles, set.tiles);

  // Bytes after the table are ignored.
  Bytes longer = bytes;
  longer.push_back(99);
  ASSERT_TRUE(decodeCollisionSet(longer.data(), longer.size(), back));
  EXPECT_EQ(back.tiles, set.tiles);

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

TEST(CollisionSetFile, ReadsFromDisk) {
  test::TempFolder folder;
  test::writeBytes(folder.file("page.cll"), {1, 0, 0, 0, 1, 0, 0, 0, 5});
  CollisionSetFile set;
  ASSERT_TRUE(readCollisionSet(folder.file("page.cll"), set));
  EXPECT_EQ(set.tiles, Bytes{5});
  EXPECT_FALSE(readCollisionSet(folder.file("missing.cll"), set));
}

}  // namespace
}  // namespace qarto
