// The Create New Map Wizard's window: every control reaches the form OK
// builds the map from and comes back at the next opening (the "Enable" boxes
// unlock their layer groups: typing asks for an enabled edit), a refusal
// keeps the entries, Cancel keeps the map. The units, limits, refusals and
// the layer 3 rule are the core's tests.
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
};

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
  f.dialog.accept();
  ASSERT_EQ(f.dialog.result(), QDialog::Accepted);
  std::vector<std::string> layers;
  for (const auto& layer : f.project().layers()) {
    layers.push_back(layer->nameText() + " " + std::to_string(layer->width) + "x" + std::to_string(layer->height));
  }
  // Layer 2 is 30 + ceil(0.75 x 30) wide.
  EXPECT_EQ(layers, (std::vector<std::string>{"far 60x20", "hills 53x30", "ground 60x32", "Entities 60x32"}));
  EXPECT_EQ(f.titles, std::vector<std::string>{"Qarto v0.99 - New Map  (Un-opt. mode)"});
  // The next opening shows the entries again (the mode is not kept; the full form is the core's test).
  NewMapWizardDialog again(f.session, f.hooks());
  EXPECT_EQ(std::tuple(child<QLineEdit>(again, "primaryName")->text(), child<QLineEdit>(again, "layer3AmountY")->text(),
                       child<QComboBox>(again, "layer3UnitY")->currentIndex(),
                       child<QCheckBox>(again, "hasEntity")->isChecked(),
                       child<QCheckBox>(again, "unoptimizedMode")->isChecked()),
            std::tuple(QString("ground"), QString("160"), 3, true, false));
}

TEST(NewMapWizardDialog, ARefusalKeepsTheEntriesAndCancelKeepsTheMap) {
  WizardFixture f;
  f.project().addLayer("old", 40, 30, 1.0f, 1.0f, LayerKind::Primary, true);
  type(f.edit("primaryName"), "my map");
  f.dialog.accept();
  EXPECT_EQ(std::tuple(f.dialog.isVisible(), f.services.messages.size(), f.edit("primaryName")->text()),
            std::tuple(true, std::size_t{1}, QString("my map")));  // the text is the core's test
  f.project().modified = true;  // Cancel to the unsaved-changes question closes the wizard too
  f.services.answers.push_back(MessageAnswer::Cancel);
  type(f.edit("primaryName"), "ground");
  f.dialog.accept();
  EXPECT_EQ(std::pair(f.dialog.isVisible(), f.dialog.result()), std::pair(false, int(QDialog::Rejected)));
  EXPECT_EQ(f.stackNames(), std::vector<std::string>{"old"});
  EXPECT_TRUE(f.settings.written.empty());
}

}  // namespace
}  // namespace qarto::test
