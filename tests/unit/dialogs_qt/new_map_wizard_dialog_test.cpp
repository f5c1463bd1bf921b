// The Create New Map Wizard's window: what it shows, how its layer groups
// follow their "Enable" boxes, and its OK, refusals and Cancel.
#include <QCheckBox>

#include "app/dialogs/new_map_wizard_dialog.h"
#include "gui_fixture.h"

namespace qarto::test {
namespace {

struct WizardFixture : DialogFixture {
  NewMapWizardDialog dialog{session, hooks()};
  WizardFixture() { showAndWait(dialog); }
  QLineEdit* edit(const char* name) { return child<QLineEdit>(dialog, name); }
  QComboBox* list(const char* name) { return child<QComboBox>(dialog, name); }
  QCheckBox* box(const char* name) { return child<QCheckBox>(dialog, name); }
  QLabel* label(const char* name) { return child<QLabel>(dialog, name); }
};

TEST(NewMapWizardDialog, FirstUse) {
  WizardFixture f;
  EXPECT_EQ(f.dialog.windowTitle(), "Qarto v0.99 - Create New Map Wizard");
  EXPECT_FALSE(f.dialog.windowIcon().isNull());
  EXPECT_EQ(text(f.edit("primaryName")), "BG_Layer0");
  EXPECT_EQ(text(f.edit("primaryWidth")), "128");
  EXPECT_EQ(text(f.edit("primaryHeight")), "64");
  EXPECT_EQ(f.list("primaryWidthUnit")->currentText(), "Tiles");
  EXPECT_EQ(f.list("primaryWidthUnit")->count(), 3);
  EXPECT_EQ(f.list("layer2UnitX")->itemText(0), "Parallax");
  EXPECT_EQ(f.list("layer2UnitX")->count(), 4);
  EXPECT_TRUE(f.box("hasCollision")->isChecked());
  EXPECT_EQ(f.box("hasCollision")->text(), "Has collision layer");
  EXPECT_EQ(std::tuple(f.box("hasEntity")->isVisible(), f.box("hasEntity")->isChecked()), std::tuple(true, false));
  EXPECT_FALSE(f.box("layer2Enable")->isChecked());
  EXPECT_FALSE(f.box("layer3Enable")->isChecked());
  EXPECT_FALSE(f.box("layer3Enable")->isEnabled());
  EXPECT_EQ(text(f.edit("layer2Name")), "BG_Layer1");
  EXPECT_EQ(text(f.edit("layer3Name")), "BG_Layer2");
  EXPECT_EQ(text(f.edit("layer2AmountX")), "0.5");
  EXPECT_EQ(text(f.edit("layer3AmountY")), "0.25");
  EXPECT_FALSE(f.edit("layer2Name")->isEnabled());
  EXPECT_FALSE(f.label("layer2WidthIcon")->isVisible());
  EXPECT_TRUE(f.label("primaryWidthIcon")->isVisible());
  EXPECT_FALSE(f.box("unoptimizedMode")->isChecked());
  EXPECT_EQ(f.box("unoptimizedMode")->text(), "Use un-optimized mode");
}

TEST(NewMapWizardDialog, EnableBoxesDriveTheLayerGroups) {
  WizardFixture f;
  click(f.box("layer2Enable"));
  EXPECT_TRUE(f.edit("layer2Name")->isEnabled());
  EXPECT_TRUE(f.list("layer2UnitY")->isEnabled());
  EXPECT_TRUE(f.label("layer2WidthIcon")->isVisible());
  EXPECT_TRUE(f.label("layer2HeightIcon")->isVisible());
  EXPECT_TRUE(f.box("layer3Enable")->isEnabled());
  EXPECT_FALSE(f.edit("layer3Name")->isEnabled());

  click(f.box("layer3Enable"));
  EXPECT_TRUE(f.edit("layer3AmountX")->isEnabled());
  EXPECT_TRUE(f.label("layer3HeightIcon")->isVisible());

  // Layer 2 off takes layer 3 with it.
  click(f.box("layer2Enable"));
  EXPECT_FALSE(f.box("layer3Enable")->isChecked());
  EXPECT_FALSE(f.box("layer3Enable")->isEnabled());
  EXPECT_FALSE(f.edit("layer3AmountX")->isEnabled());
  EXPECT_FALSE(f.label("layer3HeightIcon")->isVisible());
  EXPECT_FALSE(f.edit("layer2Name")->isEnabled());
}

TEST(NewMapWizardDialog, OkBuildsTheMapThroughTheCore) {
  WizardFixture f;
  type(f.edit("primaryName"), "ground");
  type(f.edit("primaryWidth"), "2");
  f.list("primaryWidthUnit")->setCurrentIndex(1);  // screens
  type(f.edit("primaryHeight"), "256");
  f.list("primaryHeightUnit")->setCurrentIndex(2);  // pixels
  click(f.box("layer2Enable"));
  click(f.box("unoptimizedMode"));
  f.dialog.accept();

  EXPECT_EQ(f.dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(f.dialog.isVisible());
  EXPECT_EQ(f.stackNames(), (std::vector<std::string>{"BG_Layer1", "ground", "Collision"}));
  const MapLayer& primary = *f.project().layerAt(1);
  EXPECT_EQ(primary.width, 60);
  EXPECT_EQ(primary.height, 32);
  // 30 + ceil(0.5 x 30) by 20 + ceil(0.5 x 12).
  EXPECT_EQ(f.project().layerAt(0)->width, 45);
  EXPECT_EQ(f.project().layerAt(0)->height, 26);
  EXPECT_EQ(f.project().activeLayer, &primary);
  EXPECT_EQ(f.project().journal().size(), 0u);
  EXPECT_TRUE(f.project().unoptimizedMode);
  EXPECT_EQ(f.titles, std::vector<std::string>{"Qarto v0.99 - New Map  (Un-opt. mode)"});
}

TEST(NewMapWizardDialog, RefusalsKeepTheWizardOpenWithTheEntries) {
  const struct {
    const char* edit;
    const char* typed;
    std::string message;
  } cases[] = {
      {"primaryName", "my map",
       "The primary layer name you have entered is not a valid C variable name.  Valid names consist of "
       "alphanumeric text and underscores.\n\nPlease enter a valid name to continue."},
      {"primaryWidth", "29",
       "Map sizes must be no smaller than (30,20) tiles and no larger than (1024,1024) tiles.\n\nPlease choose a "
       "valid size."},
      {"layer2AmountX", "nan", "Layer 2 has an invalid parallax amount.  Parallax must be between 0.0 and 2.0."},
      {"layer2AmountY", "inf", "Layer 2 has an invalid parallax amount.  Parallax must be between 0.0 and 2.0."},
      {"layer3AmountX", "2.5", "Layer 3 has an invalid parallax amount.  Parallax must be between 0.0 and 2.0."},
      {"layer3Name", "3rd",
       "The name for layer 3 is not a valid C variable name.  Valid names consist of alphanumeric text and "
       "underscores.\n\nPlease enter a valid name to continue."},
  };
  for (const auto& c : cases) {
    WizardFixture f;
    click(f.box("layer2Enable"));
    click(f.box("layer3Enable"));
    type(f.edit(c.edit), c.typed);
    f.dialog.accept();
    EXPECT_TRUE(f.dialog.isVisible()) << c.edit;
    EXPECT_EQ(f.dialog.lastOutcome(), NewMapOutcome::StayOpen);
    EXPECT_EQ(f.services.lastText(), c.message) << c.edit;
    EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Exclamation);
    EXPECT_EQ(text(f.edit(c.edit)), c.typed);
    EXPECT_FALSE(f.project().hasLayers());
    EXPECT_TRUE(f.settings.written.empty());
  }
}

TEST(NewMapWizardDialog, LayerSizeInTilesTooSmall) {
  WizardFixture f;
  click(f.box("layer2Enable"));
  type(f.edit("layer2AmountX"), "2.5");
  f.list("layer2UnitX")->setCurrentIndex(1);  // tiles: 2 tiles wide
  f.dialog.accept();
  EXPECT_TRUE(f.dialog.isVisible());
  EXPECT_EQ(f.services.lastText(),
            "Map sizes must be no smaller than (30,20) tiles and no larger than (1024,1024) tiles.\n\nPlease choose "
            "a valid size.");
}

TEST(NewMapWizardDialog, CancelStoresNothingAndKeepsTheMap) {
  WizardFixture f;
  f.project().addLayer("old", 40, 30, 1.0f, 1.0f, LayerKind::Primary, true);
  const auto before = f.settings.values();
  type(f.edit("primaryName"), "other");
  click(f.box("layer2Enable"));
  click(button(f.dialog, "Cancel"));
  EXPECT_EQ(f.dialog.result(), QDialog::Rejected);
  EXPECT_EQ(f.settings.values(), before);
  EXPECT_TRUE(f.settings.written.empty());
  EXPECT_EQ(f.stackNames(), std::vector<std::string>{"old"});
}

TEST(NewMapWizardDialog, CancelledUnsavedChangesQuestionClosesTheWizard) {
  WizardFixture f;
  f.project().addLayer("old", 40, 30, 1.0f, 1.0f, LayerKind::Primary, true);
  f.project().modified = true;
  f.services.answers.push_back(MessageAnswer::Cancel);
  f.dialog.accept();
  EXPECT_FALSE(f.dialog.isVisible());
  EXPECT_EQ(f.dialog.result(), QDialog::Rejected);
  EXPECT_EQ(f.stackNames(), std::vector<std::string>{"old"});
}

TEST(NewMapWizardDialog, QuestionMarkExplainsUnoptimizedMode) {
  WizardFixture f;
  click(child<QAbstractButton>(f.dialog, "unoptimizedHelp"));
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastText(),
            "Un-optimized mode will allow you to only load a single tileset.\nAt export time, this tileset will be "
            "dumped with no attempt to remove any redundant or unused tiles or palettes.\n\nAll other Qarto features "
            "will remain intact.");
  EXPECT_TRUE(f.dialog.isVisible());
}

TEST(NewMapWizardDialog, OffersTheLastEntriesAgain) {
  WizardFixture first;
  type(first.edit("primaryName"), "ground");
  first.list("primaryHeightUnit")->setCurrentIndex(1);
  type(first.edit("primaryHeight"), "3");
  click(first.box("layer2Enable"));
  type(first.edit("layer2AmountX"), "1.75");
  first.list("layer2UnitX")->setCurrentIndex(1);
  type(first.edit("layer2AmountX"), "40.75");
  first.dialog.accept();
  ASSERT_EQ(first.dialog.result(), QDialog::Accepted);

  NewMapWizardDialog again(first.session, first.hooks());
  EXPECT_EQ(child<QLineEdit>(again, "primaryName")->text(), "ground");
  EXPECT_EQ(child<QComboBox>(again, "primaryHeightUnit")->currentIndex(), 1);
  EXPECT_EQ(child<QLineEdit>(again, "primaryHeight")->text(), "3");
  EXPECT_TRUE(child<QCheckBox>(again, "layer2Enable")->isChecked());
  EXPECT_EQ(child<QLineEdit>(again, "layer2AmountX")->text(), "40");
  EXPECT_EQ(child<QLineEdit>(again, "layer2AmountY")->text(), "0.50");
}

}  // namespace
}  // namespace qarto::test
