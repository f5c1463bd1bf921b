#include <gtest/gtest.h>

#include "edit/map_file_commands.h"
#include "io/map_file_format.h"
#include "io/map_file_reader.h"
#include "io/map_file_writer.h"
#include "map_file_fixtures.h"
#include "model/allocation.h"

namespace qarto::test {
namespace {

// Revision 7, one 2x2 primary layer and one 8x8 page.
std::vector<std::uint8_t> smallMap(std::int32_t layerCount = 1) {
  Bytes b = oldFileHeader(7, 2, 2, "/x.qrm", layerCount);
  for (int n = 0; n < layerCount; ++n) {
    b.zeros(8).i32(0).field("L", 32).u8(1).u8(0).u8(0).u8(0).u16(2).u16(2).f32(1).f32(1).zeros(4).zeros(32);
    for (int i = 0; i < 4; ++i) b.u16(i).u8(2).u8(0).u16(0).u8(0).u8(0);
  }
  b.i32(1);
  tilesetRecordFormat2(b, 2, "p.bmp", false, true);
  return b.data;
}

LoadedMap decode(const std::vector<std::uint8_t>& bytes) { return decodeMapFile(bytes.data(), bytes.size()); }

TEST(MapFileDamaged, TruncationAtEveryLengthShowsTheMessageAndLeavesAnEmptyProject) {
  TempFolder folder;
  const std::string path = folder.file("cut.qrm");
  const std::vector<std::uint8_t> whole = smallMap();
  ASSERT_TRUE(decode(whole).succeeded());
  SessionFixture f;
  for (std::size_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    writeAll(path, std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
    f.pushLayer(LayerKind::Primary, "Mine", 30, 20);
    f.services.messages.clear();
    ASSERT_FALSE(loadMap(f.session, path));
    ASSERT_FALSE(f.services.messages.empty());
    EXPECT_EQ(f.services.lastText(), kMapDamagedMessage);
    EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99");
    EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Exclamation);
    EXPECT_FALSE(f.project.hasLayers());
    EXPECT_TRUE(f.session.registry().empty());
    EXPECT_TRUE(f.project.filePath.empty());
  }
}

TEST(MapFileDamaged, HostileSizesAreRefusedBeforeAnythingIsAllocated) {
  ScopedAllocationLimit limit(64 * 1024);

  // A layer header claiming 65535x65535 cells in a 2 KB file.
  Bytes huge = oldFileHeader(7, 0, 0, "", 1);
  huge.zeros(8).i32(0).field("Big", 32).u8(1).u8(0).u8(0).u8(0).u16(65535).u16(65535).f32(1).f32(1).zeros(36);
  huge.zeros(2048 - huge.size());
  LoadedMap map = decode(huge.data);
  EXPECT_EQ(map.outcome, MapReadOutcome::Damaged);
  EXPECT_EQ(map.message, kMapDamagedMessage);
  EXPECT_EQ(map.stoppedAt, 281u + 96u);

  // Tileset records: string lengths, page sizes and embedded images.
  const std::size_t recordStart = smallMap().size() - (22 + 4 + 6 + 4 + 5 + 16 + 1 + 64 + 768);
  auto withRecordField = [&](std::size_t offset, std::int32_t value) {
    std::vector<std::uint8_t> bytes = smallMap();
    storeI32(&bytes[recordStart + offset], value);
    return decode(bytes).outcome;
  };
  EXPECT_EQ(withRecordField(22, 0), MapReadOutcome::Damaged);      // L1 below 1
  EXPECT_EQ(withRecordField(22, 257), MapReadOutcome::Damaged);    // L1 over 256
  EXPECT_EQ(withRecordField(22, -1), MapReadOutcome::Damaged);
  EXPECT_EQ(withRecordField(32, 257), MapReadOutcome::Damaged);    // L2 over 256
  EXPECT_EQ(withRecordField(49, 30000), MapReadOutcome::Damaged);  // imageWidth far beyond the bytes
  EXPECT_EQ(withRecordField(49, 12), MapReadOutcome::Damaged);     // not a multiple of 8
  EXPECT_EQ(withRecordField(53, 0), MapReadOutcome::Damaged);      // no height
  EXPECT_EQ(withRecordField(53, -8), MapReadOutcome::Damaged);

  // A 256-byte string is the longest accepted.
  Bytes longest = oldFileHeader(7, 0, 0, "", 0);
  longest.i32(1);
  tilesetRecordFormat2(longest, 3, std::string(255, 'a'), false, false);
  map = decode(longest.data);
  ASSERT_TRUE(map.succeeded());
  EXPECT_EQ(map.tilesets.at(0)->sourcePath, std::string(255, 'a'));

  // Format 1: an embedded image that claims more than the file holds, or
  // that is too small for the page it should contain.
  Bytes embedded = oldFileHeader(4, 0, 0, "", 0);
  embedded.i32(1);
  tilesetRecordFormat1(embedded, 2, "p.bmp");
  ASSERT_TRUE(decode(embedded.data).succeeded());
  const std::size_t sizeField = embedded.size() - (1078 + 64) - 4;
  std::vector<std::uint8_t> bytes = embedded.data;
  storeI32(&bytes[sizeField], 0x7FFFFFFF);
  EXPECT_EQ(decode(bytes).outcome, MapReadOutcome::Damaged);
  storeI32(&bytes[sizeField], 1078 + 63);
  EXPECT_EQ(decode(bytes).outcome, MapReadOutcome::Damaged);

  // Unknown layer kinds and absurd counts.
  bytes = smallMap();
  storeI32(&bytes[281 + 8], 4);
  EXPECT_EQ(decode(bytes).outcome, MapReadOutcome::Damaged);
  bytes = smallMap();
  storeI32(&bytes[277], 0x7FFFFFFF);
  EXPECT_EQ(decode(bytes).outcome, MapReadOutcome::Damaged);
  bytes = smallMap();
  storeI32(&bytes[281 + 96 + 32], -1);  // tileset count
  EXPECT_EQ(decode(bytes).outcome, MapReadOutcome::Damaged);
}

TEST(MapFileDamaged, AllocationFailuresStopWithTheirMessages) {
  // The whole file fits under the limit, but six-byte cells grow to eight.
  TempFolder folder;
  const std::string path = folder.file("old.qrm");
  Bytes b = oldFileHeader(1, 0, 0, "", 2);
  oldLayerHeader(b, "Small", 0, 1, 2, 2, 1, 1);
  b.zeros(4 * 6);
  oldLayerHeader(b, "Large", 0, 0, 100, 100, 1, 1);
  b.zeros(100 * 100 * 6);
  b.i32(0);
  writeAll(path, b.data);

  SessionFixture f;
  {
    ScopedAllocationLimit limit(70000);
    EXPECT_FALSE(loadMap(f.session, path));
  }
  ASSERT_EQ(f.services.messages.size(), 2u);  // the old-format question, then the failure
  EXPECT_EQ(f.services.lastText(), "Error....tile array allocation failed.  Try closing other applications. ");
  EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Exclamation);
  ASSERT_EQ(f.project.layerCount(), 1);  // the layers read so far stay
  EXPECT_EQ(f.project.layerAt(0)->nameText(), "Small");
  EXPECT_TRUE(f.project.filePath.empty());  // so Save cannot overwrite the complete file

