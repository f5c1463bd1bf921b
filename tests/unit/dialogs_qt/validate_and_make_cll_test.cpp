// Validate Tileset, which stays open through its runs, and the Make .CLL
// Wizard: every control reaches the request. The checks and their
// messages are the core's tests.
#include <QCheckBox>
#include <QRadioButton>

#include "app/dialogs/make_cll_dialog.h"
#include "app/dialogs/validate_tileset_dialog.h"
#include "gui_fixture.h"
#include "support/page_files.h"

namespace qarto::test {
namespace {

TEST(ValidateTilesetDialog, EveryControlReachesTheRequestAndItStaysOpenThroughARun) {
  DialogFixture f;
  TempFolder folder;
  // Tile 0 mixes palette rows 0 and 1.
  const std::string page = writePage(folder, "mixed.bmp", makePage(16, 8, [](int x, int y) {
                                       return static_cast<std::uint8_t>(x + y == 0 ? 0x11 : 0x02);
                                     }));
  ValidateTilesetDialog dialog(f.services, f.settings);
  showAndWait(dialog);
  f.services.openFileAnswers = {{page}};
  click(child<QAbstractButton>(dialog, "browse"));
  EXPECT_FALSE(child<QLineEdit>(dialog, "threshold")->isEnabled());
  click(child<QCheckBox>(dialog, "sparse"));
  type(child<QLineEdit>(dialog, "threshold"), "9");
  click(child<QCheckBox>(dialog, "invalid16"));
  click(child<QRadioButton>(dialog, "outputImage"));
  const ValidateTilesetRequest r = dialog.request();
  EXPECT_EQ(std::tuple(r.path, r.checkInvalid16, r.checkSparse, r.thresholdText, r.outputImage),
            std::tuple(page, false, true, std::string("9"), true));

  click(child<QRadioButton>(dialog, "textReport"));
  click(child<QCheckBox>(dialog, "invalid16"));
  click(child<QCheckBox>(dialog, "sparse"));
  click(child<QAbstractButton>(dialog, "validate"));
  EXPECT_EQ(f.services.lastText(),
            "Tileset: <" + page + ">\n\nContains 1 tiles that are not valid 16 colour tiles.\n\n");
  EXPECT_TRUE(dialog.isVisible());
  click(child<QAbstractButton>(dialog, "close"));
  EXPECT_TRUE(waitFor([&dialog] { return !dialog.isVisible(); }));
}

TEST(MakeCllDialog, EveryControlReachesTheRequest) {
  DialogFixture f;
  MakeCllDialog dialog(f.session);
  showAndWait(dialog);
  f.services.openFileAnswers = {{"/pages/level1.bmp"}};
  click(child<QAbstractButton>(dialog, "browse"));
  click(child<QCheckBox>(dialog, "minimumMatch"));
  click(child<QCheckBox>(dialog, "loadExisting"));
  MakeCllRequest r = dialog.request();
  EXPECT_EQ(std::tuple(r.pagePath, r.loadExisting, r.autoGenerate, r.minimumMatch),
            std::tuple(std::string("/pages/level1.bmp"), false, true, true));
  click(child<QCheckBox>(dialog, "autoGenerate"));  // minimum match needs it
  EXPECT_FALSE(child<QCheckBox>(dialog, "minimumMatch")->isEnabled());
  r = dialog.request();
  EXPECT_EQ(std::pair(r.autoGenerate, r.minimumMatch), std::pair(false, false));
}

}  // namespace
}  // namespace qarto::test
