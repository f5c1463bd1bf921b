// The Create New Map Wizard's window: every control reaches the form OK
// builds the map from and comes back at the next opening, the "Enable"
// boxes drive their layer groups, a refusal keeps the entries, Cancel keeps
// the map. The units, limits and refusals themselves are the core's tests.
#include <QCheckBox>
#include <sstream>

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
};

std::string describe(const NewMapWizardForm& form) {
  std::ostringstream out;
  out << form.primaryName << " " << form.widthText << "/" << form.widthUnit << " " << form.heightText << "/"
      << form.heightUnit << (form.hasCollision ? " C" : "") << (form.hasEntity ? " E" : "")
      << (form.unoptimizedMode ? " U" : "");
  for (const SecondaryLayerEntry& layer : form.secondary) {
    out << " | " << layer.enabled << " " << layer.name << " " << layer.amountX << "/" << layer.unitX << " "
        << layer.amountY << "/" << layer.unitY;
  }
  return out.str();
}

TEST(NewMapWizardDialog, EveryControlReachesTheMapAndComesBackNextTime) {
  WizardFixture f;
  click(f.box("layer2Enable"));
  click(f.box("layer3Enable"));
  const struct {
    const char* edit;
    const char* typed;
    const char* unit;
    int index;
  } entries[] = {{"primaryName", "ground", nullptr, 0},     {"primaryWidth", "2", "primaryWidthUnit", 1},
                 {"primaryHeight", "256", "primaryHeightUnit", 2}, {"layer2Name", "hills", nullptr, 0},
                 {"layer2AmountX", "0.75", "layer2UnitX", 0}, {"layer2AmountY", "30", "layer2UnitY", 1},
                 {"layer3Name", "far", nullptr, 0},        {"layer3AmountX", "2", "layer3UnitX", 2},
                 {"layer3AmountY", "160", "layer3UnitY", 3}};
  for (const auto& e : entries) {
    type(f.edit(e.edit), e.typed);
    if (e.unit != nullptr) f.list(e.unit)->setCurrentIndex(e.index);
  }
  click(f.box("hasCollision"));
  click(f.box("hasEntity"));
  click(f.box("unoptimizedMode"));
  const std::string typed = "ground 2/1 256/2 E U | 1 hills 0.75/0 30/1 | 1 far 2/2 160/3";
  EXPECT_EQ(describe(f.dialog.form()), typed);

  f.dialog.accept();
  ASSERT_EQ(f.dialog.result(), QDialog::Accepted);
  std::vector<std::string> layers;
  for (const auto& layer : f.project().layers()) {
    layers.push_back(layer->nameText() + " " + std::to_string(layer->width) + "x" + std::to_string(layer->height));
  }
  // Layer 2 is 30 + ceil(0.75 x 30) wide.
  EXPECT_EQ(layers, (std::vector<std::string>{"far 60x20", "hills 53x30", "ground 60x32", "Entities 60x32"}));
  EXPECT_EQ(f.titles, std::vector<std::string>{"Qarto v0.99 - New Map  (Un-opt. mode)"});
  EXPECT_EQ(describe(NewMapWizardDialog(f.session, f.hooks()).form()),
            "ground 2/1 256/2 E | 1 hills 0.75/0 30/1 | 1 far 2/2 160/3");
}

TEST(NewMapWizardDialog, EnableBoxesDriveTheLayerGroups) {
  WizardFixture f;
  EXPECT_FALSE(f.edit("layer2Name")->isEnabled());
  EXPECT_FALSE(f.box("layer3Enable")->isEnabled());
  click(f.box("layer2Enable"));
  EXPECT_TRUE(f.list("layer2UnitY")->isEnabled());
  EXPECT_TRUE(child<QLabel>(f.dialog, "layer2WidthIcon")->isVisible());
  click(f.box("layer3Enable"));
  EXPECT_TRUE(f.edit("layer3AmountX")->isEnabled());
  click(f.box("layer2Enable"));  // layer 2 off takes layer 3 with it
  EXPECT_EQ(std::pair(f.box("layer3Enable")->isChecked(), f.box("layer3Enable")->isEnabled()), std::pair(false, false));
  EXPECT_FALSE(f.edit("layer3AmountX")->isEnabled());
  EXPECT_FALSE(child<QLabel>(f.dialog, "layer3HeightIcon")->isVisible());
}

TEST(NewMapWizardDialog, ARefusalKeepsTheEntriesAndCancelKeepsTheMap) {
  WizardFixture f;
  f.project().addLayer("old", 40, 30, 1.0f, 1.0f, LayerKind::Primary, true);
  click(child<QAbstractButton>(f.dialog, "unoptimizedHelp"));
  EXPECT_EQ(f.services.lastText().substr(0, 22), "Un-optimized mode will");
  type(f.edit("primaryName"), "my map");
  f.dialog.accept();
  EXPECT_TRUE(f.dialog.isVisible());
  EXPECT_EQ(f.services.lastText(),
            "The primary layer name you have entered is not a valid C variable name.  Valid names consist of "
            "alphanumeric text and underscores.\n\nPlease enter a valid name to continue.");
  EXPECT_EQ(f.edit("primaryName")->text(), "my map");
  click(button(f.dialog, "Cancel"));
  EXPECT_EQ(f.dialog.result(), QDialog::Rejected);

  // Cancel to the unsaved-changes question closes the wizard too.
  WizardFixture asked;
  asked.project().addLayer("old", 40, 30, 1.0f, 1.0f, LayerKind::Primary, true);
  asked.project().modified = true;
  asked.services.answers.push_back(MessageAnswer::Cancel);
  asked.dialog.accept();
  EXPECT_FALSE(asked.dialog.isVisible());
  for (DialogFixture* fixture : {static_cast<DialogFixture*>(&f), static_cast<DialogFixture*>(&asked)}) {
    EXPECT_EQ(fixture->stackNames(), std::vector<std::string>{"old"});
    EXPECT_TRUE(fixture->settings.written.empty());
  }
}

}  // namespace
}  // namespace qarto::test
