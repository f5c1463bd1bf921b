// The Create New Map Wizard without its window: what it offers, what its
// OK refuses, the map it builds and the entries it remembers.
#include <gtest/gtest.h>

#include "edit/dialogs/new_map_wizard.h"
#include "support/dialog_fixture.h"

namespace qarto::test {
namespace {

struct Layer {
  std::string name;
  LayerKind kind;
  int width;
  int height;
  float parallaxX;
  float parallaxY;
};

std::vector<Layer> stack(MapProject& project) {
  std::vector<Layer> layers;
  for (const auto& l : project.layers()) {
    layers.push_back({l->nameText(), l->kind, l->width, l->height, l->parallaxX, l->parallaxY});
  }
  return layers;
}

const std::string kSizeMessage =
    "Map sizes must be no smaller than (30,20) tiles and no larger than (1024,1024) tiles.\n\nPlease choose a valid "
    "size.";
const std::string kLayer2Parallax = "Layer 2 has an invalid parallax amount.  Parallax must be between 0.0 and 2.0.";
const std::string kLayer3Parallax = "Layer 3 has an invalid parallax amount.  Parallax must be between 0.0 and 2.0.";

TEST(NewMapWizardOpening, FirstUseDefaults) {
  DialogFixture f;
  const NewMapWizardForm form = loadNewMapWizard(f.settings);
  EXPECT_EQ(form.primaryName, "BG_Layer0");
  EXPECT_EQ(form.widthText, "128");
  EXPECT_EQ(form.heightText, "64");
  EXPECT_EQ(form.widthUnit, 0);
  EXPECT_EQ(form.heightUnit, 0);
  EXPECT_TRUE(form.hasCollision);
  EXPECT_FALSE(form.hasEntity);
  EXPECT_FALSE(form.layer2().enabled);
  EXPECT_FALSE(form.layer3().enabled);
  EXPECT_EQ(form.layer2().name, "BG_Layer1");
  EXPECT_EQ(form.layer3().name, "BG_Layer2");
  EXPECT_EQ(form.layer2().amountX, "0.5");
  EXPECT_EQ(form.layer2().amountY, "0.5");
  EXPECT_EQ(form.layer3().amountX, "0.25");
  EXPECT_EQ(form.layer3().amountY, "0.25");
  EXPECT_FALSE(form.unoptimizedMode);
  EXPECT_TRUE(f.settings.written.empty());
}

TEST(NewMapWizardOpening, Layer3FollowsLayer2) {
  DialogFixture f;
  f.settings.writeInt("Settings", "UseLayer2", 0);
  f.settings.writeInt("Settings", "UseLayer3", 1);
  f.settings.writeInt("Settings", "Units2A", 9);  // no such unit
  NewMapWizardForm form = loadNewMapWizard(f.settings);
  EXPECT_FALSE(form.layer3().enabled);
  EXPECT_EQ(form.layer2().unitX, 0);

  form.setLayer2Enabled(true);
  EXPECT_TRUE(form.layer3Available());
  form.layer3().enabled = true;
  form.setLayer2Enabled(false);
  EXPECT_FALSE(form.layer3().enabled);
  EXPECT_FALSE(form.layer3Available());
}

TEST(NewMapWizardOk, BuildsTheStackBottomToTop) {
  DialogFixture f;
  NewMapWizardForm form = loadNewMapWizard(f.settings);
  form.hasEntity = true;
  form.setLayer2Enabled(true);
  form.layer3().enabled = true;
  ASSERT_EQ(acceptNewMapWizard(f.session, form, f.hooks()), NewMapOutcome::Created);

  const std::vector<Layer> layers = stack(f.project());
  ASSERT_EQ(layers.size(), 5u);
  // 30 + ceil(0.5 x 98) by 20 + ceil(0.5 x 44); 30 + ceil(0.25 x 98) by 20 + ceil(0.25 x 44).
  EXPECT_EQ(layers[0].name, "BG_Layer2");
  EXPECT_EQ(layers[0].kind, LayerKind::Secondary);
  EXPECT_EQ(layers[0].width, 55);
  EXPECT_EQ(layers[0].height, 31);
  EXPECT_FLOAT_EQ(layers[0].parallaxX, 0.25f);
  EXPECT_EQ(layers[1].name, "BG_Layer1");
  EXPECT_EQ(layers[1].width, 79);
  EXPECT_EQ(layers[1].height, 42);
  EXPECT_FLOAT_EQ(layers[1].parallaxY, 0.5f);
  EXPECT_EQ(layers[2].name, "BG_Layer0");
  EXPECT_EQ(layers[2].kind, LayerKind::Primary);
  EXPECT_EQ(layers[2].width, 128);
  EXPECT_EQ(layers[2].height, 64);
  EXPECT_EQ(layers[3].name, "Collision");
  EXPECT_EQ(layers[3].kind, LayerKind::Collision);
  EXPECT_EQ(layers[3].width, 128);
  EXPECT_EQ(layers[4].name, "Entities");
  EXPECT_EQ(layers[4].kind, LayerKind::Entity);

  EXPECT_EQ(f.project().activeLayer, f.project().layerAt(2));
  EXPECT_EQ(f.project().journal().size(), 0u);
  EXPECT_FALSE(f.project().unoptimizedMode);
  EXPECT_EQ(f.titles, std::vector<std::string>{"Qarto v0.99 - New Map"});
  EXPECT_TRUE(f.services.messages.empty());
}

TEST(NewMapWizardOk, UnoptimizedModeAndTitle) {
  DialogFixture f;
  NewMapWizardForm form = loadNewMapWizard(f.settings);
  form.hasCollision = false;
  form.unoptimizedMode = true;
  ASSERT_EQ(acceptNewMapWizard(f.session, form, f.hooks()), NewMapOutcome::Created);
  EXPECT_EQ(f.stackNames(), std::vector<std::string>{"BG_Layer0"});
  EXPECT_TRUE(f.project().unoptimizedMode);
  EXPECT_EQ(f.titles, std::vector<std::string>{"Qarto v0.99 - New Map  (Un-opt. mode)"});
}

// Width and height typed in each unit, on the 240 x 160 screen.
TEST(NewMapWizardOk, PrimaryUnits) {
  const struct {
    const char* width;
    int widthUnit;
    const char* height;
    int heightUnit;
    int tilesWide;
    int tilesHigh;
  } cases[] = {
      {"2", 1, "64", 0, 60, 64},        // screens: 2 x 30
      {"256", 2, "64", 0, 32, 64},      // pixels: 256 / 8
      {"40", 0, "3", 1, 40, 60},        // 3 x 20 screens high
      {"1024", 0, "167", 2, 1024, 20},  // 167 / 8, truncated
      {" 33 ", 0, "20.9", 0, 33, 20},   // blanks around
      {"1.5", 1, "1.25", 1, 45, 25},    // parts of screens
  };
  for (const auto& c : cases) {
    DialogFixture f;
    NewMapWizardForm form = loadNewMapWizard(f.settings);
    form.hasCollision = false;
    form.widthText = c.width;
    form.widthUnit = c.widthUnit;
    form.heightText = c.height;
    form.heightUnit = c.heightUnit;
    ASSERT_EQ(acceptNewMapWizard(f.session, form, f.hooks()), NewMapOutcome::Created) << c.width << " " << c.height;
    const MapLayer& primary = *f.project().layerAt(0);
    EXPECT_EQ(primary.width, c.tilesWide) << c.width;
    EXPECT_EQ(primary.height, c.tilesHigh) << c.height;
  }
}

// Layer 2 typed in each unit over the 128 x 64 primary layer.
TEST(NewMapWizardOk, SecondaryUnits) {
  const struct {
    const char* amountX;
    int unitX;
    const char* amountY;
    int unitY;
    int width;
    int height;
    float parallaxX;
    float parallaxY;
  } cases[] = {
      {"0.5", 0, "0.5", 0, 79, 42, 0.5f, 0.5f},
      {"2", 0, "0", 0, 226, 20, 2.0f, 0.0f},
      {"40.9", 1, "2", 2, 40, 40, 1.0f, 1.0f},  // tiles truncated; 2 screens of 20
      {"256", 3, "1.5", 2, 32, 30, 1.0f, 1.0f},
  };
  for (const auto& c : cases) {
    DialogFixture f;
    NewMapWizardForm form = loadNewMapWizard(f.settings);
    form.hasCollision = false;
    form.setLayer2Enabled(true);
    form.layer2() = {true, "hills", c.amountX, c.amountY, c.unitX, c.unitY};
    ASSERT_EQ(acceptNewMapWizard(f.session, form, f.hooks()), NewMapOutcome::Created) << c.amountX;
    const MapLayer& layer = *f.project().layerAt(0);
    EXPECT_EQ(layer.nameText(), "hills");
    EXPECT_EQ(layer.width, c.width) << c.amountX;
    EXPECT_EQ(layer.height, c.height) << c.amountY;
    EXPECT_FLOAT_EQ(layer.parallaxX, c.parallaxX);
    EXPECT_FLOAT_EQ(layer.parallaxY, c.parallaxY);
  }
}

// Every refusal: its message, the exclamation icon, the wizard stays open
// and neither the project nor the settings change.
TEST(NewMapWizardOk, Refusals) {
  const std::string badPrimary =
      "The primary layer name you have entered is not a valid C variable name.  Valid names consist of alphanumeric "
      "text and underscores.\n\nPlease enter a valid name to continue.";
  const std::string badName2 =
      "The name for layer 2 is not a valid C variable name.  Valid names consist of alphanumeric text and "
      "underscores.\n\nPlease enter a valid name to continue.";
  const std::string badName3 =
      "The name for layer 3 is not a valid C variable name.  Valid names consist of alphanumeric text and "
      "underscores.\n\nPlease enter a valid name to continue.";
  struct Case {
    const char* what;
    void (*edit)(NewMapWizardForm&);
    std::string message;
  };
  const Case cases[] = {
      {"primary name with a digit first", [](NewMapWizardForm& f) { f.primaryName = "1st"; }, badPrimary},
      {"primary name with a blank", [](NewMapWizardForm& f) { f.primaryName = "big map"; }, badPrimary},
      {"29 tiles wide", [](NewMapWizardForm& f) { f.widthText = "29"; }, kSizeMessage},
      {"1025 tiles high", [](NewMapWizardForm& f) { f.heightText = "1025"; }, kSizeMessage},
      {"overflowing width", [](NewMapWizardForm& f) { f.widthText = "99999999999999999999"; }, kSizeMessage},
      {"overflowing screens", [](NewMapWizardForm& f) { f.widthText = "2147483647"; f.widthUnit = 1; }, kSizeMessage},
      {"negative screens", [](NewMapWizardForm& f) { f.heightText = "-3"; f.heightUnit = 1; }, kSizeMessage},
      {"layer 2 parallax 2.5", [](NewMapWizardForm& f) { f.layer2().amountX = "2.5"; }, kLayer2Parallax},
      {"layer 2 parallax -0.01", [](NewMapWizardForm& f) { f.layer2().amountY = "-0.01"; }, kLayer2Parallax},
      {"layer 2 of 2.5 tiles", [](NewMapWizardForm& f) { f.layer2().amountX = "2.5"; f.layer2().unitX = 1; },
       kSizeMessage},
      {"layer 2 of nan tiles", [](NewMapWizardForm& f) { f.layer2().amountX = "nan"; f.layer2().unitX = 1; },
       kSizeMessage},
      {"layer 2 name", [](NewMapWizardForm& f) { f.layer2().name = "far-hills"; }, badName2},
      {"layer 3 parallax", [](NewMapWizardForm& f) { f.layer3().amountX = "3"; }, kLayer3Parallax},
      {"layer 3 name", [](NewMapWizardForm& f) { f.layer3().name = "9sky"; }, badName3},
  };
  for (const Case& c : cases) {
    DialogFixture f;
    f.project().addLayer("old", 40, 30, 1.0f, 1.0f, LayerKind::Primary, true);
    NewMapWizardForm form = loadNewMapWizard(f.settings);
    form.setLayer2Enabled(true);
    form.layer3().enabled = true;
    c.edit(form);
    EXPECT_EQ(acceptNewMapWizard(f.session, form, f.hooks()), NewMapOutcome::StayOpen) << c.what;
    ASSERT_EQ(f.services.messages.size(), 1u) << c.what;
    EXPECT_EQ(f.services.lastText(), c.message) << c.what;
    EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99");
    EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Exclamation);
    EXPECT_EQ(f.stackNames(), std::vector<std::string>{"old"}) << c.what;
    EXPECT_TRUE(f.settings.written.empty()) << c.what;
    EXPECT_TRUE(f.titles.empty());
  }
}

TEST(NewMapWizardOk, DisabledLayersAreNotChecked) {
  DialogFixture f;
  NewMapWizardForm form = loadNewMapWizard(f.settings);
  form.layer2().amountX = "nan";
  form.layer2().name = "not a name";
  form.layer3().amountX = "7";
  EXPECT_EQ(acceptNewMapWizard(f.session, form, f.hooks()), NewMapOutcome::Created);
  EXPECT_TRUE(f.services.messages.empty());
}

TEST(NewMapWizardOk, NoView) {
  DialogFixture f;
  EXPECT_EQ(acceptNewMapWizard(f.session, loadNewMapWizard(f.settings), f.hooks(), false), NewMapOutcome::StayOpen);
  EXPECT_EQ(f.services.lastText(), "Fatal Error! Map creation failed because the child window is not valid??");
  EXPECT_FALSE(f.project().hasLayers());
}

TEST(NewMapWizardOk, CancellingTheUnsavedChangesQuestionKeepsTheOldMap) {
  DialogFixture f;
  f.project().addLayer("old", 40, 30, 1.0f, 1.0f, LayerKind::Primary, true);
  f.project().modified = true;
  f.services.answers.push_back(MessageAnswer::Cancel);
  EXPECT_EQ(acceptNewMapWizard(f.session, loadNewMapWizard(f.settings), f.hooks()), NewMapOutcome::Cancelled);
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastMessage().buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(f.stackNames(), std::vector<std::string>{"old"});
  EXPECT_TRUE(f.project().modified);
  EXPECT_TRUE(f.settings.written.empty());

  f.services.answers.push_back(MessageAnswer::No);
  EXPECT_EQ(acceptNewMapWizard(f.session, loadNewMapWizard(f.settings), f.hooks()), NewMapOutcome::Created);
  EXPECT_EQ(f.stackNames(), (std::vector<std::string>{"BG_Layer0", "Collision"}));
}

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

