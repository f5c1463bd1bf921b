// The Create New Map Wizard without its window: what its OK refuses, the
// map it builds and the entries it remembers.
#include "edit/dialogs/new_map_wizard.h"

#include <gtest/gtest.h>

#include "support/dialog_fixture.h"

namespace qarto::test {
namespace {

using Message = ScriptedServices::Message;

// The stack from the bottom: "name kind width x height parallax", the kind
// P(rimary), S(econdary), C(ollision) or E(ntities).
std::string stack(MapProject& project) {
  std::string text;
  for (const auto& l : project.layers()) {
    const char kind = l->kind == LayerKind::Primary     ? 'P'
                      : l->kind == LayerKind::Secondary ? 'S'
                      : l->kind == LayerKind::Collision ? 'C'
                                                        : 'E';
    char line[96];
    std::snprintf(line, sizeof line, "%s%s %c %dx%d %g/%g", text.empty() ? "" : ", ", l->nameText().c_str(), kind,
                  l->width, l->height, l->parallaxX, l->parallaxY);
    text += line;
  }
  return text;
}

TEST(NewMapWizardOk, BuildsTheStackBottomToTop) {
  DialogFixture f;
  NewMapWizardForm form = loadNewMapWizard(f.settings);
  form.hasEntity = true;
  form.setLayer2Enabled(true);
  form.layer3().enabled = true;
  ASSERT_EQ(acceptNewMapWizard(f.session, form, f.hooks()), NewMapOutcome::Created);
  // Layer 3 is 30 + ceil(0.25 x 98) by
  // 20 + ceil(0.25 x 44), layer 2 30 + ceil(0.5 x 98) by 20 + ceil(0.5 x 44).
  EXPECT_EQ(stack(f.project()),
            "BG_Layer2 S 55x31 0.25/0.25, BG_Layer1 S 79x42 0.5/0.5, BG_Layer0 P 128x64 1/1, Collision C 128x64 1/1, "
            "Entities E 128x64 1/1");
  EXPECT_EQ(std::tuple(f.project().activeLayer, f.project().journal().size(), f.project().unoptimizedMode, f.titles,
                       f.services.messages.size()),
            std::tuple(f.project().layerAt(2), 0u, false, std::vector<std::string>{"Qarto v0.99 - New Map"}, 0u));
}

// Every refusal: its message, the exclamation icon, the wizard stays open
// and neither the project nor the settings change. Disabled layers are not
// checked. (Text that is no number: typed_numbers_test; the unit limits:
// layer_amounts_test.)
TEST(NewMapWizardOk, Refusals) {
  const std::string size =
      "Map sizes must be no smaller than (30,20) tiles and no larger than (1024,1024) tiles.\n\nPlease choose a valid "
      "size.";
  const std::string name =
      " is not a valid C variable name.  Valid names consist of alphanumeric text and underscores.\n\nPlease enter a "
      "valid name to continue.";
  const std::string parallax = " has an invalid parallax amount.  Parallax must be between 0.0 and 2.0.";
  const struct {
    void (*edit)(NewMapWizardForm&);
    std::string message;
  } cases[] = {
      {[](NewMapWizardForm& f) { f.primaryName = "big map"; }, "The primary layer name you have entered" + name},
      {[](NewMapWizardForm& f) { f.heightText = "1025"; }, size},
      {[](NewMapWizardForm& f) { f.widthText = "99999999999999999999"; }, size},
      {[](NewMapWizardForm& f) { f.layer2().amountY = "-0.01"; }, "Layer 2" + parallax},
      {[](NewMapWizardForm& f) { f.layer2() = {true, "hills", "2.5", "1", 1, 0}; }, size},  // 2.5 tiles wide
      {[](NewMapWizardForm& f) { f.layer2().name = "far-hills"; }, "The name for layer 2" + name},
      {[](NewMapWizardForm& f) { f.layer3().amountX = "3"; }, "Layer 3" + parallax},
      {[](NewMapWizardForm& f) { f.layer3().name = "9sky"; }, "The name for layer 3" + name},
  };
  for (const auto& c : cases) {
    DialogFixture f;
    f.project().addLayer("old", 40, 30, 1.0f, 1.0f, LayerKind::Primary, true);
    NewMapWizardForm form = loadNewMapWizard(f.settings);
    form.setLayer2Enabled(true);
    form.layer3().enabled = true;
    c.edit(form);
    EXPECT_EQ(acceptNewMapWizard(f.session, form, f.hooks()), NewMapOutcome::StayOpen) << c.message;
    EXPECT_EQ(f.services.messages, std::vector<Message>{shown(c.message, MessageIcon::Exclamation, "")});
    EXPECT_EQ(std::tuple(f.stackNames(), f.settings.written.empty(), f.titles.empty()),
              std::tuple(std::vector<std::string>{"old"}, true, true))
        << c.message;
  }
  DialogFixture f;
  NewMapWizardForm form = loadNewMapWizard(f.settings);
  form.layer2().amountX = "nan";
  form.layer2().name = "not a name";
  form.layer3().amountX = "7";
  EXPECT_EQ(acceptNewMapWizard(f.session, form, f.hooks()), NewMapOutcome::Created);
  EXPECT_TRUE(f.services.messages.empty());
}

TEST(NewMapWizardOk, NoViewAndTheUnsavedChangesQuestion) {
  DialogFixture f;
  EXPECT_EQ(acceptNewMapWizard(f.session, loadNewMapWizard(f.settings), f.hooks(), false), NewMapOutcome::StayOpen);
  EXPECT_EQ(f.services.lastText(), "Fatal Error! Map creation failed because the child window is not valid??");
  EXPECT_FALSE(f.project().hasLayers());

  f.project().addLayer("old", 40, 30, 1.0f, 1.0f, LayerKind::Primary, true);
  f.project().modified = true;
  f.services.messages.clear();
  f.services.answers = {MessageAnswer::Cancel, MessageAnswer::No};
  EXPECT_EQ(acceptNewMapWizard(f.session, loadNewMapWizard(f.settings), f.hooks()), NewMapOutcome::Cancelled);
  EXPECT_EQ(std::tuple(f.services.messages.size(), f.services.lastMessage().buttons, f.stackNames(),
                       f.project().modified, f.settings.written.empty()),
            std::tuple(1u, MessageButtons::YesNoCancel, std::vector<std::string>{"old"}, true, true));
  EXPECT_EQ(acceptNewMapWizard(f.session, loadNewMapWizard(f.settings), f.hooks()), NewMapOutcome::Created);
  EXPECT_EQ(f.stackNames(), (std::vector<std::string>{"BG_Layer0", "Collision"}));
}

// The entries are stored as typed, but for amounts in tiles (whole) and
// parallax (two decimals); the window's test opens them again.
TEST(NewMapWizardOk, StoresExactlyItsEntries) {
  DialogFixture f;
  NewMapWizardForm form = loadNewMapWizard(f.settings);
  form.primaryName = "ground";
  form.widthText = " 256 ";
  form.widthUnit = 2;
  form.heightText = "64";
  form.setLayer2Enabled(true);
  form.layer2() = {true, "hills", "0.5", "40.75", 0, 1};
  form.layer3() = {false, "sky", "1.75", "zz", 1, 0};  // disabled: stored all the same
  ASSERT_EQ(acceptNewMapWizard(f.session, form, f.hooks()), NewMapOutcome::Created);
  std::string stored;
  for (const std::string& key : f.settings.written) {
    stored += key.substr(9) + "=" + f.settings.readText("Settings", key.substr(9), "?") + ";";
  }
  EXPECT_EQ(stored,
            "DefMapHeight=64;DefMapWidth= 256 ;HasCollision=1;HasEntity=0;Layer1Name=ground;Layer2Name=hills;"
            "Layer3Name=sky;Parallax2A=0.50;Parallax2B=40;Parallax3A=1;Parallax3B=zz;Units1A=2;Units1B=0;Units2A=0;"
            "Units2B=1;Units3A=1;Units3B=0;UseLayer2=1;UseLayer3=0;");
}

TEST(NewMapWizardOk, KeepsTheCollisionTilesetAndClearsTheRest) {
  DialogFixture f;
  f.project().addLayer("old", 40, 30, 1.0f, 1.0f, LayerKind::Primary, true);
  f.project().collisionSetEditing = true;
  f.project().modified = false;
  f.project().filePath = "/tmp/old.qrm";
  ASSERT_EQ(acceptNewMapWizard(f.session, loadNewMapWizard(f.settings), f.hooks()), NewMapOutcome::Created);
  const MapLayer* collision = f.project().findLayerOfKind(LayerKind::Collision);
  ASSERT_TRUE(collision != nullptr && f.project().collisionTileset != nullptr);
  EXPECT_EQ(std::tuple(f.project().collisionSetEditing, f.project().filePath, collision->cells.front().tileset),
            std::tuple(false, "", f.project().collisionTileset->id));
}

TEST(NewMapWizardHelp, UnoptimizedModeExplained) {
  DialogFixture f;
  showUnoptimizedModeHelp(f.services);
  EXPECT_EQ(f.services.messages,
            std::vector<Message>{shown(
                "Un-optimized mode will allow you to only load a single tileset.\nAt export time, this tileset will be "
                "dumped with no attempt to remove any redundant or unused tiles or palettes.\n\nAll other Qarto "
                "features will remain intact.",
                MessageIcon::None, "", MessageButtons::Ok)});
}

}  // namespace
}  // namespace qarto::test
