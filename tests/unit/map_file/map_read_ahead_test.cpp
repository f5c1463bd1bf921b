// The map named on the command line is read on another thread while the
// window is made; opening it then must look exactly like reading it there.
#include "edit/session/map_read_ahead.h"

#include <gtest/gtest.h>

#include "edit/session/map_file_commands.h"
#include "io/files/recent_file_list.h"
#include "map_file_fixtures.h"

namespace qarto::test {
namespace {

const std::string kOldFormatStart = "The map you are loading is possibly an old Qarto format.";

// A saved map of two painted layers over one page.
std::string savedMap(const TempFolder& folder) {
  TestSession a;
  addTileset(a, 1, 16, 16, 3);
  a.project().lastTilesetId = 1;
  MapLayer& back = a.addLayer(LayerKind::Secondary, "Back", 5, 4);
  MapLayer& main = a.addLayer(LayerKind::Primary, "Main", 3, 3);
  for (std::size_t i = 0; i < back.cells.size(); ++i) back.cells[i] = {static_cast<std::int16_t>(i % 4), 1, 2, 0, 1, 0};
  for (std::size_t i = 0; i < main.cells.size(); ++i)
    main.cells[i] = {static_cast<std::int16_t>(3 - i % 4), 1, 0, 0, 2, 0};
  a.project().filePath = folder.file("saved.qrm");
  EXPECT_TRUE(saveMap(a.session, false));
  return a.project().filePath;
}

void expectSameProject(TestSession& a, TestSession& b) {
  ASSERT_EQ(a.project().layerCount(), b.project().layerCount());
  for (int i = 0; i < a.project().layerCount(); ++i) {
    const MapLayer& x = *a.project().layerAt(i);
    const MapLayer& y = *b.project().layerAt(i);
    EXPECT_TRUE(x.name == y.name && x.cells == y.cells) << i;
  }
  EXPECT_EQ(a.project().activeLayer == nullptr, b.project().activeLayer == nullptr);
  EXPECT_EQ(a.registry().size(), b.registry().size());
  EXPECT_EQ(a.project().filePath, b.project().filePath);
  EXPECT_EQ(a.project().modified, b.project().modified);
  EXPECT_EQ(RecentFileList(a.settings).entries(), RecentFileList(b.settings).entries());
  EXPECT_EQ(a.services.messages, b.services.messages);
}

TEST(MapReadAhead, AMapReadAheadOpensAsIfReadThere) {
  TempFolder folder;
  const std::string path = savedMap(folder);
  TestSession direct;
  ASSERT_TRUE(loadMap(direct.session, path));

  TestSession ahead;
  MapReadAhead read(path);
  std::string title;
  ASSERT_TRUE(
      loadMap(ahead.session, path, MapFileHooks{[&title](const std::string& t) { title = t; }, nullptr}, &read));
  expectSameProject(direct, ahead);
  EXPECT_EQ(title, "Qarto v0.99 - " + path);
  EXPECT_FALSE(read.take());  // it was used

  // A read of another path is left alone.
  std::filesystem::copy_file(path, folder.file("other.qrm"));
  TestSession other;
  MapReadAhead otherRead(folder.file("other.qrm"));
  ASSERT_TRUE(loadMap(other.session, path, {}, &otherRead));
  EXPECT_EQ(other.project().filePath, path);
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
    EXPECT_EQ(f.services.messages[0].text.rfind(kOldFormatStart, 0), 0u);
    EXPECT_EQ(f.project().layerCount(), answer == MessageAnswer::Ok ? 3 : 0);
  }
}

TEST(MapReadAhead, AMissingFileSaysSoAndLeavesTheProjectAlone) {
  TempFolder folder;
  TestSession f;
  MapLayer& mine = f.addLayer(LayerKind::Primary, "Mine", 3, 2);
  MapReadAhead read(folder.file("absent.qrm"));
  EXPECT_FALSE(loadMap(f.session, folder.file("absent.qrm"), {}, &read));
  EXPECT_EQ(f.services.lastMessage(), shown("File could not be opened for loading.", MessageIcon::Exclamation));
  ASSERT_EQ(f.project().layerCount(), 1);
  EXPECT_EQ(f.project().layerAt(0), &mine);
}

}  // namespace
}  // namespace qarto::test