  const std::set<std::string> owned = {
      "Settings/Layer1Name", "Settings/Units1A",   "Settings/Units1B",   "Settings/DefMapWidth",
      "Settings/DefMapHeight", "Settings/HasCollision", "Settings/HasEntity", "Settings/UseLayer2",
      "Settings/UseLayer3",  "Settings/Layer2Name", "Settings/Parallax2A", "Settings/Parallax2B",
      "Settings/Units2A",    "Settings/Units2B",   "Settings/Layer3Name", "Settings/Parallax3A",
      "Settings/Parallax3B", "Settings/Units3A",   "Settings/Units3B"};
  EXPECT_EQ(f.settings.written, owned);

  auto text = [&f](const char* key) { return f.settings.readText("Settings", key, "?"); };
  auto number = [&f](const char* key) { return f.settings.readInt("Settings", key, -99); };
  EXPECT_EQ(text("Layer1Name"), "ground");
  EXPECT_EQ(text("DefMapWidth"), " 256 ");  // as typed
  EXPECT_EQ(number("Units1A"), 2);
  EXPECT_EQ(text("Parallax2A"), "0.50");
  EXPECT_EQ(text("Parallax2B"), "40");  // 40.75 in tiles
  EXPECT_EQ(number("Units2B"), 1);
  EXPECT_EQ(text("Layer3Name"), "sky");
  EXPECT_EQ(text("Parallax3A"), "1");  // 1.75 in tiles
  EXPECT_EQ(text("Parallax3B"), "zz");  // no number: as typed
  EXPECT_EQ(number("Units3A"), 1);
  EXPECT_EQ(number("UseLayer2"), 1);
  EXPECT_EQ(number("UseLayer3"), 0);
  EXPECT_EQ(number("HasCollision"), 1);
  EXPECT_EQ(number("HasEntity"), 0);

