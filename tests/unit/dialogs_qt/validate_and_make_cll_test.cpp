// Validate Tileset, which stays open, and the Make .CLL Wizard's window.
#include <QCheckBox>
#include <QRadioButton>

#include "app/dialogs/make_cll_dialog.h"
#include "app/dialogs/validate_tileset_dialog.h"
#include "gui_fixture.h"
#include "support/page_files.h"

namespace qarto::test {
namespace {

// A 16 x 8 page: tile 0 mixes palette rows 0 and 1, tile 1 is valid.
std::string writeMixedPage(const TempFolder& folder) {
  return writePage(folder, "mixed.bmp", makePage(16, 8, [](int x, int y) {
                     if (x < 8) return static_cast<std::uint8_t>(x == 0 && y == 0 ? 0x11 : 0x02);
                     return std::uint8_t{0x23};
                   }));
}

TEST(ValidateTilesetDialog, Defaults) {
  DialogFixture f;
  ValidateTilesetDialog dialog(f.services, f.settings);
  showAndWait(dialog);
  EXPECT_EQ(dialog.windowTitle(), "Qarto v0.99 - Validate Tileset");
  EXPECT_FALSE(dialog.isModal());
  EXPECT_TRUE(child<QRadioButton>(dialog, "textReport")->isChecked());
  EXPECT_TRUE(child<QCheckBox>(dialog, "invalid16")->isChecked());
  EXPECT_FALSE(child<QCheckBox>(dialog, "sparse")->isChecked());
  EXPECT_EQ(text(child<QLineEdit>(dialog, "threshold")), "1");
  EXPECT_FALSE(child<QLineEdit>(dialog, "threshold")->isEnabled());
  click(child<QCheckBox>(dialog, "sparse"));
  EXPECT_TRUE(child<QLineEdit>(dialog, "threshold")->isEnabled());
}

TEST(ValidateTilesetDialog, StaysOpenThroughEveryRun) {
  DialogFixture f;
  TempFolder folder;
  const std::string page = writeMixedPage(folder);
  ValidateTilesetDialog dialog(f.services, f.settings);
  showAndWait(dialog);
  QAbstractButton* validate = child<QAbstractButton>(dialog, "validate");

  click(validate);
  EXPECT_EQ(f.services.lastText(), "Please enter a valid path to a tileset.");
  type(child<QLineEdit>(dialog, "path"), QString::fromStdString(folder.file("none.bmp")));
  click(validate);
  EXPECT_EQ(f.services.lastText(), "The requested tileset does not exist.");
  click(child<QCheckBox>(dialog, "invalid16"));
  click(validate);
  EXPECT_EQ(f.services.lastText(), "You have not specified any error types to check for.");
  click(child<QCheckBox>(dialog, "sparse"));
  type(child<QLineEdit>(dialog, "threshold"), "64");
  click(validate);
  EXPECT_EQ(f.services.lastText(), "Please enter a pixel count threshold.");
  EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Warning);

  click(child<QCheckBox>(dialog, "invalid16"));
  click(child<QCheckBox>(dialog, "sparse"));
  type(child<QLineEdit>(dialog, "path"), QString::fromStdString(page));
  click(validate);
  EXPECT_EQ(f.services.lastText(),
            "Tileset: <" + page + ">\n\nContains 1 tiles that are not valid 16 colour tiles.\n\n");
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Error Report");
  EXPECT_TRUE(dialog.isVisible());

  click(child<QAbstractButton>(dialog, "close"));
  EXPECT_TRUE(waitFor([&dialog] { return !dialog.isVisible(); }));
}

TEST(ValidateTilesetDialog, BrowseFillsThePath) {
  DialogFixture f;
  f.settings.writeInt("Settings", "UseDefTilesetPath", 0);
  f.settings.writeText("Settings", "LastTilesetPath", "/pages");
  ValidateTilesetDialog dialog(f.services, f.settings);
  showAndWait(dialog);
  f.services.openFileAnswers = {{"/pages/level.pcx"}};
  click(child<QAbstractButton>(dialog, "browse"));
  ASSERT_EQ(f.services.openRequests.size(), 1u);
  EXPECT_EQ(f.services.openRequests[0].title, "Validate Tileset");
  EXPECT_EQ(f.services.openRequests[0].initialFolder, "/pages");
  EXPECT_EQ(text(child<QLineEdit>(dialog, "path")), "/pages/level.pcx");
}

TEST(MakeCllDialog, ChoicesAndRequest) {
  DialogFixture f;
  MakeCllDialog dialog(f.session);
  showAndWait(dialog);
  EXPECT_EQ(dialog.windowTitle(), "Qarto v0.99 - Make .CLL Wizard");
  auto* loadExisting = child<QCheckBox>(dialog, "loadExisting");
  auto* autoGenerate = child<QCheckBox>(dialog, "autoGenerate");
  auto* minimumMatch = child<QCheckBox>(dialog, "minimumMatch");
  EXPECT_EQ(loadExisting->text(), "Load existing .CLL if there is one");
  EXPECT_EQ(autoGenerate->text(), "Auto-generate ideal collision set when no .CLL data exists");
  EXPECT_EQ(minimumMatch->text(), "Enable minimum match filtering (90%)");
  EXPECT_TRUE(loadExisting->isChecked());
  EXPECT_TRUE(autoGenerate->isChecked());
  EXPECT_FALSE(minimumMatch->isChecked());
  EXPECT_TRUE(minimumMatch->isEnabled());

  f.services.openFileAnswers = {{"/pages/level1.bmp"}};
  click(child<QAbstractButton>(dialog, "browse"));
  EXPECT_EQ(f.services.openRequests.at(0).title, "Load Tileset");
  click(minimumMatch);
  click(loadExisting);
  MakeCllRequest request = dialog.request();
  EXPECT_EQ(request.pagePath, "/pages/level1.bmp");
  EXPECT_FALSE(request.loadExisting);
  EXPECT_TRUE(request.autoGenerate);
  EXPECT_TRUE(request.minimumMatch);

  click(autoGenerate);
  EXPECT_FALSE(minimumMatch->isEnabled());
  request = dialog.request();
  EXPECT_FALSE(request.autoGenerate);
  EXPECT_FALSE(request.minimumMatch);
}

}  // namespace
}  // namespace qarto::test
