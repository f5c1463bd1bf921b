#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/allocation.h"
#include "model_fixture.h"

namespace qarto::test {
namespace {

using Names = std::vector<std::string>;

void expectMessage(const ScriptedServices::Message& message, const std::string& text, MessageIcon icon,
                   MessageButtons buttons = MessageButtons::Ok) {
  EXPECT_EQ(message.text, text);
  EXPECT_EQ(message.caption, "Qarto v0.99");
  EXPECT_EQ(message.icon, icon);
  EXPECT_EQ(message.buttons, buttons);
}

TEST(MapProjectAddLayer, KindsActivationOrderAndNotifications) {
  ProjectFixture f;
  // The first layer becomes active whatever its kind.
  MapLayer* collision = f.project.addLayer("hits", 40, 30, 1.0f, 1.0f, LayerKind::Collision, false);
  ASSERT_NE(collision, nullptr);
  EXPECT_EQ(f.project.activeLayer, collision);
  EXPECT_TRUE(collision->alpha);
  EXPECT_TRUE(f.project.modified);

  // A primary layer always becomes active.
  MapLayer* primary = f.project.addLayer("ground", 40, 30, 1.0f, 1.0f, LayerKind::Primary, false);
  ASSERT_NE(primary, nullptr);
  EXPECT_EQ(f.project.activeLayer, primary);

  // A second primary becomes a secondary layer of the requested size; active unchanged.
  MapLayer* second = f.project.addLayer("hills", 50, 25, 0.5f, 0.25f, LayerKind::Primary, false);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->kind, LayerKind::Secondary);
  EXPECT_EQ(second->width, 50);
  EXPECT_EQ(second->height, 25);
  EXPECT_EQ(second->cells.size(), 50u * 25u);
  EXPECT_FLOAT_EQ(second->parallaxX, 0.5f);
  EXPECT_FLOAT_EQ(second->parallaxY, 0.25f);
  EXPECT_EQ(f.project.activeLayer, primary);

  MapLayer* sky = f.project.addLayer("sky", 30, 20, 1.0f, 1.0f, LayerKind::Secondary, true);
  EXPECT_EQ(f.project.activeLayer, sky);

  // New layers go to the bottom.
  EXPECT_EQ(f.stackNames(), (Names{"sky", "hills", "ground", "hits"}));
  EXPECT_EQ(f.project.layerBelow(primary), second);
  EXPECT_EQ(f.project.layerAbove(primary), collision);
  EXPECT_EQ(f.project.journal().size(), 1u);  // default of one level
  EXPECT_EQ(f.project.journal().newest()->kind, UndoKind::LayerAdded);
  EXPECT_EQ(f.project.journal().newest()->previouslyActive, primary);
  EXPECT_TRUE(f.services.messages.empty());