  // The next opening offers the same entries.
  const NewMapWizardForm again = loadNewMapWizard(f.settings);
  EXPECT_EQ(again.primaryName, "ground");
  EXPECT_EQ(again.widthText, " 256 ");
  EXPECT_EQ(again.widthUnit, 2);
  EXPECT_TRUE(again.layer2().enabled);
  EXPECT_EQ(again.layer2().amountY, "40");
}

TEST(NewMapWizardOk, KeepsTheCollisionTilesetAndClearsTheRest) {
  DialogFixture f;
  f.project().addLayer("old", 40, 30, 1.0f, 1.0f, LayerKind::Primary, true);
  f.project().collisionSetEditing = true;
  f.project().modified = false;
  f.project().filePath = "/tmp/old.qrm";
  ASSERT_EQ(acceptNewMapWizard(f.session, loadNewMapWizard(f.settings), f.hooks()), NewMapOutcome::Created);
  EXPECT_FALSE(f.project().collisionSetEditing);
  EXPECT_TRUE(f.project().filePath.empty());
  ASSERT_NE(f.project().collisionTileset, nullptr);
  const MapLayer* collision = f.project().findLayerOfKind(LayerKind::Collision);
  ASSERT_NE(collision, nullptr);
  EXPECT_EQ(collision->cells.front().tileset, f.project().collisionTileset->id);
}

TEST(NewMapWizardHelp, UnoptimizedModeExplained) {
  DialogFixture f;
  showUnoptimizedModeHelp(f.services);
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastText(),
            "Un-optimized mode will allow you to only load a single tileset.\nAt export time, this tileset will be "
            "dumped with no attempt to remove any redundant or unused tiles or palettes.\n\nAll other Qarto features "
            "will remain intact.");
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99");
  EXPECT_EQ(f.services.lastMessage().buttons, MessageButtons::Ok);
}

}  // namespace
}  // namespace qarto::test
