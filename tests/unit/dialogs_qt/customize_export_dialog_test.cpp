// Customize Text Export: five pages over "Exporting", .qrd files in and
// out through Import Def. and Export Def., OK and Cancel.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/dialogs/controls/tab_host.h"
#include "app/dialogs/customize_export/customize_export_dialog.h"
#include "export/definition/definition_file.h"
#include "gui_fixture.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

struct CustomizeFixture : DialogFixture {
  TempFolder folder;
  CustomizeExportDialog dialog{services, settings, folder.path()};
  CustomizeFixture() { showAndWait(dialog); }
  QWidget* page(int index) { return dialog.tabs()->page(index); }
  QLineEdit* edit(int index, const char* name) { return child<QLineEdit>(*page(index), name); }
  QPlainTextEdit* text(int index, const char* name) { return child<QPlainTextEdit>(*page(index), name); }
  QRadioButton* extern_(int index, int state) {
    return child<QRadioButton>(*page(index), QString("extern%1").arg(state).toUtf8().constData());
  }
  void select(int index) { dialog.tabs()->setCurrentIndex(index); }
};

TEST(CustomizeExportDialog, TabsAndDefaults) {
  CustomizeFixture f;
  EXPECT_EQ(f.dialog.windowTitle(), "Qarto v0.99 - Customize Text Export");
  TabHost* tabs = f.dialog.tabs();
  ASSERT_EQ(tabs->count(), 5);
  const QStringList labels = {"Palette File    ", "BG Tiles File    ", "Map File    ", "Collision File    ",
                              "Miscellaneous    "};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(tabs->tabText(i), labels[i]);
    EXPECT_FALSE(tabs->tabBar()->tabIcon(i).isNull());
  }
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(f.edit(0, "fileName")->text(), "BG_Palette.cpp");
  EXPECT_EQ(f.edit(3, "fileName")->text(), "BG_Collisions.cpp");
  EXPECT_EQ(f.text(2, "format")->toPlainText(), "const u16 bgMap%arrayNumber%[%arraySize%]ALIGN4 = \n{\n%data%\n};");
  EXPECT_EQ(f.text(1, "externFormat")->toPlainText(), "extern const u16 bgTiles[%arraySize%];");
  EXPECT_TRUE(f.extern_(0, 1)->isChecked());
  EXPECT_TRUE(child<QCheckBox>(*f.page(0), "autoPad")->isChecked());
  EXPECT_EQ(f.page(1)->findChild<QCheckBox*>("autoPad"), nullptr);  // palette page only
  EXPECT_EQ(f.edit(4, "file1Name")->text(), "BG_Externs.h");
  EXPECT_EQ(f.edit(4, "file2Name")->text(), "BG_Externs2.h");
  EXPECT_EQ(f.edit(4, "numAutoGen")->text(), "0");
  // Templates line up in a fixed-pitch font.
  const QFontMetrics metrics(f.text(0, "format")->font());
  EXPECT_EQ(metrics.horizontalAdvance("iiii"), metrics.horizontalAdvance("MMMM"));
}

TEST(CustomizeExportDialog, NoExternsDisablesTheExternTemplate) {
  CustomizeFixture f;
  f.select(2);
  click(f.extern_(2, 0));
  EXPECT_FALSE(f.text(2, "externFormat")->isEnabled());
  EXPECT_FALSE(child<QAbstractButton>(*f.page(2), "externReset")->isEnabled());
  click(f.extern_(2, 2));
  EXPECT_TRUE(f.text(2, "externFormat")->isEnabled());
}

TEST(CustomizeExportDialog, ResetBringsBackTheBuiltInTemplates) {
  CustomizeFixture f;
  f.select(3);
  f.text(3, "format")->setPlainText("mine %data%");
  f.text(3, "externFormat")->setPlainText("extern mine;");
  click(child<QAbstractButton>(*f.page(3), "formatReset"));
  click(child<QAbstractButton>(*f.page(3), "externReset"));
  EXPECT_EQ(f.text(3, "format")->toPlainText(),
            "const u16 bgCollision%arrayNumber%[%arraySize%]ALIGN4 = \n{\n%data%\n};");
  EXPECT_EQ(f.text(3, "externFormat")->toPlainText(), "extern const u16 bgCollision%arrayNumber%[%arraySize%];");
}

