#include "platform/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <filesystem>
#include <string>

#include "io/files/recent_file_list.h"
#include "support/failing_file_system.h"
#include "support/temp_folder.h"

namespace qarto {
namespace {

TEST(QtSettingsStore, ValuesRoundTripAndDamagedFilesGiveTheDefaults) {
  QTemporaryDir dir;
  const QString path = dir.filePath("qarto.ini");
  const std::string texts[] = {"a, b", " leading blank", ";comment?", "[Section]", "tab\tand\nnewline", "Ünïcödé/Pfad"};
  {
    QtSettingsStore store(path.toStdString());
    EXPECT_EQ(store.readInt("Settings", "UndoLevels", -7), -7);
    for (std::size_t i = 0; i < std::size(texts); ++i) store.writeText("Settings", "T" + std::to_string(i), texts[i]);
    store.writeInt("Settings", "Number", -42);
    store.writeInt("Exporting", "Number", 5);  // the same key in another section
    store.writeText("Settings", "Height", " 160 ");
    ASSERT_TRUE(store.sync());
  }
  QtSettingsStore store(path.toStdString());
  for (std::size_t i = 0; i < std::size(texts); ++i)
    EXPECT_EQ(store.readText("Settings", "T" + std::to_string(i), "x"), texts[i]);
  EXPECT_EQ(std::tuple(store.readInt("Settings", "Number", 0), store.readText("Settings", "Number", ""),
                       store.readInt("Exporting", "Number", 0), store.readInt("Settings", "number", 7),
                       store.readInt("Settings", "Height", 0), store.readInt("Settings", "T0", 77)),
            std::tuple(-42, std::string("-42"), 5, 7, 160, 77));

  QFile file(path);  // garbage reads as defaults
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write("[Settings\n=\n==\n[\n]]]\n\xff\xfe\0\0", 24);
  file.close();
  EXPECT_EQ(QtSettingsStore(path.toStdString()).readText("Settings", "T0", "default"), "default");

  const QString folder = dir.filePath("folder.ini");  // a folder where the file should be
  ASSERT_TRUE(QDir().mkdir(folder));
  QtSettingsStore unusable(folder.toStdString());
  unusable.writeInt("Settings", "ScreenWidth", 256);
  EXPECT_FALSE(unusable.sync());
}

TEST(QtSettingsStore, AWriteFailingAtAnyStepKeepsTheWholeOldFileAndTheNewValuesForTheNextTry) {
  test::TempFolder folder;
  const std::string path = folder.file("Qarto.ini");
  {
    QtSettingsStore store(path);
    store.writeInt("Settings", "UndoLevels", 30);
    RecentFileList(store).add("/maps/a.qrm");
    ASSERT_TRUE(store.sync());
  }
  const std::vector<std::uint8_t> saved = test::readBytes(path);
  const struct { WriteStep step; const char* says; } cases[] = {
      {WriteStep::CreateTemporary, ": the disk is full (creating the file)."},
      {WriteStep::Write, ": the disk is full (writing the file)."},
      {WriteStep::Sync, ": the disk is full (flushing the file to disk)."},
      {WriteStep::SyncFolder, ": the disk is full (flushing the folder to disk)."},
      {WriteStep::Rename, ": the disk is full (replacing the previous file)."}};
  for (const auto& c : cases) {
    test::FailingFileSystem system(c.step, ENOSPC);
    QtSettingsStore store(path, system);
    store.writeInt("Settings", "UndoLevels", 99);
    RecentFileList(store).add("/maps/b.qrm");
    EXPECT_FALSE(store.sync());
    EXPECT_EQ(describeWriteFailure(path, store.lastFailure().value()), path + c.says);
    EXPECT_EQ(test::readBytes(path), saved);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);  // no temporary left
    EXPECT_EQ(store.readInt("Settings", "UndoLevels", 0), 99);

    system.failing.reset();  // the disk has room again
    ASSERT_TRUE(store.sync());
    QtSettingsStore reread(path);
    EXPECT_EQ(reread.readInt("Settings", "UndoLevels", 0), 99);
    EXPECT_EQ(RecentFileList(reread).entries(), (std::vector<std::string>{"/maps/b.qrm", "/maps/a.qrm"}));
    test::writeBytes(path, saved);
  }
}

TEST(QtSettingsStore, AWriteReachesTheFileOnceTheEventLoopRunsAndAStoreGoneMeanwhileIsNoHarm) {
  test::TempFolder folder;
  const std::string path = folder.file("Qarto.ini");
  int argc = 1;
  char name[] = "settings";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  QtSettingsStore store(path);
  RecentFileList(store).add("/maps/a.qrm");
  EXPECT_FALSE(std::filesystem::exists(path));
  QCoreApplication::processEvents();
  QtSettingsStore reread(path);
  EXPECT_EQ(RecentFileList(reread).entries(), std::vector<std::string>{"/maps/a.qrm"});
  {
    QtSettingsStore gone(path);
    gone.writeInt("Settings", "UndoLevels", 5);
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(QtSettingsStore(path).readInt("Settings", "UndoLevels", 0), 5);  // written by its end
}

TEST(QtSettingsStore, TwoEditorsKeepEachOthersKeys) {
  test::TempFolder folder;
  const std::string path = folder.file("Qarto.ini");
  QtSettingsStore first(path);
  QtSettingsStore second(path);
  first.writeInt("Settings", "UndoLevels", 12);
  ASSERT_TRUE(first.sync());
  second.writeText("Exporting", "Folder", "/out");
  ASSERT_TRUE(second.sync());
  QtSettingsStore reread(path);
  EXPECT_EQ(reread.readInt("Settings", "UndoLevels", 0), 12);
  EXPECT_EQ(reread.readText("Exporting", "Folder", ""), "/out");
  EXPECT_EQ(second.readInt("Settings", "UndoLevels", 0), 12);  // and the second sees it after its sync
}

}  // namespace
}  // namespace qarto
