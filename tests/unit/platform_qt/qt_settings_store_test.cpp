#include "platform/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <string>

namespace qarto {
namespace {

class QtSettingsStoreTest : public ::testing::Test {
 protected:
  std::string iniPath() const { return dir_.filePath("qarto.ini").toStdString(); }
  void writeFile(const QByteArray& bytes) const {
    QFile file(QString::fromStdString(iniPath()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  // An empty or unusable store gives back every default.
  static void expectDefaults(QtSettingsStore& store) {
    EXPECT_EQ(store.readInt("Settings", "UndoLevels", -7), -7);
    EXPECT_EQ(store.readText("Settings", "ClearColor", "0 0 0 0"), "0 0 0 0");
  }
  QTemporaryDir dir_;
};

TEST_F(QtSettingsStoreTest, ValuesRoundTripThroughTheFileExactly) {
  const char* texts[] = {"a, b", " leading blank", "100%", "x=y", ";comment?", "#hash", "[Section]",
                         "@ByteArray(x)", "\"quoted\"", "back\\slash", "tab\tand\nnewline", "Ünïcödé/Pfad", ""};
  {
    QtSettingsStore store(iniPath());
    for (std::size_t i = 0; i < std::size(texts); ++i) store.writeText("Settings", "T" + std::to_string(i), texts[i]);
    store.writeInt("Settings", "Number", -42);
    store.writeInt("Exporting", "Number", 5);  // the same key in another section
    store.writeInt("Settings", "mapgrid", 9);  // keys differ in case
    store.writeText("Settings", "Height", " 160 ");
    ASSERT_TRUE(store.sync());
  }
  QtSettingsStore store(iniPath());
  for (std::size_t i = 0; i < std::size(texts); ++i) EXPECT_EQ(store.readText("Settings", "T" + std::to_string(i), "x"), texts[i]);
  EXPECT_EQ(store.readInt("Settings", "Number", 0), -42);
  EXPECT_EQ(store.readText("Settings", "Number", ""), "-42");
  EXPECT_EQ(store.readInt("Exporting", "Number", 0), 5);
  EXPECT_EQ(store.readInt("Settings", "MapGrid", -1), -1);
  EXPECT_EQ(store.readInt("Settings", "Height", 0), 160);
}

TEST_F(QtSettingsStoreTest, TextsReadAsNumbersOnlyWhenTheyAreWholeNumbers) {
  writeFile("[Settings]\nList=a, b\nNumber = 12 \nQuoted=\" x, y\"\nHalf=1.5\nTail=12abc\nHuge=99999999999\n");
  QtSettingsStore store(iniPath());
  EXPECT_EQ(store.readText("Settings", "List", ""), "a, b");
  EXPECT_EQ(store.readText("Settings", "Quoted", ""), " x, y");
  EXPECT_EQ(store.readInt("Settings", "Number", 0), 12);
  for (const char* key : {"List", "Half", "Tail", "Huge"}) EXPECT_EQ(store.readInt("Settings", key, 77), 77) << key;
}

TEST_F(QtSettingsStoreTest, MissingGarbledOrUnusableFilesGiveDefaults) {
  {
    QtSettingsStore store(iniPath());
    expectDefaults(store);
  }
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(iniPath()))) << "reading must not create the file";

  for (const QByteArray& bytes : {QByteArray("\0\0\0\0", 4), QByteArray("[Settings\n=\n==\n[\n]]]\n\xff\xfe"),
                                  QByteArray("\xef\xbb\xbf[Settings]\nMapGridColor")}) {
    writeFile(bytes);
    {
      QtSettingsStore store(iniPath());
      expectDefaults(store);
      store.writeInt("Settings", "ScreenWidth", 256);
      store.sync();
    }
    EXPECT_EQ(QtSettingsStore(iniPath()).readInt("Settings", "ScreenWidth", 0), 256);
  }

  const QString folder = dir_.filePath("folder.ini");  // a folder where the file should be
  ASSERT_TRUE(QDir().mkdir(folder));
  QtSettingsStore store(folder.toStdString());
  expectDefaults(store);
  store.writeInt("Settings", "ScreenWidth", 256);
  EXPECT_FALSE(store.sync());
}

TEST(QtSettingsStoreLocation, PerUserFileIsUnderTheConfigFolder) {
  const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
  ASSERT_TRUE(configHome.startsWith(QDir::tempPath())) << "tests must not use the real configuration";
  // Only the application's own per-user file counts, not an organisation-wide one.
  ASSERT_TRUE(QDir().mkpath(configHome));
  QFile organisationWide(configHome + "/Vantrel Software.ini");
  ASSERT_TRUE(organisationWide.open(QIODevice::WriteOnly));
  organisationWide.write("[Settings]\nUndoLevels=40\n");
  organisationWide.close();

  QtSettingsStore store;
  EXPECT_EQ(store.readInt("Settings", "UndoLevels", 1), 1);
  EXPECT_EQ(QString::fromStdString(store.fileName()), configHome + "/Vantrel Software/Qarto.ini");
  store.writeText("Settings", "DefMapPath", "/maps");
  ASSERT_TRUE(store.sync());
  EXPECT_EQ(QtSettingsStore().readText("Settings", "DefMapPath", ""), "/maps");
}

}  // namespace
}  // namespace qarto
