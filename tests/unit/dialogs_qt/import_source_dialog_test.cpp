// Import Layer from .h/.c/.cpp: "<" fills the array lists from real source
// files, OK follows the map width and imports.
#include "app/dialogs/export/import_source_dialog.h"

#include <QGroupBox>
#include <fstream>

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

TEST(ImportSourceDialog, OkFollowsTheMapWidthAndImportsOrStaysOpen) {
  DialogFixture f;
  TempFolder folder;
  f.project().addLayer("Level", 30, 20, 1.0f, 1.0f, LayerKind::Primary, true);
  const char* files[][2] = {{"pal.c", "const u16 pal[16] = {0, 0x7fff};"},
                            {"tiles.c", "const u32 tiles[8] = {0x11111111};"},
                            {"map.h", "extern const u16 map[600];\nconst u16 map[600] = {0};"}};
  ImportSourceDialog dialog(f.session);
  showAndWait(dialog);
  EXPECT_EQ(dialog.windowTitle(), "Qarto v0.99 - Import Layer from .h/.c/.cpp");
  for (QLabel* label : dialog.findChildren<QLabel*>()) EXPECT_FALSE(label->text().contains("not quite ready"));
  QAbstractButton* ok = child<QAbstractButton>(dialog, "ok");
  auto hint = [&dialog] { return text(child<QLabel>(dialog, "hint")); };
  EXPECT_EQ(std::tuple(ok->isEnabled(), hint()),
            std::tuple(false, "Choose a palette, a tile and a map array, and the map width."));
  const char* prefixes[] = {"palette", "tiles", "map"};
  for (int i = 0; i < 3; ++i) {
    std::ofstream(folder.file(files[i][0])) << files[i][1];
    type(child<QLineEdit>(dialog, (std::string(prefixes[i]) + "File").c_str()),
         QString::fromStdString(folder.file(files[i][0])));
    click(child<QAbstractButton>(dialog, (std::string(prefixes[i]) + "Scan").c_str()));
  }
  EXPECT_EQ(std::tuple(ok->isEnabled(), hint()),
            std::tuple(false, "\"map\" holds 600 screen entries; Map Width must divide 600."));
  QLineEdit* width = child<QLineEdit>(dialog, "mapWidth");
  type(width, "7");
  EXPECT_FALSE(ok->isEnabled());
  type(width, "30");
  EXPECT_EQ(std::tuple(ok->isEnabled(), hint()), std::tuple(true, "The new layer will be 30 x 20 tiles."));

  // A refusal keeps the dialog open with the entries; the map is unchanged.
  type(width, "60");
  click(ok);
  EXPECT_EQ(f.services.lastText(),
            "The layer would be 60 x 10 tiles.  Map sizes must be no smaller than (30,20) "
            "tiles and no larger than (1024,1024) tiles.");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(f.stackNames(), std::vector<std::string>{"Level"});
  type(width, "30");
  click(ok);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(f.stackNames(), (std::vector<std::string>{"map", "Level"}));
}

TEST(ImportSourceDialog, ScanFillsTheListFromExportedFiles) {
  DialogFixture f;
  ScriptedServices& services = f.services;
  ImportSourceDialog dialog(f.session);
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
  DialogFixture f;
  ScriptedServices& services = f.services;
  TempFolder folder;
  ImportSourceDialog dialog(f.session);
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
