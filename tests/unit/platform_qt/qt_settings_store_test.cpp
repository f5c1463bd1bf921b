#include "platform/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <string>

namespace qarto {
namespace {

TEST(QtSettingsStore, ValuesRoundTripThroughTheFileExactly) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("qarto.ini").toStdString();
  const char* texts[] = {"a, b", " leading blank", "100%", "x=y", ";comment?", "[Section]", "@ByteArray(x)",
                         "\"quoted\"", "back\\slash", "tab\tand\nnewline", "Ünïcödé/Pfad", ""};
  {
    QtSettingsStore store(path);
    for (std::size_t i = 0; i < std::size(texts); ++i) store.writeText("Settings", "T" + std::to_string(i), texts[i]);
    store.writeInt("Settings", "Number", -42);
    store.writeInt("Exporting", "Number", 5);  // the same key in another section
    store.writeText("Settings", "Height", " 160 ");
    ASSERT_TRUE(store.sync());
  }
  QtSettingsStore store(path);
  for (std::size_t i = 0; i < std::size(texts); ++i) EXPECT_EQ(store.readText("Settings", "T" + std::to_string(i), "x"), texts[i]);
  EXPECT_EQ(store.readInt("Settings", "Number", 0), -42);
  EXPECT_EQ(store.readText("Settings", "Number", ""), "-42");
  EXPECT_EQ(store.readInt("Exporting", "Number", 0), 5);
  EXPECT_EQ(store.readInt("Settings", "number", 7), 7);  // keys differ in case
  EXPECT_EQ(store.readInt("Settings", "Height", 0), 160);
  EXPECT_EQ(store.readInt("Settings", "T0", 77), 77);  // "a, b" is no number
}

TEST(QtSettingsStore, MissingGarbledOrUnusableFilesGiveTheDefaults) {
  QTemporaryDir dir;
  const QString path = dir.filePath("qarto.ini");
  EXPECT_EQ(QtSettingsStore(path.toStdString()).readInt("Settings", "UndoLevels", -7), -7);
  EXPECT_FALSE(QFileInfo::exists(path)) << "reading must not create the file";
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Settings\n=\n==\n[\n]]]\n\xff\xfe\0\0", 24);
  }
  {
    QtSettingsStore store(path.toStdString());
    EXPECT_EQ(store.readText("Settings", "ClearColor", "0 0 0 0"), "0 0 0 0");
    store.writeInt("Settings", "ScreenWidth", 256);
    ASSERT_TRUE(store.sync());
  }
  EXPECT_EQ(QtSettingsStore(path.toStdString()).readInt("Settings", "ScreenWidth", 0), 256);

  const QString folder = dir.filePath("folder.ini");  // a folder where the file should be
  ASSERT_TRUE(QDir().mkdir(folder));
  QtSettingsStore store(folder.toStdString());
  EXPECT_EQ(store.readInt("Settings", "UndoLevels", -7), -7);
  store.writeInt("Settings", "ScreenWidth", 256);
  EXPECT_FALSE(store.sync());
}

TEST(QtSettingsStore, PerUserFileIsUnderTheConfigFolder) {
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
