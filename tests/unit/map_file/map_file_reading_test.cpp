// Reading map files from disk. The map named on the command line is read on
// another thread while the window is made; opening it then must look exactly
// like reading it there. Reading a file as it is decoded answers as a whole
// read would (the map file fuzzer compares the two on any bytes).
#include <gtest/gtest.h>

#include "edit/session/map_file_commands.h"
#include "edit/session/map_read_ahead.h"
#include "io/files/recent_file_list.h"
#include "io/map_file/file_byte_source.h"
#include "io/map_file/map_file_reader.h"
#include "map_file_fixtures.h"

namespace qarto::test {
namespace {

const std::string kDemo = std::string(QARTO_SOURCE_DIR) + "/examples/demo.qrm";

TEST(MapReadAhead, AMapReadAheadOpensAsIfReadThereAndAReadOfAnotherPathIsLeftAlone) {
  TestSession direct;
  ASSERT_TRUE(loadMap(direct.session, kDemo));
  TestSession ahead;
  MapReadAhead read(kDemo);
  std::string title;
  ASSERT_TRUE(loadMap(ahead.session, kDemo, {[&title](const std::string& t) { title = t; }, nullptr}, &read));
  EXPECT_FALSE(read.take());  // it was used
  EXPECT_EQ(title, "Qarto v0.99 - " + kDemo);
  ASSERT_EQ(ahead.project().layerCount(), direct.project().layerCount());
  for (int i = 0; i < direct.project().layerCount(); ++i) {
    const MapLayer& x = *direct.project().layerAt(i);
    const MapLayer& y = *ahead.project().layerAt(i);
    EXPECT_TRUE(x.name == y.name && x.cells == y.cells && x.entities == y.entities) << i;
  }
  EXPECT_EQ(std::tuple(ahead.project().indexOf(ahead.project().activeLayer), ahead.registry().size(),
                       ahead.project().modified, RecentFileList(ahead.settings).entries(), ahead.services.messages),
            std::tuple(direct.project().indexOf(direct.project().activeLayer), direct.registry().size(),
                       direct.project().modified, RecentFileList(direct.settings).entries(), direct.services.messages));

  TempFolder folder;
  std::filesystem::copy_file(kDemo, folder.file("other.qrm"));
  TestSession other;
  MapReadAhead otherRead(folder.file("other.qrm"));
  ASSERT_TRUE(loadMap(other.session, kDemo, {}, &otherRead));
  EXPECT_EQ(other.project().filePath, kDemo);
  EXPECT_TRUE(otherRead.take());
}

TEST(MapReadAhead, AFileThatAsksAQuestionIsReadAgainAsking) {
  TempFolder folder;
  const std::string path = folder.file("old.qrm");
  writeAll(path, oldMap(1));  // no magic line: opening it asks whether to read it at all
  for (const MessageAnswer answer : {MessageAnswer::Ok, MessageAnswer::Cancel}) {
    TestSession f;
    MapReadAhead read(path);
    f.services.answers.push_back(answer);
    EXPECT_EQ(loadMap(f.session, path, {}, &read), answer == MessageAnswer::Ok);
    ASSERT_EQ(f.services.messages.size(), 1u);
    EXPECT_EQ(f.services.messages[0].text.rfind("The map you are loading is possibly an old Qarto format.", 0), 0u);
    EXPECT_EQ(f.project().layerCount(), answer == MessageAnswer::Ok ? 3 : 0);
  }
}

TEST(MapFileStream, OpeningAnswersAndAShrinkingFileEndsWhereItNowEnds) {
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
}

}  // namespace
}  // namespace qarto::test
