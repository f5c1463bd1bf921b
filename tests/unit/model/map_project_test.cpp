#include <gtest/gtest.h>

#include <limits>

#include "model/allocation.h"
#include "model_fixture.h"

namespace qarto::test {
namespace {

using Names = std::vector<std::string>;

TEST(MapProjectAddLayer, KindsActivationOrderAndNotifications) {
  ProjectFixture f;
  // The first layer becomes active whatever its kind; a collision layer is translucent.
  MapLayer* collision = f.project.addLayer("hits", 40, 30, 1.0f, 1.0f, LayerKind::Collision, false);
  EXPECT_EQ(f.project.activeLayer, collision);
  EXPECT_TRUE(collision->alpha && f.project.modified);
  // A primary layer always becomes active; a second primary becomes a secondary layer of the requested size.
  MapLayer* primary = f.project.addLayer("ground", 40, 30, 1.0f, 1.0f, LayerKind::Primary, false);
  MapLayer* second = f.project.addLayer("hills", 50, 25, 0.5f, 0.25f, LayerKind::Primary, false);
  EXPECT_EQ(second->kind, LayerKind::Secondary);
  EXPECT_EQ(second->cells.size(), 50u * 25u);
  EXPECT_EQ(f.project.activeLayer, primary);
  // A second collision layer after Yes to the question.
  MapLayer* sky = f.project.addLayer("sky", 30, 20, 1.0f, 1.0f, LayerKind::Collision, true);
  EXPECT_EQ(f.services.messages,
            (std::vector{shown("A collision layer is already present in the project.  Are you sure you want to add "
                               "another one?",
                               MessageIcon::Question, "", MessageButtons::YesNo)}));
  EXPECT_EQ(f.project.activeLayer, sky);
  // New layers go to the bottom, each an undo entry; the layer bar hears of each.
  EXPECT_EQ(f.stackNames(), (Names{"sky", "hills", "ground", "hits"}));
  EXPECT_EQ(f.project.journal().size(), 4u);
  EXPECT_EQ((Names(f.observer.events.end() - 3, f.observer.events.end())),
            (Names{"added:sky", "refresh", "active:sky"}));
}

TEST(MapProjectAddLayer, DerivedSizeNamesAndContent) {
  ProjectFixture f;
  f.project.addLayer("ground", 45, 17, 1.0f, 1.0f, LayerKind::Primary, false);
  // 30 + ceil(0.5 * 15) and 20 + ceil(0.75 * -3): always from the default screen.
  f.project.screenWidth = 480;
  MapLayer* derived = f.project.addLayer("far", 0, 0, 0.5f, 0.75f, LayerKind::Secondary, false);
  EXPECT_EQ(std::pair(int{derived->width}, int{derived->height}), std::pair(38, 18));
  EXPECT_EQ(derived->cells, std::vector<MapCell>(38 * 18, MapCell{}));  // no tileset loaded: all zero
  EXPECT_EQ(f.project.addLayer(std::string(40, 'a'), 32, 32, 1.0f, 1.0f, LayerKind::Secondary, false)->nameText(),
            std::string(31, 'a'));
  MapLayer* entity = f.project.addLayer("things", 0, 0, 1.0f, 1.0f, LayerKind::Entity, false);
  EXPECT_TRUE(entity->width == 45 && entity->cells.empty() && entity->entities == std::vector<std::uint8_t>(1536, 0));
}

TEST(MapProjectAddLayer, FillsFromRegisteredTilesets) {
  ProjectFixture f;
  f.registry.insert(makeTileset(1, 64, 32, [](int, int) { return 0; })).isCollisionTileset = true;
  f.registry.insert(
      makeTileset(3, 32, 16, [](int x, int) { return x < 16 ? 1 : 0; }));  // tile 2 is the first blank one
  f.project.tilesetsLoaded = true;
  MapLayer* primary = f.project.addLayer("ground", 32, 32, 1.0f, 1.0f, LayerKind::Primary, false);
  MapLayer* hits = f.project.addLayer("hits", 0, 0, 1.0f, 1.0f, LayerKind::Collision, false);
  EXPECT_TRUE(hits->alpha);
  EXPECT_EQ(primary->cells, std::vector<MapCell>(32 * 32, MapCell{2, 3}));
  EXPECT_EQ(hits->cells, std::vector<MapCell>(32 * 32, MapCell{0, 1}));
}

// Every refusal and failure of the core: the exact message, nothing added,
// the active layer and the journal as they were.
TEST(MapProjectAddLayer, RefusalsAndFailuresLeaveTheStackAlone) {
  const std::string tileArray = "Error....tile array allocation failed.  Try closing other applications. ";
  struct Case {
    const char* what;
    LayerKind kind;
    int width, height;
    std::size_t allocationLimit;
    bool tilesetsLoadedWithoutTileset;
    ScriptedServices::Message message;
  };
  const Case cases[] = {
      {"second collision, No", LayerKind::Collision, 32, 32, kDefaultAllocationLimit, false,
       shown("A collision layer is already present in the project.  Are you sure you want to add another one?",
             MessageIcon::Question, "", MessageButtons::YesNo)},
      {"cell array", LayerKind::Secondary, 32, 32, 1000, false, shown(tileArray, MessageIcon::Exclamation)},
      {"unstorable size", LayerKind::Secondary, 70000, 2, kDefaultAllocationLimit, false,
       shown(tileArray, MessageIcon::Exclamation)},
      {"entity block", LayerKind::Entity, 32, 32, 1000, false,
       shown("Error....entity array allocation failed.  Try closing other applications.", MessageIcon::Exclamation)},
      {"registry inconsistent", LayerKind::Secondary, 32, 32, kDefaultAllocationLimit, true,
       shown("Supposedly a tileset is loaded, but couldn't find one. Layer creation aborted.", MessageIcon::Stop)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ProjectFixture f;
    MapLayer* primary = f.project.addLayer("ground", 32, 32, 1.0f, 1.0f, LayerKind::Primary, false);
    f.project.addLayer("hits", 32, 32, 1.0f, 1.0f, LayerKind::Collision, false);
    f.project.setActiveLayer(primary);
    f.project.tilesetsLoaded = c.tilesetsLoadedWithoutTileset;
    f.services.answers.push_back(MessageAnswer::No);
    const UndoEntry* newestBefore = f.project.journal().newest();
    const std::size_t eventsBefore = f.observer.events.size();
    {
      ScopedAllocationLimit limit(c.allocationLimit);
      EXPECT_EQ(f.project.addLayer("extra", c.width, c.height, 1.0f, 1.0f, c.kind, true), nullptr);
    }
    EXPECT_EQ(f.services.messages, std::vector{c.message});
    EXPECT_EQ(f.stackNames(), (Names{"hits", "ground"}));
    EXPECT_EQ(f.project.activeLayer, primary);
    EXPECT_EQ(f.project.journal().newest(), newestBefore);
    EXPECT_EQ(f.observer.events.size(), eventsBefore);
  }

  ProjectFixture empty;
  EXPECT_EQ(empty.project.addLayer("far", 0, 0, 0.5f, 0.5f, LayerKind::Secondary, false), nullptr);
  EXPECT_EQ(empty.services.messages,
            std::vector{shown("Error...No primary layer found for scale reference.", MessageIcon::Exclamation)});
  EXPECT_FALSE(empty.project.hasLayers());
  EXPECT_TRUE(empty.project.modified);  // set before the failure, as always
}

AddLayerRequest request(const std::string& name, double amountX, SizeUnit unitX, double amountY = 1.0,
                        SizeUnit unitY = SizeUnit::Parallax, LayerKind kind = LayerKind::Secondary) {
  return {name, kind, amountX, unitX, amountY, unitY};
}

// Over a 64 x 40 primary and the default screen of 30 x 20 tiles: the size and
// parallax each unit gives, or the refusal that keeps the dialog open (the
// conversions and limits in detail are the LayerAmounts tests').
TEST(MapProjectRequestAddLayer, UnitsLimitsAndNames) {
  const std::string parallax = "You have entered an invalid parallax amount.  Parallax must be between 0.0 and 2.0.";
  const std::string size =
      "Map sizes must be no smaller than (30,20) tiles and no larger than (1024,1024) tiles.\n\nPlease choose a valid "
      "size.";
  const std::string name =
      "The layer name you have entered is not a valid C variable name.  Valid names consist of alphanumeric text "
      "and underscores.\n\nPlease enter a valid name to continue.";
  const double nan = std::numeric_limits<double>::quiet_NaN();
  using U = SizeUnit;
  const struct {
    AddLayerRequest request;
    std::string refusal;  // empty: added as below
    std::string storedName = "";
    int width = 0, height = 0;
    float parallaxX = 0.0f, parallaxY = 0.0f;
  } cases[] = {
      {request("BG", 256.0, U::Pixels, 256.0, U::Pixels), "", "BG", 32, 32, 1.0f, 1.0f},
      {request("BG", 2.0, U::Screens, 2.0, U::Screens), "", "BG", 60, 40, 1.0f, 1.0f},
      {request("BG", 1024.0, U::Tiles, 20.5, U::Tiles), "", "BG", 1024, 20, 1.0f, 1.0f},
      {request("BG", 0.75, U::Parallax, 0.5, U::Parallax), "", "BG", 56, 30, 0.75f, 0.5f},  // 30 + ceil(25.5)
      {request("far hills", 1.0, U::Parallax), "", "far_hills", 64, 40, 1.0f, 1.0f},
      // Collision and entity layers take the primary's size and skip the size checks.
      {request("Hits", 99.0, U::Tiles, 5.0, U::Tiles, LayerKind::Collision), "", "Hits", 64, 40, 1.0f, 1.0f},
      {request("BG", 2.01, U::Parallax), parallax},
      {request("BG", 1.0, U::Parallax, 19.0, U::Tiles), size},
      {request("BG", nan, U::Screens), size},
      {request("9lives", 1.0, U::Parallax), name},
      // The parallax check comes before the size check, and that before the name check.
      {request("9lives", 3.0, U::Parallax), parallax},
      {request("9lives", 2000.0, U::Tiles), size},
  };
  for (const auto& c : cases) {
    ProjectFixture f;
    MapLayer* primary = f.project.addLayer("ground", 64, 40, 1.0f, 1.0f, LayerKind::Primary, false);
    const AddLayerResult result = f.project.requestAddLayer(c.request);
    const std::string what = c.request.name + " " + std::to_string(c.request.amountX);
    if (!c.refusal.empty()) {
      EXPECT_EQ(result.outcome, AddLayerOutcome::KeepDialogOpen) << what;
      EXPECT_EQ(f.services.messages, std::vector{shown(c.refusal, MessageIcon::Exclamation)}) << what;
      EXPECT_EQ(f.project.layerCount(), 1) << what;
      continue;
    }
    ASSERT_EQ(result.outcome, AddLayerOutcome::Added) << what;
    EXPECT_EQ(result.layer->kind, c.request.kind) << what;
    EXPECT_EQ(result.layer->nameText(), c.storedName);
    EXPECT_EQ(std::tuple(int{result.layer->width}, int{result.layer->height}, result.layer->parallaxX,
                         result.layer->parallaxY),
              std::tuple(c.width, c.height, c.parallaxX, c.parallaxY))
        << what;
    EXPECT_EQ(f.project.activeLayer, primary) << what;  // never made active
    EXPECT_TRUE(f.services.messages.empty()) << what;
  }
}

TEST(MapProjectNames, LayerNameRule) {
  const std::pair<const char*, bool> cases[] = {
      {"", true},        {"   ", true},       {"BG_Layer", true},   {"_x9", true},  {"  Sky\t", true},
      {"9lives", false}, {"sky-high", false}, {"far hills", false}, {"a.b", false}, {"\xC3\xA9t\xC3\xA9", false},
  };
  for (const auto& [text, valid] : cases) EXPECT_EQ(isValidLayerName(text), valid) << text;
}

}  // namespace
}  // namespace qarto::test