  // Per add: added, refresh, active.
  ASSERT_GE(f.observer.events.size(), 3u);
  EXPECT_EQ((Names(f.observer.events.end() - 3, f.observer.events.end())),
            (Names{"added:sky", "refresh", "active:sky"}));
  EXPECT_EQ((Names(f.observer.events.begin(), f.observer.events.begin() + 3)),
            (Names{"added:hits", "refresh", "active:hits"}));
}

TEST(MapProjectAddLayer, DerivedSizeNamesAndContent) {
  ProjectFixture f;
  f.project.addLayer("ground", 64, 40, 1.0f, 1.0f, LayerKind::Primary, false);
  MapLayer* derived = f.project.addLayer("far", 0, 0, 0.5f, 0.5f, LayerKind::Secondary, false);
  ASSERT_NE(derived, nullptr);
  EXPECT_EQ(derived->width, 47);
  EXPECT_EQ(derived->height, 30);

  const std::string forty(40, 'a');
  MapLayer* longName = f.project.addLayer(forty, 32, 32, 1.0f, 1.0f, LayerKind::Secondary, false);
  EXPECT_EQ(longName->nameText(), std::string(31, 'a'));
  EXPECT_EQ(longName->name[31], '\0');

  MapLayer* entity = f.project.addLayer("things", 0, 0, 1.0f, 1.0f, LayerKind::Entity, false);
  ASSERT_NE(entity, nullptr);
  EXPECT_EQ(entity->width, 64);
  EXPECT_EQ(entity->height, 40);
  EXPECT_TRUE(entity->cells.empty());
  EXPECT_EQ(entity->entities, std::vector<std::uint8_t>(kEntityBlockSize, 0));

  // Without tilesets loaded, tile layers stay all zero.
  for (const MapCell& cell : derived->cells) EXPECT_EQ(cell, MapCell{});
}

TEST(MapProjectAddLayer, FillsFromRegisteredTilesets) {
  ProjectFixture f;
  auto collisionTiles = makeTileset(64, 32);
  collisionTiles->id = 1;
  collisionTiles->isCollisionTileset = true;
  f.registry.insert(std::move(collisionTiles));
  auto page = makeTileset(32, 16, {0, 1});  // tile 2 is the first blank one
  page->id = 3;
  f.registry.insert(std::move(page));
  f.project.tilesetsLoaded = true;

  MapLayer* primary = f.project.addLayer("ground", 32, 32, 1.0f, 1.0f, LayerKind::Primary, false);
  MapLayer* hits = f.project.addLayer("hits", 0, 0, 1.0f, 1.0f, LayerKind::Collision, false);
  ASSERT_NE(primary, nullptr);
  ASSERT_NE(hits, nullptr);
  EXPECT_EQ(hits->width, 32);
  EXPECT_TRUE(hits->alpha);
  for (const MapCell& cell : primary->cells) {
    EXPECT_EQ(cell.tile, 2);
    EXPECT_EQ(cell.tileset, 3);
  }
  for (const MapCell& cell : hits->cells) {
    EXPECT_EQ(cell.tile, 0);
    EXPECT_EQ(cell.tileset, 1);
  }
}

// Every refusal and failure of the core: the exact message, nothing added,
// the active layer and the journal as they were.
TEST(MapProjectAddLayer, RefusalsAndFailuresLeaveTheStackAlone) {
  struct Case {
    const char* what;
    LayerKind kind;
    int width;
    int height;
    std::size_t allocationLimit;
    bool tilesetsLoadedWithoutTileset;
    const char* message;
    MessageIcon icon;
    MessageButtons buttons;
  };
  const Case cases[] = {
      {"second collision, No", LayerKind::Collision, 32, 32, kDefaultAllocationLimit, false,
       "A collision layer is already present in the project.  Are you sure you want to add another one?",
       MessageIcon::Question, MessageButtons::YesNo},
      {"cell array", LayerKind::Secondary, 32, 32, 1000, false,
       "Error....tile array allocation failed.  Try closing other applications. ", MessageIcon::Exclamation,
       MessageButtons::Ok},
      {"entity block", LayerKind::Entity, 32, 32, 1000, false,
       "Error....entity array allocation failed.  Try closing other applications.", MessageIcon::Exclamation,
       MessageButtons::Ok},
      {"unstorable size", LayerKind::Secondary, 70000, 2, kDefaultAllocationLimit, false,
       "Error....tile array allocation failed.  Try closing other applications. ", MessageIcon::Exclamation,
       MessageButtons::Ok},
      {"registry inconsistent", LayerKind::Secondary, 32, 32, kDefaultAllocationLimit, true,
       "Supposedly a tileset is loaded, but couldn't find one. Layer creation aborted.", MessageIcon::Stop,
       MessageButtons::Ok},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ProjectFixture f;
    MapLayer* primary = f.project.addLayer("ground", 32, 32, 1.0f, 1.0f, LayerKind::Primary, false);
    f.project.addLayer("hits", 32, 32, 1.0f, 1.0f, LayerKind::Collision, false);
    f.project.setActiveLayer(primary);
    f.project.modified = false;
    f.project.tilesetsLoaded = c.tilesetsLoadedWithoutTileset;
    f.services.answers.push_back(MessageAnswer::No);
    const UndoEntry* newestBefore = f.project.journal().newest();
    const std::size_t eventsBefore = f.observer.events.size();

    MapLayer* added;
    {
      ScopedAllocationLimit limit(c.allocationLimit);
      added = f.project.addLayer("extra", c.width, c.height, 1.0f, 1.0f, c.kind, true);
    }
    EXPECT_EQ(added, nullptr);
    ASSERT_EQ(f.services.messages.size(), 1u);
    expectMessage(f.services.messages[0], c.message, c.icon, c.buttons);
    EXPECT_EQ(f.stackNames(), (Names{"hits", "ground"}));
    EXPECT_EQ(f.project.activeLayer, primary);
    EXPECT_EQ(f.project.journal().newest(), newestBefore);
    EXPECT_EQ(f.observer.events.size(), eventsBefore);
  }
}

TEST(MapProjectAddLayer, SecondCollisionLayerOnYesAndDerivedSizeWithoutPrimary) {
  ProjectFixture f;
  f.project.addLayer("ground", 32, 32, 1.0f, 1.0f, LayerKind::Primary, false);
  f.project.addLayer("hits", 32, 32, 1.0f, 1.0f, LayerKind::Collision, false);
  f.services.answers.push_back(MessageAnswer::Yes);
  EXPECT_NE(f.project.addLayer("hits2", 32, 32, 1.0f, 1.0f, LayerKind::Collision, false), nullptr);
  EXPECT_EQ(f.project.layerCount(), 3);

  ProjectFixture empty;
  EXPECT_EQ(empty.project.addLayer("far", 0, 0, 0.5f, 0.5f, LayerKind::Secondary, false), nullptr);
  ASSERT_EQ(empty.services.messages.size(), 1u);
  expectMessage(empty.services.messages[0], "Error...No primary layer found for scale reference.",
                MessageIcon::Exclamation);
  EXPECT_FALSE(empty.project.hasLayers());
  EXPECT_EQ(empty.project.activeLayer, nullptr);
  EXPECT_TRUE(empty.project.modified);  // set before the failure, as always
}

TEST(MapProjectRequestAddLayer, UnitsGiveSizesAndParallax) {
  struct Case {
    double amountX;
    SizeUnit unitX;
    double amountY;
    SizeUnit unitY;
    int width;
    int height;
    float parallaxX;
    float parallaxY;
  };
  const Case cases[] = {
      {256.0, SizeUnit::Pixels, 256.0, SizeUnit::Pixels, 32, 32, 1.0f, 1.0f},
      {2.0, SizeUnit::Screens, 2.0, SizeUnit::Screens, 60, 40, 1.0f, 1.0f},
      {45.9, SizeUnit::Tiles, 1024.0, SizeUnit::Tiles, 45, 1024, 1.0f, 1.0f},
      {0.5, SizeUnit::Parallax, 0.5, SizeUnit::Parallax, 47, 30, 0.5f, 0.5f},
      {2.0, SizeUnit::Parallax, 0.0, SizeUnit::Parallax, 98, 20, 2.0f, 0.0f},
  };
  for (const Case& c : cases) {
    ProjectFixture f;
    f.project.addLayer("ground", 64, 40, 1.0f, 1.0f, LayerKind::Primary, false);
    AddLayerRequest request;
    request.name = "BG_Layer";
    request.amountX = c.amountX;
    request.unitX = c.unitX;
    request.amountY = c.amountY;
    request.unitY = c.unitY;
    const AddLayerResult result = f.project.requestAddLayer(request);
    SCOPED_TRACE(c.width);
    ASSERT_EQ(result.outcome, AddLayerOutcome::Added);
    ASSERT_NE(result.layer, nullptr);
    EXPECT_EQ(result.layer->kind, LayerKind::Secondary);
    EXPECT_EQ(result.layer->width, c.width);
    EXPECT_EQ(result.layer->height, c.height);
    EXPECT_FLOAT_EQ(result.layer->parallaxX, c.parallaxX);
    EXPECT_FLOAT_EQ(result.layer->parallaxY, c.parallaxY);
    EXPECT_EQ(f.project.activeLayer, f.project.findLayerOfKind(LayerKind::Primary));  // makeActive false
    EXPECT_TRUE(f.services.messages.empty());
  }
}

TEST(MapProjectRequestAddLayer, RefusalsKeepTheDialogOpenWithTheExactMessage) {
  const std::string parallax = "You have entered an invalid parallax amount.  Parallax must be between 0.0 and 2.0.";
  const std::string size =
      "Map sizes must be no smaller than (30,20) tiles and no larger than (1024,1024) tiles.\n\nPlease choose a valid "
      "size.";
  const std::string name =
      "The layer name you have entered is not a valid C variable name.  Valid names consist of alphanumeric text "
      "and underscores.\n\nPlease enter a valid name to continue.";
  struct Case {
    std::string name;
    double amountX;
    SizeUnit unitX;
    std::string message;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"BG", 2.01, SizeUnit::Parallax, parallax},
      {"BG", -0.01, SizeUnit::Parallax, parallax},
      {"BG", nan, SizeUnit::Parallax, parallax},
      {"BG", 1025.0, SizeUnit::Tiles, size},
      {"BG", 29.0, SizeUnit::Tiles, size},
      {"BG", 1.0e300, SizeUnit::Pixels, size},
      {"BG", nan, SizeUnit::Screens, size},
      {"9lives", 1.0, SizeUnit::Parallax, name},
      {"sky-high", 1.0, SizeUnit::Parallax, name},
      // The parallax check comes before the size and name checks.
      {"9lives", 3.0, SizeUnit::Parallax, parallax},
      {"9lives", 2000.0, SizeUnit::Tiles, size},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name + " " + std::to_string(c.amountX));
    ProjectFixture f;
    f.project.addLayer("ground", 64, 40, 1.0f, 1.0f, LayerKind::Primary, false);
    AddLayerRequest request;
    request.name = c.name;
    request.amountX = c.amountX;
    request.unitX = c.unitX;
    const AddLayerResult result = f.project.requestAddLayer(request);
    EXPECT_EQ(result.outcome, AddLayerOutcome::KeepDialogOpen);
    EXPECT_EQ(result.layer, nullptr);
    ASSERT_EQ(f.services.messages.size(), 1u);
    expectMessage(f.services.messages[0], c.message, MessageIcon::Exclamation);
    EXPECT_EQ(f.project.layerCount(), 1);
  }

  // A larger screen raises the lower limit, but the message still names (30,20).
  ProjectFixture wide;
  wide.project.screenWidth = 480;
  wide.project.addLayer("ground", 64, 40, 1.0f, 1.0f, LayerKind::Primary, false);
  AddLayerRequest request;
  request.amountX = 59.0;
  request.unitX = SizeUnit::Tiles;
  EXPECT_EQ(wide.project.requestAddLayer(request).outcome, AddLayerOutcome::KeepDialogOpen);
  EXPECT_EQ(wide.services.lastText(), size);
  request.amountX = 60.0;
  EXPECT_EQ(wide.project.requestAddLayer(request).outcome, AddLayerOutcome::Added);
}

