// Reading a map file as it is decoded must give exactly what decoding the
// whole file from memory gives, at every length the file may be cut to.
// (The map file fuzzer compares the two on any bytes.)
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
                      m.options.storedPath, m.options.lastTilesetId, m.options.unoptimizedMode, m.layers.size(),
                      m.tilesets.size());
  };
  ASSERT_EQ(outline(file), outline(memory));
  for (std::size_t i = 0; i < file.layers.size(); ++i) {
    const MapLayer& a = *file.layers[i];
    const MapLayer& b = *memory.layers[i];
    EXPECT_EQ(std::tie(a.kind, a.name, a.width, a.height, a.parallaxX, a.entities),
              std::tie(b.kind, b.name, b.width, b.height, b.parallaxX, b.entities));
    ASSERT_EQ(a.cells.size(), b.cells.size());
    EXPECT_TRUE(a.cells.empty() || std::memcmp(a.cells.data(), b.cells.data(), a.cells.size() * sizeof(MapCell)) == 0);
  }
  for (std::size_t i = 0; i < file.tilesets.size(); ++i) {
    const Tileset& a = *file.tilesets[i];
    const Tileset& b = *memory.tilesets[i];
    EXPECT_EQ(std::tie(a.id, a.sourcePath, a.pixels, a.palette, a.collisionSet),
              std::tie(b.id, b.sourcePath, b.pixels, b.palette, b.collisionSet));
  }
}

// Every cut of `whole` from the file and from memory, with every question
// answered `answer`.
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

TEST(MapFileStream, MapsReadAsFromMemoryAtEveryLength) {
  const std::vector<std::uint8_t> demo = readBytes(std::string(QARTO_SOURCE_DIR) + "/examples/demo.qrm");
  ASSERT_TRUE(decodeMapFile(demo.data(), demo.size()).succeeded());
  expectSameAtEveryLength(demo, true, 97);
  // Six-byte cells of revision 1 are decoded slice by slice; revision 6 has an entity layer.
  for (const bool answer : {true, false}) {
    expectSameAtEveryLength(oldMap(1), answer);
    expectSameAtEveryLength(oldMap(6), answer);
  }
}

TEST(MapFileStream, OpeningAnswersAsAWholeReadWouldAndAShrinkingFileEndsWhereItNowEnds) {
  TempFolder folder;
  EXPECT_EQ(readMapFile(folder.file("missing.qrm")).status, ReadStatus::NotFound);
  EXPECT_EQ(readMapFile(folder.path()).status, ReadStatus::NotFound);
  writeAll(folder.file("empty.qrm"), {});
  const MapFileRead empty = readMapFile(folder.file("empty.qrm"));
  EXPECT_EQ(empty.status, ReadStatus::Empty);
  expectSameMap(empty.map, decodeMapFile(nullptr, 0), "empty");

  const std::string path = folder.file("map.qrm");
  writeAll(path, oldMap(6));
  FileByteSource source;
  EXPECT_EQ(source.open(path, oldMap(6).size() - 1), ReadStatus::TooLarge);
  ASSERT_EQ(source.open(path, oldMap(6).size()), ReadStatus::Ok);
  std::filesystem::resize_file(path, 400);
  const LoadedMap map = decodeMapSource(source);
  EXPECT_EQ(map.outcome, MapReadOutcome::Damaged);
  EXPECT_LE(map.stoppedAt, 400u);
  EXPECT_LE(map.layers.size(), 1u);
}

}  // namespace
}  // namespace qarto::test
