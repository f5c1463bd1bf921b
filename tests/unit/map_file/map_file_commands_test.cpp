#include "edit/session/map_file_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "io/files/recent_file_list.h"
#include "io/map_file/map_file_writer.h"
#include "map_file_fixtures.h"

namespace qarto::test {
namespace {

const std::string kUnsaved = "There are unsaved changes.  Would you like to save them?";
const std::string kNotSaved = "File could not be opened for save.";

// A real atomic save whose writes fail past 1000 bytes, as on a full disk.
struct ShortWriteTarget : AtomicSaveTarget {
  using AtomicSaveTarget::AtomicSaveTarget;
  bool write(const std::uint8_t* data, std::size_t size) override {
    return (written += size) <= 1000 && AtomicSaveTarget::write(data, size);
  }
  std::size_t written = 0;
};

TEST(MapFileCommands, SaveRefusesAnEmptyProjectAndACancelledChooserChangesNothing) {
  TestSession f;
  EXPECT_FALSE(saveMap(f.session, false));
  EXPECT_EQ(f.services.messages, std::vector{shown("Nothing to save.", MessageIcon::Exclamation)});
  EXPECT_TRUE(f.services.saveRequests.empty());

  f.addLayer(LayerKind::Primary, "Main", 30, 20);
  f.project().modified = true;
  f.project().filePath = "/maps/now.qrm";
  EXPECT_FALSE(saveMap(f.session, true));  // chooser cancelled
  EXPECT_EQ(f.project().filePath, "/maps/now.qrm");
  EXPECT_TRUE(f.project().modified);
  EXPECT_EQ(describe(f.services.saveRequests.at(0)).find("title \"Save Map\""), 0u);
}

TEST(MapFileCommands, FailedSavesKeepThePreviousFileAndTheUnsavedState) {
  TempFolder folder;
  const std::string path = folder.file("keep.qrm");
  TestSession f;
  f.addLayer(LayerKind::Primary, "Main", 30, 20);
  f.project().filePath = path;
  ASSERT_TRUE(saveMap(f.session, false));
  const std::vector<std::uint8_t> previous = readBytes(path);
  f.project().layerAt(0)->cells[0].tile = 9;
  f.project().modified = true;

  std::vector<std::string> titles;
  MapFileHooks hooks;
  hooks.setWindowTitle = [&titles](const std::string& title) { titles.push_back(title); };
  hooks.openSaveTarget = [](const std::string& target) { return std::make_unique<ShortWriteTarget>(target); };
  EXPECT_FALSE(saveMap(f.session, false, hooks));
  EXPECT_TRUE(titles.empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);  // no temporary left

  // A folder that does not exist, and a path that is a folder.
  const std::string missing = folder.file("nowhere/map.qrm");
  const std::string isFolder = folder.file("sub");
  std::filesystem::create_directory(isFolder);
  f.services.saveFileAnswers = {missing, isFolder};
  EXPECT_FALSE(saveMap(f.session, true));
  EXPECT_FALSE(saveMap(f.session, true));
  const std::string unchanged = "\n\nThe file on disk is unchanged and the map keeps its unsaved changes.";
  EXPECT_EQ(f.services.texts(),
            (std::vector<std::string>{kNotSaved,
                                      kNotSaved + "\n\n" + missing + ": the folder does not exist (any more) (creating the file)." + unchanged,
                                      kNotSaved + "\n\n" + isFolder + ": a folder has that name (replacing the previous file)." + unchanged}));
  EXPECT_TRUE(f.project().modified);
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_TRUE(std::filesystem::is_empty(isFolder));
  EXPECT_EQ(RecentFileList(f.settings).entries().front(), isFolder);  // it could be opened, not written
  EXPECT_EQ(readBytes(path), previous);
}

TEST(MapFileCommands, LoadFailuresBeforeTheResetLeaveTheProjectAlone) {
  TempFolder folder;
  TestSession f;
  MapLayer& mine = f.addLayer(LayerKind::Primary, "Mine", 30, 20);
  f.project().filePath = folder.file("mine.qrm");
  f.settings.writeText("Settings", "LastMapPath", "/last");

  EXPECT_FALSE(loadMap(f.session, std::nullopt));  // chooser cancelled
  ASSERT_EQ(f.services.openRequests.size(), 1u);
  EXPECT_EQ(describe(f.services.openRequests[0]), chooser("Load Map", "Map Files (*.qrm)|*.qrm||", ".qrm", "/last"));

  f.services.openFileAnswers.push_back({folder.file("absent.qrm")});
  EXPECT_FALSE(loadMap(f.session, std::nullopt));
  EXPECT_EQ(f.settings.readText("Settings", "LastMapPath", ""), folder.path());
  EXPECT_TRUE(RecentFileList(f.settings).entries().empty());

  f.project().modified = true;
  f.services.answers.push_back(MessageAnswer::Cancel);
  EXPECT_FALSE(loadMap(f.session, folder.file("absent.qrm")));
  EXPECT_EQ(f.services.messages,
            (std::vector{shown("File could not be opened for loading.\n\n" + folder.file("absent.qrm"),
                               MessageIcon::Exclamation),
                         shown(kUnsaved, MessageIcon::Exclamation, "", MessageButtons::YesNoCancel)}));
  ASSERT_EQ(f.project().layerCount(), 1);
  EXPECT_EQ(f.project().layerAt(0), &mine);
  EXPECT_EQ(f.project().filePath, folder.file("mine.qrm"));
  EXPECT_TRUE(f.project().modified);
}

TEST(MapFileCommands, TheOpenedPathWinsOverTheStoredOneAndGoesToTheTopOfTheRecentFiles) {
  TempFolder folder;
  TestSession a;
  a.addLayer(LayerKind::Primary, "Main", 30, 20);
  a.project().filePath = folder.file("Original.qrm");
  ASSERT_TRUE(saveMap(a.session, false));
  const std::string moved = folder.file("original.qrm");  // another case: on this system another file
  std::filesystem::copy_file(a.project().filePath, moved);
  TestSession b;
  std::string title;
  ASSERT_TRUE(loadMap(b.session, moved, MapFileHooks{[&title](const std::string& t) { title = t; }, nullptr}));
  EXPECT_EQ(std::tuple(b.project().filePath, title, RecentFileList(b.settings).entries()),
            std::tuple(moved, "Qarto v0.99 - " + moved, std::vector<std::string>{moved}));
  // Opening a map already among the recent files moves it to the top; a path
  // spelt another way is the same map, in the same form everywhere.
  std::filesystem::create_directory(folder.file("sub"));
  ASSERT_TRUE(loadMap(b.session, a.project().filePath) &&
              loadMap(b.session, folder.file("sub/.././original.qrm"),
                      MapFileHooks{[&title](const std::string& t) { title = t; }, nullptr}));
  EXPECT_EQ(std::tuple(b.project().filePath, title, RecentFileList(b.settings).entries()),
            std::tuple(moved, "Qarto v0.99 - " + moved, std::vector<std::string>{moved, a.project().filePath}));
}

TEST(MapFileCommands, UnsavedChangesQuestionOffersSaveOrExportAndCancel) {
  TempFolder folder;
  TestSession f;
  f.project().modified = true;
  EXPECT_TRUE(confirmDiscard(f.session));  // modified but no layers: nothing to lose
  f.addLayer(LayerKind::Primary, "Main", 30, 20);
  // Cancel stops, No goes on, Yes with the chooser cancelled stops, Yes with a file saves.
  f.services.answers = {MessageAnswer::Cancel, MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::Yes};
  f.services.saveFileAnswers = {std::nullopt, folder.file("saved.qrm")};
  EXPECT_EQ((std::vector{confirmDiscard(f.session), confirmDiscard(f.session), confirmDiscard(f.session),
                         confirmDiscard(f.session)}),
            (std::vector{false, true, false, true}));
  EXPECT_EQ(f.services.messages,
            std::vector(4, shown(kUnsaved, MessageIcon::Exclamation, "", MessageButtons::YesNoCancel)));
  EXPECT_TRUE(std::filesystem::exists(folder.file("saved.qrm")));
  EXPECT_FALSE(f.project().modified);

  // While a collision set is edited the question is about the .cll, written beside the page.
  f.project().collisionSetEditing = f.project().modified = true;
  f.services.messages.clear();
  f.services.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
  EXPECT_FALSE(confirmDiscard(f.session));  // Yes, but there is no page to export for
  addTileset(f, 2, 8, 8, 1)->sourcePath = folder.file("page.bmp");
  f.addLayer(LayerKind::Collision, "Hit", 30, 20);
  EXPECT_TRUE(confirmDiscard(f.session));
  EXPECT_TRUE(std::filesystem::exists(folder.file("page.cll")));
  EXPECT_EQ(f.services.messages[0], shown("There are unsaved changes to the .cll.  Would you like to export them?",
                                          MessageIcon::Exclamation, "", MessageButtons::YesNoCancel));
}

TEST(MapFileCommands, DroppedMapsOpenOneAtATimeAndOtherDropsAreTilesets) {
  TempFolder folder;
  const std::string map = folder.file("first.qrm");
  TestSession a;
  a.addLayer(LayerKind::Primary, "Main", 30, 20);
  a.project().filePath = map;
  ASSERT_TRUE(saveMap(a.session, false));
  TestSession f;
  onFilesDropped(f.session, {map, folder.file("second.qrm")});
  EXPECT_EQ(f.project().filePath, map);
  // An image first: every dropped file is taken as a tile page, and the tile page reader refuses the map.
  const std::string bmp = writePage(folder, "page.bmp", makePage(8, 8, [](int, int) { return 0; }));
  onFilesDropped(f.session, {bmp, map});
  EXPECT_EQ(f.registry().countNonCollision(), 1);
  ASSERT_EQ(f.services.messages.size(), 2u);
  EXPECT_EQ(f.services.messages[0],
            shown("Qarto only supports drag and drop for one map at a time.\n\nOnly the first map in the list will be "
                  "opened.",
                  MessageIcon::Exclamation));
  EXPECT_EQ(f.services.messages[1].caption, "Qarto v0.99 - Tile Load Error");
}

}  // namespace
}  // namespace qarto::test
