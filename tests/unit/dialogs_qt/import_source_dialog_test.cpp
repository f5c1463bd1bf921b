// Import Layer from .h/.c/.cpp: a front end whose "<" buttons fill the
// array lists from real source files.
#include <QGroupBox>

#include "app/dialogs/export/import_source_dialog.h"
#include "gui_fixture.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

QStringList entries(QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

const std::string kGolden = std::string(QARTO_SOURCE_DIR) + "/tests/golden/export/";

TEST(ImportSourceDialog, FrontEndOnly) {
  ScriptedServices services;
  ImportSourceDialog dialog(services);
  showAndWait(dialog);
  EXPECT_EQ(dialog.windowTitle(), "Qarto v0.99 - Import Layer from .h/.c/.cpp");
  EXPECT_FALSE(child<QAbstractButton>(dialog, "ok")->isEnabled());
  EXPECT_EQ(text(child<QLabel>(dialog, "note")), "Note: this tool is not quite ready yet");
  QStringList groups;
  for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) groups << group->title();
  EXPECT_EQ(groups, (QStringList{"Palette File:", "Tile Data File:", "Map Data File:"}));
  EXPECT_NE(child<QLineEdit>(dialog, "mapWidth"), nullptr);
  click(button(dialog, "Cancel"));
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(ImportSourceDialog, ScanFillsTheListFromExportedFiles) {
  ScriptedServices services;
  ImportSourceDialog dialog(services);
  showAndWait(dialog);
  type(child<QLineEdit>(dialog, "paletteFile"),
       QString::fromStdString(kGolden + "entities_collision/files/BG_Externs.h"));
  click(child<QAbstractButton>(dialog, "paletteScan"));
  QComboBox* arrays = child<QComboBox>(dialog, "paletteArrays");
  EXPECT_EQ(entries(arrays), (QStringList{"bgPalette", "bgTiles", "bgMap", "bgCollision", "bgMap2", "bgCollision2", "bgMap3"}));
  EXPECT_EQ(arrays->currentText(), "bgPalette");

  services.openFileAnswers = {{kGolden + "entities_collision/files/BG_Maps.cpp"}};
  click(child<QAbstractButton>(dialog, "mapBrowse"));
  ASSERT_EQ(services.openRequests.size(), 1u);
  EXPECT_EQ(services.openRequests[0].title, "Load Header");
  click(child<QAbstractButton>(dialog, "mapScan"));
  EXPECT_EQ(entries(child<QComboBox>(dialog, "mapArrays")), (QStringList{"bgMap", "bgMap2", "bgMap3", "list"}));
  EXPECT_TRUE(services.messages.empty());
}

TEST(ImportSourceDialog, ScanRefusalsKeepTheList) {
  ScriptedServices services;
  TempFolder folder;
  ImportSourceDialog dialog(services);
  showAndWait(dialog);
  QLineEdit* file = child<QLineEdit>(dialog, "tilesFile");
  QComboBox* arrays = child<QComboBox>(dialog, "tilesArrays");
  type(file, QString::fromStdString(kGolden + "tile_groups/files/BG_Tiles.cpp"));
  click(child<QAbstractButton>(dialog, "tilesScan"));
  ASSERT_EQ(entries(arrays), QStringList{"bgTiles"});

  const std::string empty = folder.file("empty.h");
  writeBytes(empty, {});
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {"", "Specify a file first"},
      {folder.file("missing.h"), "File not found"},
      {empty, "File <" + empty + "> is empty!"},
  };
  for (const auto& c : cases) {
    type(file, QString::fromStdString(c.path));
    click(child<QAbstractButton>(dialog, "tilesScan"));
    EXPECT_EQ(services.lastText(), c.message);
    EXPECT_EQ(services.lastMessage().caption, "Qarto v0.99");
    EXPECT_EQ(entries(arrays), QStringList{"bgTiles"});
  }

  // A file without arrays empties the list.
  const std::string plain = folder.file("plain.c");
  writeBytes(plain, {'i', 'n', 't', ' ', 'x', ';'});
  type(file, QString::fromStdString(plain));
  click(child<QAbstractButton>(dialog, "tilesScan"));
  EXPECT_EQ(arrays->count(), 0);
}

}  // namespace
}  // namespace qarto::test
