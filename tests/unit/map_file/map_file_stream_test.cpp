// Reading a map file as it is decoded must give exactly what decoding the
// whole file from memory gives, at every length the file may be cut to.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "io/map_file/file_byte_source.h"
#include "io/map_file/map_file_reader.h"
#include "map_file_fixtures.h"

namespace qarto::test {
namespace {

void expectSameMap(const LoadedMap& file, const LoadedMap& memory, const std::string& where) {
  SCOPED_TRACE(where);
  const auto outline = [](const LoadedMap& m) {
    return std::tuple(m.outcome, m.message, m.stoppedAt, m.revision, m.headerRead, m.tilesetsSkipped,
                      m.options.storedPath, m.options.lastTilesetId, m.options.unoptimizedMode);
  };
  EXPECT_EQ(outline(file), outline(memory));
  ASSERT_EQ(file.layers.size(), memory.layers.size());
  for (std::size_t i = 0; i < file.layers.size(); ++i) {
    const MapLayer& a = *file.layers[i];
    const MapLayer& b = *memory.layers[i];
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.parallaxX, b.parallaxX);
    EXPECT_EQ(a.entities, b.entities);
    ASSERT_EQ(a.cells.size(), b.cells.size());
    EXPECT_TRUE(a.cells.empty() || std::memcmp(a.cells.data(), b.cells.data(), a.cells.size() * sizeof(MapCell)) == 0);
  }
  ASSERT_EQ(file.tilesets.size(), memory.tilesets.size());
  for (std::size_t i = 0; i < file.tilesets.size(); ++i) {
    EXPECT_EQ(file.tilesets[i]->id, memory.tilesets[i]->id);
    EXPECT_EQ(file.tilesets[i]->sourcePath, memory.tilesets[i]->sourcePath);
    EXPECT_EQ(file.tilesets[i]->pixels, memory.tilesets[i]->pixels);
    EXPECT_EQ(file.tilesets[i]->palette, memory.tilesets[i]->palette);
    EXPECT_EQ(file.tilesets[i]->collisionSet, memory.tilesets[i]->collisionSet);
  }
}

// Every cut of `whole` from the file and from memory, with every question
// answered `answer`. (The map file fuzzer compares the two on any bytes.)
void expectSameAtEveryLength(const std::vector<std::uint8_t>& whole, bool answer, std::size_t step = 1) {
  TempFolder folder;
  const std::string path = folder.file("map.qrm");
  MapReadQuestions questions;
  questions.readAsOldFormat = [answer] { return answer; };
  questions.readDespiteLayerCount = [answer](std::int32_t) { return answer; };
  for (std::size_t length = 1; length <= whole.size(); length += (length + step > whole.size() ? 1 : step)) {
    const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    writeAll(path, cut);
    const MapFileRead read = readMapFile(path, questions);
    ASSERT_EQ(read.status, ReadStatus::Ok);
    expectSameMap(read.map, decodeMapFile(cut.data(), cut.size(), questions), "length " + std::to_string(length));
    if (::testing::Test::HasFailure()) return;
  }
}

// Revision 1: 6-byte cells, decoded slice by slice.
std::vector<std::uint8_t> revision1Map() {
  Bytes b = oldFileHeader(1, 2, 2, "C:\\old.qrm", 2);
  oldLayerHeader(b, "Back", 0, 0, 3, 2, 0.5f, 0.25f);
  for (int i = 0; i < 6; ++i) b.u16(100 + i).u8(2).u8(i).u8(0xFF).u8(0xEE);
  oldLayerHeader(b, "Hit", 1, 1, 2, 2, 1, 1);
  for (int i = 0; i < 4; ++i) b.u16(i).u8(2).u8(0).u8(1).u8(0);
  b.i32(1);
  tilesetRecordFormat1(b, 2, "old/page.bmp");
  return b.data;
}

// Revision 6: an entity layer between cell layers.
std::vector<std::uint8_t> revision6Map() {
  Bytes b = oldFileHeader(6, 2, 2, "/maps/six.qrm", 3);
  rev6LayerHeader(b, 0, "Main", 4, 3, 1, 1);
  for (int i = 0; i < 12; ++i) b.u16(i).u8(2).u8(i % 16).u16(0x1000 + i).u8(i % 4).u8(0);
  rev6LayerHeader(b, 3, "Things", 4, 3, 1, 1);
  for (int i = 0; i < 1536; ++i) b.u8(i % 251);
  rev6LayerHeader(b, 1, "Hit", 2, 1, 1, 1);
  for (int i = 0; i < 2; ++i) b.u16(i).u8(2).u8(0).u16(0).u8(0).u8(0);
  b.i32(1);
  tilesetRecordFormat2(b, 2, "page.bmp", false, true);
  return b.data;
}

TEST(MapFileStream, TheExampleMapReadsAsFromMemoryAtManyLengths) {
  const std::vector<std::uint8_t> demo = readBytes(std::string(QARTO_SOURCE_DIR) + "/examples/demo.qrm");
  ASSERT_GT(demo.size(), 1000u);
  ASSERT_TRUE(decodeMapFile(demo.data(), demo.size()).succeeded());
  expectSameAtEveryLength(demo, true, 97);
}

TEST(MapFileStream, OldRevisionsReadAsFromMemoryAtEveryLength) {
  for (const bool answer : {true, false}) {
    expectSameAtEveryLength(revision1Map(), answer);
    expectSameAtEveryLength(revision6Map(), answer);
  }
}

TEST(MapFileStream, OpeningAnswersAsAWholeReadWould) {
  TempFolder folder;
  EXPECT_EQ(readMapFile(folder.file("missing.qrm")).status, ReadStatus::NotFound);
  EXPECT_EQ(readMapFile(folder.path()).status, ReadStatus::NotFound);
  writeAll(folder.file("empty.qrm"), {});
  const MapFileRead empty = readMapFile(folder.file("empty.qrm"));
  EXPECT_EQ(empty.status, ReadStatus::Empty);
  EXPECT_EQ(empty.map.revision, 1);  // decoded like an empty buffer: no magic, the old-format question
  std::vector<std::uint8_t> empties;
  expectSameMap(empty.map, decodeMapFile(empties.data(), 0), "empty");

  writeAll(folder.file("big.qrm"), std::vector<std::uint8_t>(100, 1));
  FileByteSource source;
  EXPECT_EQ(source.open(folder.file("big.qrm"), 99), ReadStatus::TooLarge);
  EXPECT_EQ(source.open(folder.file("big.qrm"), 100), ReadStatus::Ok);
}

TEST(MapFileStream, AFileThatShrinksWhileReadEndsWhereItNowEnds) {
  TempFolder folder;
  const std::string path = folder.file("map.qrm");
  const std::vector<std::uint8_t> whole = revision6Map();
  writeAll(path, whole);
  FileByteSource source;
  ASSERT_EQ(source.open(path), ReadStatus::Ok);
  std::filesystem::resize_file(path, 400);
  const LoadedMap map = decodeMapSource(source);
  EXPECT_EQ(map.outcome, MapReadOutcome::Damaged);
  EXPECT_LE(map.stoppedAt, 400u);
  EXPECT_LE(map.layers.size(), 1u);
}

}  // namespace
}  // namespace qarto::test
