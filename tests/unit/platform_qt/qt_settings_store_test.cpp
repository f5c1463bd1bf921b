#include "platform/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <string>
#include <unistd.h>

namespace qarto {
namespace {

class QtSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

  std::string iniPath() const { return dir_.filePath("qarto.ini").toStdString(); }

  void writeFile(const QByteArray& bytes) const {
    QFile file(QString::fromStdString(iniPath()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }

  // Reads of an empty store: every default comes back.
  static void expectDefaults(QtSettingsStore& store) {
    EXPECT_EQ(store.readInt("Settings", "MapGridColor", 0x00FFFFFF), 0x00FFFFFF);
    EXPECT_EQ(store.readInt("Settings", "UndoLevels", -7), -7);
    EXPECT_EQ(store.readText("Settings", "ClearColor", "0 0 0 0"), "0 0 0 0");
    EXPECT_EQ(store.readText("Exporting", "PaletteFile", ""), "");
  }

  QTemporaryDir dir_;
};

TEST_F(QtSettingsStoreTest, ValuesRoundTripThroughTheFileExactly) {
  const char* texts[] = {"a, b", "1,2,3", " leading blank", "trailing blank ", "100%", "%f %f", "x=y", "a;b",
                         ";comment?", "#hash", "[Section]", "@ByteArray(x)", "\"quoted\"", "back\\slash",
                         "tab\tand\nnewline", "Ünïcödé/Pfad", ""};
  {
    QtSettingsStore store(iniPath());
    int i = 0;
    for (const char* text : texts) store.writeText("Settings", "Text" + std::to_string(i++), text);
    store.writeInt("Settings", "Number", -42);
    store.writeInt("Settings", "Color", 0x001AC8FF);
    // Same key in two sections, and keys differing only in case.
    store.writeInt("Exporting", "Number", 5);
    store.writeInt("Settings", "MapGrid", 1);
    store.writeInt("Settings", "mapgrid", 0);
    store.writeInt("settings", "MapGrid", 9);
    ASSERT_TRUE(store.sync());
  }

  QtSettingsStore store(iniPath());
  int i = 0;
  for (const char* text : texts) {
    EXPECT_EQ(store.readText("Settings", "Text" + std::to_string(i++), "default"), text);
  }
  EXPECT_EQ(store.readInt("Settings", "Number", 0), -42);
  EXPECT_EQ(store.readText("Settings", "Number", ""), "-42");
  EXPECT_EQ(store.readInt("Settings", "Color", 0), 0x001AC8FF);
  EXPECT_EQ(store.readInt("Exporting", "Number", 0), 5);
  EXPECT_EQ(store.readInt("Settings", "MapGrid", -1), 1);
  EXPECT_EQ(store.readInt("Settings", "mapgrid", -1), 0);
  EXPECT_EQ(store.readInt("settings", "MapGrid", -1), 9);
  EXPECT_EQ(store.readInt("Settings", "MAPGRID", -1), -1);
}

TEST_F(QtSettingsStoreTest, NumbersAndTextsReadEachOther) {
  QtSettingsStore store(iniPath());
  // Before and after the file is written.
  store.writeInt("Settings", "ScreenWidth", 240);
  EXPECT_EQ(store.readText("Settings", "ScreenWidth", ""), "240");
  store.writeText("Settings", "ScreenHeight", " 160 ");
  EXPECT_EQ(store.readInt("Settings", "ScreenHeight", 0), 160);

  const struct {
    const char* text;
    int expected;  // default is 77
  } cases[] = {{"12", 12}, {"-3", -3}, {"", 77}, {"abc", 77}, {"12abc", 77}, {"1.5", 77},
               {"010", 10}, {"99999999999", 77}, {"a, b", 77}};
  for (const auto& c : cases) store.writeText("Settings", c.text, c.text);
  ASSERT_TRUE(store.sync());

  QtSettingsStore reopened(iniPath());
  EXPECT_EQ(reopened.readText("Settings", "ScreenWidth", ""), "240");
  EXPECT_EQ(reopened.readInt("Settings", "ScreenHeight", 0), 160);
  for (const auto& c : cases) EXPECT_EQ(reopened.readInt("Settings", c.text, 77), c.expected) << c.text;
}

TEST_F(QtSettingsStoreTest, HandEditedFileIsReadSensibly) {
  writeFile("[Settings]\nList=a, b\nNumber = 12 \nQuoted=\" x, y\"\n");
  QtSettingsStore store(iniPath());
  EXPECT_EQ(store.readText("Settings", "List", ""), "a, b");
  EXPECT_EQ(store.readInt("Settings", "List", 3), 3);
  EXPECT_EQ(store.readInt("Settings", "Number", 0), 12);
  EXPECT_EQ(store.readText("Settings", "Quoted", ""), " x, y");
}

TEST_F(QtSettingsStoreTest, MissingFileGivesDefaultsAndIsNotCreatedByReading) {
  {
    QtSettingsStore store(iniPath());
    expectDefaults(store);
  }
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(iniPath())));
}

TEST_F(QtSettingsStoreTest, GarbledFileGivesDefaultsAndCanBeWrittenAgain) {
  QByteArray garbage;
  for (int i = 0; i < 4096; ++i) garbage.append(static_cast<char>((i * 7919 + 13) % 256));
  const QByteArray cases[] = {garbage, QByteArray("\0\0\0\0", 4), QByteArray("[Settings\n=\n==\n[\n]]]\n\xff\xfe"),
                              QByteArray("\xef\xbb\xbf[Settings]\nMapGridColor")};
  for (const QByteArray& bytes : cases) {
    writeFile(bytes);
    {
      QtSettingsStore store(iniPath());
      expectDefaults(store);
      store.writeInt("Settings", "ScreenWidth", 256);
      store.sync();
    }
    QtSettingsStore reopened(iniPath());
    EXPECT_EQ(reopened.readInt("Settings", "ScreenWidth", 0), 256);
  }
}

TEST_F(QtSettingsStoreTest, UnusableFileGivesDefaultsWithoutCrashing) {
  // A folder where the file should be.
  const QString folder = dir_.filePath("folder.ini");
  ASSERT_TRUE(QDir().mkdir(folder));
  {
    QtSettingsStore store(folder.toStdString());
    expectDefaults(store);
    store.writeInt("Settings", "ScreenWidth", 256);
    EXPECT_FALSE(store.sync());
  }
  EXPECT_TRUE(QFileInfo(folder).isDir());

  // A file nobody may read; the superuser reads it all the same.
  if (geteuid() != 0) {
    writeFile("[Settings]\nUndoLevels=30\n");
    QFile::setPermissions(QString::fromStdString(iniPath()), QFileDevice::Permissions());
    QtSettingsStore store(iniPath());
    expectDefaults(store);
  }
}

TEST(QtSettingsStoreLocation, PerUserFileIsUnderTheConfigFolder) {
  const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
  ASSERT_FALSE(configHome.isEmpty());
  ASSERT_TRUE(configHome.startsWith(QDir::tempPath())) << "tests must not use the real configuration";

  // Only the application's own per-user file counts, not an organisation-wide one.
  ASSERT_TRUE(QDir().mkpath(configHome));
  QFile organisationWide(configHome + "/Vantrel Software.ini");
  ASSERT_TRUE(organisationWide.open(QIODevice::WriteOnly));
  organisationWide.write("[Settings]\nUndoLevels=40\n");
  organisationWide.close();

  QtSettingsStore store;
  EXPECT_EQ(store.readInt("Settings", "UndoLevels", 1), 1);
  const QString fileName = QString::fromStdString(store.fileName());
  EXPECT_EQ(fileName, configHome + "/Vantrel Software/Qarto.ini");

  store.writeText("Settings", "DefMapPath", "/maps");
  ASSERT_TRUE(store.sync());
  EXPECT_TRUE(QFileInfo::exists(fileName));
  EXPECT_EQ(QtSettingsStore().readText("Settings", "DefMapPath", ""), "/maps");
}

}  // namespace
}  // namespace qarto
