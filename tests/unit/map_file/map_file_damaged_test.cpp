#include <gtest/gtest.h>

#include "edit/session/map_file_commands.h"
#include "io/files/recent_file_list.h"
#include "io/map_file/map_file_reader.h"
#include "map_file_fixtures.h"
#include "model/allocation.h"

namespace qarto::test {
namespace {

const std::string kDamaged = "The map file is damaged or truncated and could not be read completely.";

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

// A session with a map open: a failed open must leave it, the window title
// and the recent files exactly as they were.
struct OpenMap : TestSession {
  MapLayer& mine = addLayer(LayerKind::Primary, "Mine", 30, 20);
  std::vector<std::string> titles;
  MapFileHooks hooks{[this](const std::string& title) { titles.push_back(title); }, nullptr};

  OpenMap() {
    mine.cells[5].tile = 9;
    project().filePath = "/maps/mine.qrm";
    RecentFileList(settings).add("/maps/mine.qrm");
  }
  bool open(const std::string& path) { return loadMap(session, path, hooks); }
  void expectUntouched(const std::string& context) {
    ASSERT_EQ(project().layerCount(), 1) << context;
    EXPECT_EQ(std::tuple(project().layerAt(0), mine.cells[5].tile, project().filePath, registry().size()),
              std::tuple(&mine, 9, "/maps/mine.qrm", 0u))
        << context;
    EXPECT_EQ(std::tuple(titles.size(), RecentFileList(settings).entries()),
              std::tuple(0u, std::vector<std::string>{"/maps/mine.qrm"}))
        << context;
  }
};

TEST(MapFileDamaged, TruncationAtEveryLengthShowsTheMessageAndKeepsTheOpenMap) {
  TempFolder folder;
  const std::string path = folder.file("cut.qrm");
  const std::vector<std::uint8_t> whole = smallMap();
  ASSERT_TRUE(decode(whole).succeeded());
  OpenMap f;
  for (std::size_t length = 0; length < whole.size(); ++length) {
    writeAll(path, std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
    f.services.messages.clear();
    ASSERT_FALSE(f.open(path)) << length;
    ASSERT_EQ(f.services.lastMessage(), shown(kDamaged, MessageIcon::Exclamation)) << length;
    f.expectUntouched(std::to_string(length));
  }
  // A text file, read as an old map when the user goes on, or not at all.
  writeAll(path, std::vector<std::uint8_t>(400, 'a'));
  for (const MessageAnswer answer : {MessageAnswer::Ok, MessageAnswer::Cancel}) {
    f.services.answers = {answer, MessageAnswer::Yes};
    EXPECT_FALSE(f.open(path));
    f.expectUntouched("text file");
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
  EXPECT_EQ(map.message, kDamaged);
  EXPECT_EQ(map.stoppedAt, 281u + 96u);

  // Fields of the tileset record, of the layer header and of the file header.
  const std::size_t record = smallMap().size() - (22 + 4 + 6 + 4 + 5 + 16 + 1 + 64 + 768);
  const std::pair<std::size_t, std::int32_t> fields[] = {
      {record + 22, 0},     {record + 22, 257}, {record + 22, -1},  // source path length 1 to 256
      {record + 32, 257},                                           // name length
      {record + 49, 30000}, {record + 49, 12},                      // image width beyond the bytes, not a multiple of 8
      {record + 53, 0},     {record + 53, -8},                      // image height
      {281 + 8, 4},                                                 // layer kind
      {277, 0x7FFFFFFF},                                            // layer count
      {281 + 96 + 32, -1},                                          // tileset count
  };
  for (const auto& [offset, value] : fields) {
    std::vector<std::uint8_t> bytes = smallMap();
    storeI32(&bytes[offset], value);
    EXPECT_EQ(decode(bytes).outcome, MapReadOutcome::Damaged) << offset << " = " << value;
  }
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
  OpenMap f;
  {
    ScopedAllocationLimit limit(70000);
    EXPECT_FALSE(f.open(path));
  }
  ASSERT_EQ(f.services.messages.size(), 2u);  // the old-format question, then the failure
  EXPECT_EQ(f.services.lastMessage(), shown("Error....tile array allocation failed.  Try closing other applications. ",
                                            MessageIcon::Exclamation));
  f.expectUntouched("allocation");  // the layers read so far are dropped

  // A page that cannot be allocated is skipped with the rest; the map loads.
  Bytes pages = oldFileHeader(7, 0, 0, "", 0);
  pages.i32(2);
  tilesetRecordFormat2(pages, 2, "a.bmp", false, false);
  tilesetRecordStart(pages, 3, "b.bmp", false, false);
  pages.data.resize(pages.size() - 8);  // a 64x64 page instead of 8x8
  pages.i32(64).i32(64).zeros(64 * 64 + 768);
  ScopedAllocationLimit limit(1024);
  LoadedMap map = decode(pages.data);
  EXPECT_TRUE(map.succeeded() && map.tilesetsSkipped);
  EXPECT_EQ(map.tilesets.size(), 1u);
  EXPECT_EQ(map.message,
            "Tilesets allocation failed.\n\nThe application will continue, but you may not be able to "
            "load any additional textures.");
}

TEST(MapFileDamaged, LayerCountsOutsideZeroToThirtyTwoAskBeforeReading) {
  TempFolder folder;
  const std::string path = folder.file("count.qrm");
  const auto question = shown(
      "The map file is most likely not valid.  Would you like to continue and attempt to read "
      "the file anyway?",
      MessageIcon::Exclamation, "", MessageButtons::YesNo);
  for (std::int32_t count : {0, 32, 33, -1}) {
    SCOPED_TRACE(count);
    std::vector<std::uint8_t> bytes = smallMap(count < 0 ? 0 : count);
    storeI32(&bytes[277], count);
    writeAll(path, bytes);
    const bool asks = count < 0 || count > 32;

    TestSession yes;
    ASSERT_TRUE(loadMap(yes.session, path));
    EXPECT_EQ(yes.services.messages, asks ? std::vector{question} : std::vector<ScriptedServices::Message>{});
    EXPECT_EQ(yes.project().layerCount(), count < 0 ? 0 : count);
    EXPECT_EQ(yes.registry().size(), 1u);
    if (!asks) continue;
    OpenMap no;
    no.services.answers.push_back(MessageAnswer::No);
    EXPECT_FALSE(no.open(path));
    EXPECT_EQ(no.services.messages.size(), 1u);
    no.expectUntouched("declined count");
  }
}

}  // namespace
}  // namespace qarto::test
