// Customize Text Export: every control reaches its part of the definition,
// which goes out and comes back through Export Def. and Import Def., OK and
// the next opening; Cancel stores nothing. The definition files and their
// refusals are the core's tests.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/dialogs/controls/tab_host.h"
#include "app/dialogs/customize_export/customize_export_dialog.h"
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
  void chooseExtern(int index, int state) {
    dialog.tabs()->setCurrentIndex(index);
    click(child<QRadioButton>(*page(index), QString("extern%1").arg(state).toUtf8().constData()));
  }
};

TEST(CustomizeExportDialog, EveryControlGoesOutAndComesBackThroughTheFileAndTheSettings) {
  CustomizeFixture f;
  for (int i = 0; i < 4; ++i) {
    const QString n = QString::number(i);
    f.edit(i, "fileName")->setText("file" + n + ".c");
    f.text(i, "includes")->setPlainText("#include \"inc" + n + ".h\"");
    f.text(i, "format")->setPlainText("fmt" + n + " %data%");
    f.text(i, "externFormat")->setPlainText("extern" + n + ";");
    f.chooseExtern(i, i % 2 == 0 ? 2 : 0);
  }
  f.dialog.tabs()->setCurrentIndex(0);
  click(child<QCheckBox>(*f.page(0), "autoPad"));
  for (const char* name : {"file1Name", "file2Name", "numAutoGen"}) f.edit(4, name)->setText(name);
  f.text(4, "file1Includes")->setPlainText("// one");
  f.text(4, "file2Includes")->setPlainText("// two");

  const CustomizeExportPages pages = f.dialog.pages();
  for (int i = 0; i < 4; ++i) {
    const ExportFilePage& p = pages.files[static_cast<std::size_t>(i)];
    const std::string n = std::to_string(i);
    EXPECT_EQ(std::tuple(p.fileName, p.includes, p.format, p.externState, p.externFormat),
              std::tuple("file" + n + ".c", "#include \"inc" + n + ".h\"", "fmt" + n + " %data%", i % 2 == 0 ? 2 : 0,
                         "extern" + n + ";"));
  }
  EXPECT_EQ(std::tuple(pages.autoPadPalettes, pages.file1Name, pages.file1Includes, pages.file2Name,
                       pages.file2Includes, pages.numAutoGen),
            std::tuple(false, "file1Name", "// one", "file2Name", "// two", "numAutoGen"));

  f.services.saveFileAnswers = {f.folder.file("mine.qrd")};
  click(child<QAbstractButton>(f.dialog, "exportDef"));
  click(button(f.dialog, "Cancel"));
  EXPECT_TRUE(f.settings.written.empty());

  CustomizeExportDialog other(f.services, f.settings, f.folder.path());
  showAndWait(other);
  f.services.openFileAnswers = {{f.folder.file("mine.qrd")}};
  click(child<QAbstractButton>(other, "importDef"));
  EXPECT_EQ(definitionFromPages(other.pages()), definitionFromPages(pages));
  click(button(other, "OK"));
  EXPECT_EQ(f.settings.readText("Exporting", "PaletteFileName", ""), "file0.c");
  EXPECT_EQ(definitionFromPages(CustomizeExportDialog(f.services, f.settings, "").pages()),
            definitionFromPages(pages));
  EXPECT_TRUE(f.services.messages.empty());
}

TEST(CustomizeExportDialog, NoExternsDisableTheExternTemplateAndResetBringsBackTheBuiltInOne) {
  CustomizeFixture f;
  f.chooseExtern(3, 0);
  EXPECT_FALSE(f.text(3, "externFormat")->isEnabled());
  f.chooseExtern(3, 2);
  EXPECT_TRUE(f.text(3, "externFormat")->isEnabled());
  f.text(3, "format")->setPlainText("mine %data%");
  click(child<QAbstractButton>(*f.page(3), "formatReset"));
  EXPECT_EQ(f.text(3, "format")->toPlainText(),
            "const u16 bgCollision%arrayNumber%[%arraySize%]ALIGN4 = \n{\n%data%\n};");
}

}  // namespace
}  // namespace qarto::test