TEST(CustomizeExportDialog, OkStoresEveryPageCancelNothing) {
  {
    CustomizeFixture f;
    f.edit(0, "fileName")->setText("pal/%mapName%.c");
    f.text(1, "includes")->setPlainText("#include \"gba.h\"\n#include \"tiles.h\"");
    f.select(2);
    click(f.extern_(2, 0));
    f.edit(4, "numAutoGen")->setText("12000");
    click(button(f.dialog, "Cancel"));
    EXPECT_TRUE(f.settings.written.empty());
  }
  CustomizeFixture f;
  f.edit(0, "fileName")->setText("pal/%mapName%.c");
  f.text(1, "includes")->setPlainText("#include \"gba.h\"\n#include \"tiles.h\"");
  f.select(2);
  click(f.extern_(2, 0));
  f.edit(4, "numAutoGen")->setText("12000");
  click(button(f.dialog, "OK"));
  EXPECT_EQ(f.dialog.result(), QDialog::Accepted);
  EXPECT_EQ(f.settings.written.size(), 26u);
  for (const std::string& key : f.settings.written) EXPECT_EQ(key.substr(0, 10), "Exporting/");
  EXPECT_EQ(f.settings.readText("Exporting", "PaletteFileName", ""), "pal/%mapName%.c");
  EXPECT_EQ(f.settings.readText("Exporting", "TileIncludes", ""), "#include \"gba.h\"\r\n#include \"tiles.h\"");
  EXPECT_EQ(f.settings.readInt("Exporting", "MapExternState", -1), 0);
  EXPECT_EQ(f.settings.readText("Exporting", "MapExternString", ""),
            "extern const u16 bgMap%arrayNumber%[%arraySize%];");
  EXPECT_EQ(f.settings.readInt("Exporting", "NumAutoGen", -1), 0);  // 12000 counts as 0
}

TEST(CustomizeExportDialog, ExportDefThenImportDefRestoresEveryControl) {
  CustomizeFixture f;
  const std::string qrd = f.folder.file("mine.qrd");
  f.edit(1, "fileName")->setText("gfx/tiles_%numAutoGen%.c");
  f.text(0, "includes")->setPlainText("// palette\n#include <gba.h>");
  f.text(2, "format")->setPlainText("const u16 %layerName%[%arraySize%] = {\n%data%\n};");
  f.select(3);
  click(f.extern_(3, 2));
  f.select(0);
  click(child<QCheckBox>(*f.page(0), "autoPad"));
  f.edit(4, "file2Name")->setText("more.h");
  f.text(4, "file1Includes")->setPlainText("#pragma once");
  f.edit(4, "numAutoGen")->setText("41");
  const CustomizeExportPages before = f.dialog.pages();

  f.services.saveFileAnswers = {qrd};
  click(child<QAbstractButton>(f.dialog, "exportDef"));
  ASSERT_EQ(f.services.saveRequests.size(), 1u);
  EXPECT_EQ(f.services.saveRequests[0].title, "Save Export Definition");
  EXPECT_EQ(f.services.saveRequests[0].filter, "Qarto Export Definition Files (*.qrd)|*.qrd||");
  EXPECT_EQ(f.services.saveRequests[0].defaultExtension, ".qrd");
  EXPECT_EQ(f.services.saveRequests[0].initialFolder, f.folder.path());
  EXPECT_EQ(readBytes(qrd).size() > 9, true);
  EXPECT_EQ(ReadDefinitionFile(qrd).status, DefinitionReadStatus::Ok);

  // Another dialog, from the settings, takes the file in.
  CustomizeExportDialog other(f.services, f.settings, f.folder.path());
  EXPECT_EQ(child<QLineEdit>(*other.tabs()->page(1), "fileName")->text(), "BG_Tiles.cpp");
  f.services.openFileAnswers = {{qrd}};
  other.importDefinition();
  EXPECT_EQ(f.services.openRequests.back().title, "Load Export Definition");
  const CustomizeExportPages after = other.pages();
  for (int i = 0; i < kExportFileCount; ++i) {
    const auto which = static_cast<ExportFile>(i);
    EXPECT_EQ(after.file(which).fileName, before.file(which).fileName) << i;
    EXPECT_EQ(after.file(which).includes, before.file(which).includes) << i;
    EXPECT_EQ(after.file(which).format, before.file(which).format) << i;
    EXPECT_EQ(after.file(which).externState, before.file(which).externState) << i;
    EXPECT_EQ(after.file(which).externFormat, before.file(which).externFormat) << i;
  }
  EXPECT_FALSE(after.autoPadPalettes);
  EXPECT_EQ(after.file2Name, "more.h");
  EXPECT_EQ(after.file1Includes, "#pragma once");
  EXPECT_EQ(after.numAutoGen, "41");
  EXPECT_TRUE(f.settings.written.empty());  // only OK stores
  EXPECT_TRUE(f.services.messages.empty());
}

TEST(CustomizeExportDialog, ImportRefusesAnotherVersion) {
  CustomizeFixture f;
  const std::string qrd = f.folder.file("old.qrd");
  const std::string version = "def V9.9";
  std::vector<std::uint8_t> bytes = {9, 0, 0, 0};
  bytes.insert(bytes.end(), version.begin(), version.end());
  bytes.push_back(0);
  writeBytes(qrd, bytes);
  f.edit(0, "fileName")->setText("kept.c");
  f.services.openFileAnswers = {{qrd}};
  click(child<QAbstractButton>(f.dialog, "importDef"));
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastText(), "Invalid version");
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99");
  EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::None);
  EXPECT_EQ(f.edit(0, "fileName")->text(), "kept.c");
}

}  // namespace
}  // namespace qarto::test
