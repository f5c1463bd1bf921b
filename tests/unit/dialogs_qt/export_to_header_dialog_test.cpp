// Export to Header (and Export To Raw): every control reaches the options OK
// hands back and the keys it stores, labels follow their sliders, the
// buttons reach their work, Cancel keeps only a folder chosen with "...".
#include <QSlider>

#include "app/dialogs/export/export_to_header_dialog.h"
#include "gui_fixture.h"

namespace qarto::test {
namespace {

QString label(QDialog& dialog, const char* name) { return child<QLabel>(dialog, name)->text(); }

TEST(ExportToHeaderDialog, EveryControlReachesTheOptionsAndOkStoresThem) {
  DialogFixture f;
  ExportToHeaderDialog dialog(f.services, f.settings, " - Export To Header");
  showAndWait(dialog);
  type(child<QLineEdit>(dialog, "exportPath"), "/work/out");
  child<QSlider>(dialog, "bankOffset")->setValue(2);
  child<QSlider>(dialog, "saturation")->setValue(125);
  child<QSlider>(dialog, "luminance")->setValue(40);
  EXPECT_EQ(QStringList({label(dialog, "bankOffsetValue"), label(dialog, "saturationValue"),
                         label(dialog, "luminanceValue")}),
            QStringList({"2", "25%", "-60%"}));
  type(child<QLineEdit>(dialog, "tileOffset"), "");
  click(button(dialog, "OK"));  // an empty offset is no number
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(f.services.lastText(),
            "You have entered an invalid tile index offset.  The offset must be a whole number of 0 or more.");
  EXPECT_TRUE(f.settings.written.empty());

  type(child<QLineEdit>(dialog, "tileOffset"), "1a2-3");  // digits only
  click(button(dialog, "OK"));
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  const ExportOptions& o = dialog.options();
  EXPECT_EQ(std::tuple(o.directory, o.tileOffset, o.bankOffset, o.saturation, o.luminance),
            std::tuple(std::string("/work/out/"), 123, 2, 25, -60));
  EXPECT_EQ(std::tuple(f.settings.readText("Settings", "ExportHeaderPath", ""),
                       f.settings.readInt("Settings", "TileOffset", 0), f.settings.readInt("Settings", "BankOffset", 0),
                       f.settings.readInt("Settings", "Saturation", 0), f.settings.readInt("Settings", "Luminance", 0)),
            std::tuple(std::string("/work/out"), 123, 2, 125, 40));
}

TEST(ExportToHeaderDialog, ButtonsReachTheirWorkAndCancelKeepsOnlyAChosenFolder) {
  DialogFixture f;
  ExportToHeaderDialog dialog(f.services, f.settings, " - Export To Raw", nullptr, "/games/level1/map.qrm");
  showAndWait(dialog);
  EXPECT_EQ(child<QLineEdit>(dialog, "exportPath")->text(), "/games/level1");  // nothing stored: beside the map
  child<QSlider>(dialog, "saturation")->setValue(0);
  click(child<QAbstractButton>(dialog, "reset"));
  EXPECT_EQ(label(dialog, "saturationValue"), "0%");
  click(child<QAbstractButton>(dialog, "tileOffsetHelp"));
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Tile Index Offset");
  click(child<QAbstractButton>(dialog, "bankOffsetHelp"));
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Palette Bank Offset");
  QString customize;
  onNextModal([&customize](QDialog& opened) {
    customize = opened.windowTitle();
    opened.reject();
  });
  click(child<QAbstractButton>(dialog, "customizeExport"));
  EXPECT_EQ(customize, "Qarto v0.99 - Customize Text Export");

  f.services.folderAnswers = {std::string("/chosen")};
  click(child<QAbstractButton>(dialog, "browse"));
  EXPECT_EQ(child<QLineEdit>(dialog, "exportPath")->text(), "/chosen");
  click(button(dialog, "Cancel"));
  EXPECT_EQ(f.settings.written, std::set<std::string>{"Settings/ExportHeaderPath"});
}

}  // namespace
}  // namespace qarto::test