  // A page that cannot be allocated is skipped with the rest; the map loads.
  Bytes pages = oldFileHeader(7, 0, 0, "", 0);
  pages.i32(2);
  tilesetRecordFormat2(pages, 2, "a.bmp", false, false);
  tilesetRecordStart(pages, 3, "b.bmp", false, false);
  pages.data.resize(pages.size() - 8);  // a 64x64 page instead of 8x8
  pages.i32(64).i32(64).zeros(64 * 64 + 768);
  ScopedAllocationLimit limit(1024);
  LoadedMap map = decode(pages.data);
  EXPECT_TRUE(map.succeeded());
  EXPECT_TRUE(map.tilesetsSkipped);
  EXPECT_EQ(map.tilesets.size(), 1u);
  EXPECT_EQ(map.message, kTilesetAllocationMessage);
}

TEST(MapFileDamaged, LayerCountsOutsideZeroToThirtyTwoAskBeforeReading) {
  TempFolder folder;
  const std::string path = folder.file("count.qrm");
  for (std::int32_t count : {0, 32, 33, -1}) {
    SCOPED_TRACE(count);
    std::vector<std::uint8_t> bytes = smallMap(count < 0 ? 0 : count);
    storeI32(&bytes[277], count);
    writeAll(path, bytes);
    const bool asks = count < 0 || count > 32;

    SessionFixture yes;
    ASSERT_TRUE(loadMap(yes.session, path));
    ASSERT_EQ(yes.services.messages.size(), asks ? 1u : 0u);
    EXPECT_EQ(yes.project.layerCount(), count < 0 ? 0 : count);
    EXPECT_EQ(yes.session.registry().size(), 1u);
    if (!asks) continue;
    EXPECT_EQ(yes.services.lastText(), kLayerCountQuestion);
    EXPECT_EQ(yes.services.lastMessage().buttons, MessageButtons::YesNo);
    EXPECT_EQ(yes.services.lastMessage().icon, MessageIcon::Exclamation);

    SessionFixture no;
    no.pushLayer(LayerKind::Primary, "Mine", 30, 20);
    no.services.answers.push_back(MessageAnswer::No);
    EXPECT_FALSE(loadMap(no.session, path));
    EXPECT_EQ(no.services.messages.size(), 1u);
    EXPECT_FALSE(no.project.hasLayers());
    EXPECT_TRUE(no.session.registry().empty());
  }
}

}  // namespace
}  // namespace qarto::test
