#include "platform/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <string>

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

}  // namespace
}  // namespace qarto