TEST(MapProjectRequestAddLayer, NamesKindsAndClosingRefusals) {
  ProjectFixture f;
  AddLayerRequest request;
  request.name = "far hills";

  AddLayerResult noPrimary = f.project.requestAddLayer(request);
  EXPECT_EQ(noPrimary.outcome, AddLayerOutcome::CloseDialog);
  expectMessage(f.services.lastMessage(), "System Error. No Primary Layer Found!  Add Layer Aborted",
                MessageIcon::Exclamation);

  request.viewAvailable = false;
  AddLayerResult noView = f.project.requestAddLayer(request);
  EXPECT_EQ(noView.outcome, AddLayerOutcome::CloseDialog);
  expectMessage(f.services.lastMessage(), "Add layer failed because the child window is not valid??",
                MessageIcon::Stop);
  EXPECT_FALSE(f.project.hasLayers());

  request.viewAvailable = true;
  f.project.addLayer("ground", 64, 40, 1.0f, 1.0f, LayerKind::Primary, false);
  const std::size_t before = f.services.messages.size();
  AddLayerResult blanks = f.project.requestAddLayer(request);
  ASSERT_EQ(blanks.outcome, AddLayerOutcome::Added);
  EXPECT_EQ(blanks.layer->nameText(), "far_hills");

  request.name = "";
  EXPECT_EQ(f.project.requestAddLayer(request).outcome, AddLayerOutcome::Added);

  // Collision and entity layers take the primary's size and skip the size checks.
  request.name = "Hits";
  request.kind = LayerKind::Collision;
  request.amountX = 99.0;
  request.unitX = SizeUnit::Tiles;
  AddLayerResult hits = f.project.requestAddLayer(request);
  ASSERT_EQ(hits.outcome, AddLayerOutcome::Added);
  EXPECT_EQ(hits.layer->width, 64);
  EXPECT_EQ(hits.layer->height, 40);
  EXPECT_FLOAT_EQ(hits.layer->parallaxX, 1.0f);
  EXPECT_EQ(f.services.messages.size(), before);

  // A second collision layer refused at the question ends as Failed.
  f.services.answers.push_back(MessageAnswer::No);
  EXPECT_EQ(f.project.requestAddLayer(request).outcome, AddLayerOutcome::Failed);
}

