// Export to Header (and Export To Raw): controls from the settings, labels
// that follow the sliders, OK storing its five keys, Cancel storing none.
#include <QSlider>

#include "app/dialogs/export/export_to_header_dialog.h"
#include "gui_fixture.h"

namespace qarto::test {
namespace {

TEST(ExportToHeaderDialog, OpensWithTheStoredValues) {
  DialogFixture f;
  f.settings.writeText("Settings", "ExportHeaderPath", "/out");
  f.settings.writeInt("Settings", "TileOffset", 12);
  f.settings.writeInt("Settings", "BankOffset", 3);
  f.settings.writeInt("Settings", "Saturation", 75);
  ExportToHeaderDialog dialog(f.services, f.settings, " - Export To Header");
  showAndWait(dialog);
  EXPECT_EQ(dialog.windowTitle(), "Qarto v0.99 - Export To Header");
  EXPECT_EQ(text(child<QLineEdit>(dialog, "exportPath")), "/out");
  EXPECT_EQ(text(child<QLineEdit>(dialog, "tileOffset")), "12");
  EXPECT_EQ(child<QSlider>(dialog, "bankOffset")->value(), 3);
  EXPECT_EQ(child<QSlider>(dialog, "bankOffset")->maximum(), 15);
  EXPECT_EQ(text(child<QLabel>(dialog, "bankOffsetValue")), "3");
  EXPECT_EQ(text(child<QLabel>(dialog, "saturationValue")), "-25%");
  EXPECT_EQ(text(child<QLabel>(dialog, "luminanceValue")), "0%");
  EXPECT_EQ(child<QSlider>(dialog, "luminance")->maximum(), 200);
  EXPECT_EQ(child<QSlider>(dialog, "luminance")->tickInterval(), 25);
}

TEST(ExportToHeaderDialog, LabelsFollowTheSlidersAndResetKeepsTheBank) {
  DialogFixture f;
  ExportToHeaderDialog dialog(f.services, f.settings, " - Export To Header");
  showAndWait(dialog);
  child<QSlider>(dialog, "bankOffset")->setValue(7);
  child<QSlider>(dialog, "saturation")->setValue(200);
  child<QSlider>(dialog, "luminance")->setValue(0);
  EXPECT_EQ(text(child<QLabel>(dialog, "bankOffsetValue")), "7");
  EXPECT_EQ(text(child<QLabel>(dialog, "saturationValue")), "100%");
  EXPECT_EQ(text(child<QLabel>(dialog, "luminanceValue")), "-100%");
  click(child<QAbstractButton>(dialog, "reset"));
  EXPECT_EQ(child<QSlider>(dialog, "saturation")->value(), 100);
  EXPECT_EQ(text(child<QLabel>(dialog, "luminanceValue")), "0%");
  EXPECT_EQ(child<QSlider>(dialog, "bankOffset")->value(), 7);
}

TEST(ExportToHeaderDialog, TileOffsetTakesDigitsOnly) {
  DialogFixture f;
  ExportToHeaderDialog dialog(f.services, f.settings, " - Export To Header");
  showAndWait(dialog);
  type(child<QLineEdit>(dialog, "tileOffset"), "1a2-3");
  EXPECT_EQ(text(child<QLineEdit>(dialog, "tileOffset")), "123");
}

TEST(ExportToHeaderDialog, OkStoresItsFiveKeysAndReturnsTheOptions) {
  DialogFixture f;
  ExportToHeaderDialog dialog(f.services, f.settings, " - Export To Header");
  showAndWait(dialog);
  type(child<QLineEdit>(dialog, "exportPath"), "/work/out");
  type(child<QLineEdit>(dialog, "tileOffset"), "");
  child<QSlider>(dialog, "bankOffset")->setValue(2);
  child<QSlider>(dialog, "saturation")->setValue(125);
  // An empty offset is no number: refused, the dialog stays open.
  click(button(dialog, "OK"));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(f.services.lastText(),
            "You have entered an invalid tile index offset.  The offset must be a whole number of 0 or more.");
  EXPECT_TRUE(f.settings.written.empty());
  type(child<QLineEdit>(dialog, "tileOffset"), "0");
  click(button(dialog, "OK"));
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(f.settings.written, (std::set<std::string>{"Settings/ExportHeaderPath", "Settings/BankOffset",
                                                       "Settings/Saturation", "Settings/Luminance",
                                                       "Settings/TileOffset"}));
  EXPECT_EQ(f.settings.readInt("Settings", "TileOffset", -1), 0);
  EXPECT_EQ(f.settings.readInt("Settings", "Saturation", -1), 125);
  EXPECT_EQ(dialog.options().directory, "/work/out/");
  EXPECT_EQ(dialog.options().bankOffset, 2);
  EXPECT_EQ(dialog.options().saturation, 25);
  EXPECT_EQ(dialog.options().luminance, 0);
}

TEST(ExportToHeaderDialog, CancelStoresOnlyAFolderChosenWithTheButton) {
  DialogFixture f;
  ExportToHeaderDialog dialog(f.services, f.settings, " - Export To Raw");
  showAndWait(dialog);
  EXPECT_EQ(dialog.windowTitle(), "Qarto v0.99 - Export To Raw");
  child<QSlider>(dialog, "bankOffset")->setValue(9);
  f.services.folderAnswers = {std::string("/chosen")};
  click(child<QAbstractButton>(dialog, "browse"));
  EXPECT_EQ(f.services.folderRequests, std::vector<std::string>{"Save Path"});
  EXPECT_EQ(text(child<QLineEdit>(dialog, "exportPath")), "/chosen");
  click(button(dialog, "Cancel"));
  EXPECT_EQ(f.settings.written, std::set<std::string>{"Settings/ExportHeaderPath"});
  EXPECT_EQ(f.settings.readText("Settings", "ExportHeaderPath", ""), "/chosen");
}

TEST(ExportToHeaderDialog, QuestionMarks) {
  DialogFixture f;
  ExportToHeaderDialog dialog(f.services, f.settings, " - Export To Header");
  showAndWait(dialog);
  click(child<QAbstractButton>(dialog, "tileOffsetHelp"));
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Tile Index Offset");
  EXPECT_EQ(f.services.lastText().substr(0, 46), "Tile Index Offset allows you to offset the til");
  click(child<QAbstractButton>(dialog, "bankOffsetHelp"));
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Palette Bank Offset");
  EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Information);
  EXPECT_TRUE(dialog.isVisible());
}

TEST(ExportToHeaderDialog, CustomizeExportOpensOverIt) {
  DialogFixture f;
  ExportToHeaderDialog dialog(f.services, f.settings, " - Export To Header");
  showAndWait(dialog);
  QString seen;
  onNextModal([&seen](QDialog& customize) {
    seen = customize.windowTitle();
    customize.reject();
  });
  click(child<QAbstractButton>(dialog, "customizeExport"));
  EXPECT_EQ(seen, "Qarto v0.99 - Customize Text Export");
  EXPECT_TRUE(f.settings.written.empty());
}

}  // namespace
}  // namespace qarto::test
