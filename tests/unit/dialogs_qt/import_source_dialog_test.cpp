// Import Layer from .h/.c/.cpp: "..." and "<" fill each group's array list,
// the hint and OK follow the map width, a refusal keeps the entries, OK
// imports. Reading the arrays and the refusals are the core's tests.
#include "app/dialogs/layers/import_source_dialog.h"

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

TEST(ImportSourceDialog, TheGroupsFillTheirListsAndOkFollowsTheMapWidth) {
  DialogFixture f;
  TempFolder folder;
  f.project().addLayer("Level", 30, 20, 1.0f, 1.0f, LayerKind::Primary, true);
  std::ofstream(folder.file("pal.c")) << "const u16 pal[16] = {0, 0x7fff};";
  std::ofstream(folder.file("gfx.c")) << "const u32 tiles[8] = {0x11111111};\nconst u16 map[600] = {0};";
  ImportSourceDialog dialog(f.session);
  showAndWait(dialog);
  QAbstractButton* ok = child<QAbstractButton>(dialog, "ok");
  auto state = [&] { return std::pair(ok->isEnabled(), child<QLabel>(dialog, "hint")->text()); };
  EXPECT_EQ(state(), std::pair(false, QString("Choose a palette, a tile and a map array, and the map width.")));

  type(child<QLineEdit>(dialog, "paletteFile"), QString::fromStdString(folder.file("missing.c")));
  click(child<QAbstractButton>(dialog, "paletteScan"));
  EXPECT_EQ(f.services.lastText(), "File not found");
  type(child<QLineEdit>(dialog, "paletteFile"), QString::fromStdString(folder.file("pal.c")));
  click(child<QAbstractButton>(dialog, "paletteScan"));
  for (const char* group : {"tiles", "map"}) {
    f.services.openFileAnswers = {{folder.file("gfx.c")}};
    click(child<QAbstractButton>(dialog, (std::string(group) + "Browse").c_str()));
    click(child<QAbstractButton>(dialog, (std::string(group) + "Scan").c_str()));
  }
  EXPECT_EQ(entries(child<QComboBox>(dialog, "paletteArrays")), QStringList{"pal"});
  EXPECT_EQ(entries(child<QComboBox>(dialog, "tilesArrays")), QStringList({"tiles", "map"}));
  child<QComboBox>(dialog, "mapArrays")->setCurrentIndex(1);
  EXPECT_EQ(state(), std::pair(false, QString("\"map\" holds 600 screen entries; Map Width must divide 600.")));

  QLineEdit* width = child<QLineEdit>(dialog, "mapWidth");
  type(width, "60");
  EXPECT_EQ(state(), std::pair(true, QString("The new layer will be 60 x 10 tiles.")));
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

}  // namespace
}  // namespace qarto::test
