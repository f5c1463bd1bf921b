#include <gtest/gtest.h>

#include <filesystem>

#include "edit/map_file_commands.h"
#include "io/bmp_codec.h"
#include "io/map_file_format.h"
#include "io/recent_file_list.h"
#include "map_file_fixtures.h"

namespace qarto::test {
namespace {

// A real atomic save whose writes stop after `budget` bytes, as on a full disk.
class ShortWriteTarget : public MapSaveTarget {
 public:
  ShortWriteTarget(const std::string& path, std::size_t budget) : file_(path), budget_(budget) {}
  bool open() override { return file_.open(); }
  bool write(const std::uint8_t* data, std::size_t size) override {
    if (size > budget_) {
      file_.write(data, budget_);
      budget_ = 0;
      return false;
    }
    budget_ -= size;
    return file_.write(data, size);
  }
  bool commit() override { return file_.commit(); }

 private:
  AtomicSaveTarget file_;
  std::size_t budget_;
};

void expectMessage(const ScriptedServices& services, const std::string& text, MessageButtons buttons) {
  ASSERT_FALSE(services.messages.empty());
  EXPECT_EQ(services.lastText(), text);
  EXPECT_EQ(services.lastMessage().caption, "Qarto v0.99");
  EXPECT_EQ(services.lastMessage().buttons, buttons);
  EXPECT_EQ(services.lastMessage().icon, MessageIcon::Exclamation);
}

TEST(MapFileCommands, SaveAsksForAPathInTheRememberedFolderAndRefusesAnEmptyProject) {
  SessionFixture f;
  EXPECT_FALSE(saveMap(f.session, false));
  expectMessage(f.services, "Nothing to save.", MessageButtons::Ok);
  EXPECT_TRUE(f.services.saveRequests.empty());

  f.pushLayer(LayerKind::Primary, "Main", 30, 20);
  f.project.modified = true;
  f.settings.writeText("Settings", "LastMapPath", "/last");
  f.settings.writeText("Settings", "DefMapPath", "/default");
  EXPECT_FALSE(saveMap(f.session, false));  // chooser cancelled
  ASSERT_EQ(f.services.saveRequests.size(), 1u);
  const FileChooserRequest& request = f.services.saveRequests[0];
  EXPECT_EQ(request.title, "Save Map");
  EXPECT_EQ(request.filter, "Map Files (*.qrm)|*.qrm||");
  EXPECT_EQ(request.defaultExtension, ".qrm");
  EXPECT_EQ(request.initialFolder, "/last");
  EXPECT_TRUE(f.project.filePath.empty());
  EXPECT_TRUE(f.project.modified);

  f.settings.writeInt("Settings", "UseDefMapPath", 1);
  f.project.filePath = "/maps/now.qrm";
  EXPECT_FALSE(saveMap(f.session, true));
  EXPECT_EQ(f.services.saveRequests.back().initialFolder, "/default");
  EXPECT_EQ(f.services.saveRequests.back().initialFile, "/maps/now.qrm");
  EXPECT_EQ(f.project.filePath, "/maps/now.qrm");
}

TEST(MapFileCommands, FailedSavesKeepThePreviousFileAndTheUnsavedState) {
  TempFolder folder;
  const std::string path = folder.file("keep.qrm");
  SessionFixture f;
  f.pushLayer(LayerKind::Primary, "Main", 30, 20);
  f.project.filePath = path;
  ASSERT_TRUE(saveMap(f.session, false));
  const std::vector<std::uint8_t> previous = readAll(path);
  f.project.layerAt(0)->cells[0].tile = 9;
  f.project.modified = true;

  std::vector<std::string> titles;
  MapFileHooks hooks;
  hooks.setWindowTitle = [&titles](const std::string& title) { titles.push_back(title); };
  hooks.openSaveTarget = [](const std::string& target) { return std::make_unique<ShortWriteTarget>(target, 1000); };
  EXPECT_FALSE(saveMap(f.session, false, hooks));
  expectMessage(f.services, "File could not be opened for save.", MessageButtons::Ok);
  EXPECT_TRUE(f.project.modified);
  EXPECT_EQ(readAll(path), previous);
  EXPECT_TRUE(titles.empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);  // no temporary left

  // A folder that does not exist, and a path that is a folder.
  const std::string missing = folder.file("nowhere/map.qrm");
  const std::string isFolder = folder.file("sub");
  std::filesystem::create_directory(isFolder);
  for (const std::string& bad : {missing, isFolder}) {
    SCOPED_TRACE(bad);
    f.services.messages.clear();
    f.services.saveFileAnswers.push_back(bad);
    EXPECT_FALSE(saveMap(f.session, true));
    expectMessage(f.services, "File could not be opened for save.", MessageButtons::Ok);
    EXPECT_TRUE(f.project.modified);
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_TRUE(std::filesystem::is_directory(isFolder));
  EXPECT_TRUE(std::filesystem::is_empty(isFolder));
  EXPECT_EQ(RecentFileList(f.settings).entries().front(), isFolder);  // it could be opened, not written
  EXPECT_EQ(readAll(path), previous);
}

TEST(MapFileCommands, LoadFailuresBeforeTheResetLeaveTheProjectAlone) {
  TempFolder folder;
  SessionFixture f;
  MapLayer& mine = f.pushLayer(LayerKind::Primary, "Mine", 30, 20);
  f.project.filePath = folder.file("mine.qrm");
  f.settings.writeText("Settings", "LastMapPath", "/last");

  EXPECT_FALSE(loadMap(f.session, std::nullopt));  // chooser cancelled
  ASSERT_EQ(f.services.openRequests.size(), 1u);
  EXPECT_EQ(f.services.openRequests[0].title, "Load Map");
  EXPECT_EQ(f.services.openRequests[0].filter, "Map Files (*.qrm)|*.qrm||");
  EXPECT_EQ(f.services.openRequests[0].defaultExtension, ".qrm");
  EXPECT_EQ(f.services.openRequests[0].initialFolder, "/last");
  EXPECT_FALSE(f.services.openRequests[0].multiple);

  f.services.openFileAnswers.push_back({folder.file("absent.qrm")});
  EXPECT_FALSE(loadMap(f.session, std::nullopt));
  expectMessage(f.services, "File could not be opened for loading.", MessageButtons::Ok);
  EXPECT_EQ(f.settings.readText("Settings", "LastMapPath", ""), folder.path());
  EXPECT_TRUE(RecentFileList(f.settings).entries().empty());

  f.project.modified = true;
  f.services.answers.push_back(MessageAnswer::Cancel);
  EXPECT_FALSE(loadMap(f.session, folder.file("absent.qrm")));
  expectMessage(f.services, "There are unsaved changes.  Would you like to save them?", MessageButtons::YesNoCancel);

  ASSERT_EQ(f.project.layerCount(), 1);
  EXPECT_EQ(f.project.layerAt(0), &mine);
  EXPECT_EQ(f.project.filePath, folder.file("mine.qrm"));
  EXPECT_TRUE(f.project.modified);
}

TEST(MapFileCommands, TheOpenedPathWinsOverTheStoredOne) {
  TempFolder folder;
  SessionFixture a;
  a.pushLayer(LayerKind::Primary, "Main", 30, 20);
  a.project.filePath = folder.file("Original.qrm");
  ASSERT_TRUE(saveMap(a.session, false));
  std::filesystem::create_directory(folder.file("moved"));
  // Same name in another case: on this system it is another file.
  const std::string moved = folder.file("moved/original.qrm");
  std::filesystem::copy_file(a.project.filePath, moved);

  SessionFixture b;
  std::string title;
  MapFileHooks hooks;
  hooks.setWindowTitle = [&title](const std::string& t) { title = t; };
  ASSERT_TRUE(loadMap(b.session, moved, hooks));
  EXPECT_EQ(b.project.filePath, moved);
  EXPECT_EQ(title, "Qarto v0.99 - " + moved);
  EXPECT_EQ(RecentFileList(b.settings).entries(), std::vector<std::string>{moved});
}

TEST(MapFileCommands, UnsavedChangesQuestionOffersSaveOrExportAndCancel) {
  TempFolder folder;
  SessionFixture f;
  EXPECT_TRUE(confirmDiscard(f.session));  // nothing to lose
  f.project.modified = true;
  EXPECT_TRUE(confirmDiscard(f.session));  // modified but no layers
  EXPECT_TRUE(f.services.messages.empty());

  f.pushLayer(LayerKind::Primary, "Main", 30, 20);
  f.services.answers = {MessageAnswer::Cancel, MessageAnswer::No};
  EXPECT_FALSE(confirmDiscard(f.session));
  expectMessage(f.services, "There are unsaved changes.  Would you like to save them?", MessageButtons::YesNoCancel);
  EXPECT_TRUE(confirmDiscard(f.session));
  EXPECT_TRUE(f.project.modified);

  f.services.answers = {MessageAnswer::Yes};  // the save chooser is then cancelled
  EXPECT_FALSE(confirmDiscard(f.session));
  EXPECT_TRUE(f.project.modified);
  f.services.answers = {MessageAnswer::Yes};
  f.services.saveFileAnswers.push_back(folder.file("saved.qrm"));
  EXPECT_TRUE(confirmDiscard(f.session));
  EXPECT_TRUE(std::filesystem::exists(folder.file("saved.qrm")));
  EXPECT_FALSE(f.project.modified);

  // While a collision set is edited the question is about the .cll.
  f.project.collisionSetEditing = true;
  f.project.modified = true;
  f.services.messages.clear();
  f.services.answers = {MessageAnswer::Cancel, MessageAnswer::No, MessageAnswer::Yes};
  EXPECT_FALSE(confirmDiscard(f.session));
  expectMessage(f.services, "There are unsaved changes to the .cll.  Would you like to export them?",
                MessageButtons::YesNoCancel);
  EXPECT_TRUE(confirmDiscard(f.session));
  EXPECT_FALSE(confirmDiscard(f.session));  // Yes, but there is no page to export for
  EXPECT_EQ(f.services.messages.size(), 4u);

  Tileset* page = f.addTileset(2, 8, 8, 1);
  page->sourcePath = folder.file("page.bmp");
  f.pushLayer(LayerKind::Collision, "Hit", 30, 20);
  f.services.answers = {MessageAnswer::Yes};
  EXPECT_TRUE(confirmDiscard(f.session));
  EXPECT_TRUE(std::filesystem::exists(folder.file("page.cll")));
}

TEST(MapFileCommands, DroppedMapsOpenOneAtATimeAndOtherDropsAreTilesets) {
  TempFolder folder;
  SessionFixture a;
  a.pushLayer(LayerKind::Primary, "Main", 30, 20);
  const std::string first = folder.file("first.qrm");
  const std::string second = folder.file("second.qrm");
  a.project.filePath = first;
  ASSERT_TRUE(saveMap(a.session, false));
  a.project.filePath = second;
  ASSERT_TRUE(saveMap(a.session, false));

  SessionFixture f;
  onFilesDropped(f.session, {first, second});
  ASSERT_EQ(f.services.messages.size(), 1u);
  expectMessage(f.services,
                "Qarto only supports drag and drop for one map at a time.\n\nOnly the first map in the list will be "
                "opened.",
                MessageButtons::Ok);
  EXPECT_EQ(f.project.filePath, first);
  EXPECT_EQ(f.project.layerCount(), 1);

  // An image first: every dropped file is taken as a tile page.
  IndexedImage image;
  image.imageWidth = 8;
  image.imageHeight = 8;
  image.pixels.assign(64, 0);
  std::string message;
  const std::string bmp = folder.file("page.bmp");
  ASSERT_TRUE(writeIndexedBmp(bmp, image, 256, message)) << message;
  f.services.messages.clear();
  onFilesDropped(f.session, {bmp, second});
  EXPECT_EQ(f.project.filePath, first);
  EXPECT_EQ(f.session.registry().countNonCollision(), 1);
  ASSERT_EQ(f.services.messages.size(), 1u);  // the tile page reader refuses the map file
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Tile Load Error");
}

TEST(MapFileCommands, WindowTitleShowsThePathAndUnoptimizedMode) {
  SessionFixture f;
  EXPECT_EQ(windowTitle(f.project), "Qarto v0.99");
  f.project.filePath = "/maps/a.qrm";
  EXPECT_EQ(windowTitle(f.project), "Qarto v0.99 - /maps/a.qrm");
  f.project.unoptimizedMode = true;
  EXPECT_EQ(windowTitle(f.project), "Qarto v0.99 - /maps/a.qrm  (Un-opt. mode)");
}

}  // namespace
}  // namespace qarto::test