TEST(MapProjectNames, LayerNameRule) {
  const std::pair<const char*, bool> cases[] = {
      {"", true},          {"   ", true},          {"BG_Layer", true}, {"_x9", true},   {"  Sky\t", true},
      {"9lives", false},   {"sky-high", false},    {"far hills", false}, {"a.b", false}, {"\xC3\xA9t\xC3\xA9", false},
  };
  for (const auto& [text, valid] : cases) EXPECT_EQ(isValidLayerName(text), valid) << text;

  EXPECT_EQ(layerSizeForParallax(0.5, 64, 30), 47);
  EXPECT_EQ(layerSizeForParallax(0.5, 40, 20), 30);
  EXPECT_EQ(layerSizeForParallax(0.0, 64, 30), 30);
  EXPECT_EQ(layerSizeForParallax(0.5, 20, 30), 25);  // primary smaller than the screen
}

TEST(MapProjectStack, FindLayerOfKindAndTakeLayer) {
  ProjectFixture f;
  MapLayer* top = f.project.addLayer("top", 32, 32, 1.0f, 1.0f, LayerKind::Secondary, false);
  MapLayer* middle = f.project.addLayer("middle", 32, 32, 1.0f, 1.0f, LayerKind::Primary, false);
  MapLayer* bottom = f.project.addLayer("bottom", 32, 32, 1.0f, 1.0f, LayerKind::Secondary, false);

  EXPECT_EQ(f.project.findLayerOfKind(LayerKind::Secondary), bottom);
  EXPECT_EQ(f.project.findLayerOfKind(LayerKind::Secondary, bottom), bottom);  // starts at itself
  EXPECT_EQ(f.project.findLayerOfKind(LayerKind::Secondary, middle), top);
  EXPECT_EQ(f.project.findLayerOfKind(LayerKind::Secondary, top), nullptr);  // a top start finds nothing
  EXPECT_EQ(f.project.findLayerOfKind(LayerKind::Entity), nullptr);

  EXPECT_EQ(f.project.activeLayer, middle);
  std::unique_ptr<MapLayer> taken = f.project.takeLayer(middle);
  EXPECT_EQ(taken.get(), middle);
  EXPECT_EQ(f.project.activeLayer, nullptr);
  EXPECT_EQ(f.project.takeLayer(middle), nullptr);
  f.project.insertLayer(std::move(taken), 99);  // clamped to the top
  EXPECT_EQ(f.stackNames(), (Names{"bottom", "top", "middle"}));

  f.project.setActiveLayer(top);
  EXPECT_EQ(f.project.activeLayer, top);
  MapLayer stranger;
  f.project.setActiveLayer(&stranger);  // not in the stack: refused
  EXPECT_EQ(f.project.activeLayer, top);
}

