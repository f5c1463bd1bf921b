// Opening a map file for reading as it is decoded answers as a whole read
// would. (The map file fuzzer compares reading from the file with decoding
// from memory on any bytes.)
#include <gtest/gtest.h>

#include "io/map_file/file_byte_source.h"
#include "io/map_file/map_file_reader.h"
#include "map_file_fixtures.h"

namespace qarto::test {
namespace {

TEST(MapFileStream, OpeningAnswersAsAWholeReadWouldAndAShrinkingFileEndsWhereItNowEnds) {
  TempFolder folder;
  EXPECT_EQ(readMapFile(folder.file("missing.qrm")).status, ReadStatus::NotFound);
  EXPECT_EQ(readMapFile(folder.path()).status, ReadStatus::NotFound);
  writeAll(folder.file("empty.qrm"), {});
  const MapFileRead empty = readMapFile(folder.file("empty.qrm"));
  EXPECT_EQ(empty.status, ReadStatus::Empty);
  // Decoded like an empty buffer: no magic, the old-format question.
  EXPECT_EQ(std::tuple(empty.map.outcome, empty.map.revision, empty.map.stoppedAt),
            std::tuple(decodeMapFile(nullptr, 0).outcome, 1, std::size_t{0}));

  const std::string path = folder.file("map.qrm");
  const std::vector<std::uint8_t> whole = oldMap(6);
  writeAll(path, whole);
  FileByteSource source;
  EXPECT_EQ(source.open(path, whole.size() - 1), ReadStatus::TooLarge);
  ASSERT_EQ(source.open(path, whole.size()), ReadStatus::Ok);
  std::filesystem::resize_file(path, 400);
  const LoadedMap map = decodeMapSource(source);
  EXPECT_EQ(map.outcome, MapReadOutcome::Damaged);
  EXPECT_LE(map.stoppedAt, 400u);
  EXPECT_LE(map.layers.size(), 1u);

  // Cut anywhere, it still reads as from memory.
  for (std::size_t length = 1; length < whole.size(); length += 53) {
    writeAll(path, std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
    const LoadedMap file = readMapFile(path).map;
    const LoadedMap memory = decodeMapFile(whole.data(), length);
    EXPECT_EQ(std::tuple(file.outcome, file.stoppedAt, file.layers.size(), file.tilesets.size()),
              std::tuple(memory.outcome, memory.stoppedAt, memory.layers.size(), memory.tilesets.size()))
        << length;
  }
}

}  // namespace
}  // namespace qarto::test