class RecordingProjectObserver : public ProjectObserver {
 public:
  void projectReset(bool collisionTilesetKept) override { calls.push_back(collisionTilesetKept); }
  std::vector<bool> calls;
};

TEST(MapProjectReset, EmptiesTheProjectAndKeepsWhatItShould) {
  for (bool removeCollision : {false, true}) {
    SCOPED_TRACE(removeCollision);
    ProjectFixture f;
    RecordingProjectObserver resets;
    f.project.setProjectObserver(&resets);
    auto collisionTiles = makeTileset(64, 32);
    collisionTiles->id = 1;
    collisionTiles->isCollisionTileset = true;
    f.project.collisionTileset = &f.registry.insert(std::move(collisionTiles));
    for (int id : {2, 3}) {
      auto page = makeTileset(16, 16);
      page->id = id;
      f.registry.insert(std::move(page));
    }
    f.project.tilesetsLoaded = true;
    f.project.lastTilesetId = 3;
    f.project.currentTilesetId = 2;
    f.project.unoptimizedMode = true;
    f.project.collisionSetEditing = true;
    f.project.filePath = "maps/level1.qrm";
    f.project.addLayer("ground", 32, 32, 1.0f, 1.0f, LayerKind::Primary, false);
    ASSERT_TRUE(f.project.journal().canUndo());

    f.project.resetProject(removeCollision);

    EXPECT_FALSE(f.project.hasLayers());
    EXPECT_EQ(f.project.activeLayer, nullptr);
    EXPECT_FALSE(f.project.modified);
    EXPECT_FALSE(f.project.collisionSetEditing);
    EXPECT_FALSE(f.project.tilesetsLoaded);
    EXPECT_TRUE(f.project.filePath.empty());
    EXPECT_FALSE(f.project.journal().canUndo());
    EXPECT_TRUE(f.project.unoptimizedMode);
    EXPECT_EQ(f.project.lastTilesetId, 3);
    EXPECT_EQ(f.project.currentTilesetId, 2);
    EXPECT_EQ(resets.calls, std::vector<bool>{!removeCollision});
    EXPECT_EQ(f.observer.events.back(), "active:none");
    if (removeCollision) {
      EXPECT_TRUE(f.registry.empty());
      EXPECT_EQ(f.project.collisionTileset, nullptr);
    } else {
      ASSERT_EQ(f.registry.size(), 1u);
      EXPECT_EQ(f.registry.find(1), f.project.collisionTileset);
    }
  }
}

}  // namespace
}  // namespace qarto::test
