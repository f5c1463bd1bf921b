#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "layers_fixture.h"

namespace qarto::test {
namespace {

// The page (id 2) and, from the bottom: Ground (parallax 0.75), Back, Tall,
// Front (primary), Enemies, Walls. Tall is 7 x 2, the others 8 x 1; no two
// cells are alike.
struct Stack : LayersFixture {
  Tileset& page = tiles();
  MapLayer& walls = layer("Walls", 8, 1, LayerKind::Collision);
  MapLayer& enemies = layer("Enemies", 8, 1, LayerKind::Entity);
  MapLayer& front = layer("Front", 8, 1, LayerKind::Primary);
  MapLayer& tall = layer("Tall", 7, 2, LayerKind::Secondary);
  MapLayer& back = layer("Back", 8, 1, LayerKind::Secondary);
  MapLayer& ground = layer("Ground", 8, 1, LayerKind::Secondary, 0.75f);
  std::unique_ptr<MapLayer> removed;

  Stack() {
    for (const auto& l : project().layers()) fillDistinct(*l, 20 * project().indexOf(l.get()) + 1);
  }
  MapLayer* named(const std::string& name) {
    for (const auto& l : project().layers())
      if (l->nameText() == name) return l.get();
    return nullptr;
  }
  // Visible, alpha and locked of each layer from the bottom up.
  std::string flags() {
    std::string out;
    for (const auto& l : project().layers())
      out += std::string(l->visible ? "v" : "-") + (l->alpha ? "a" : "-") + (l->locked ? "l " : "- ");
    return out;
  }
};

TEST(LayerSelection, NextAndPreviousWrapAndTheTogglesChangeViewFlagsOnly) {
  Stack f;
  f.project().activeLayer = &f.ground;
  // Up from the bottom wraps to the top and back; down from the top wraps to the bottom.
  for (auto step : {selectNextLayer, selectNextLayer, selectPreviousLayer, selectPreviousLayer, selectPreviousLayer}) {
    step(f.session);
  }
  EXPECT_EQ(f.bar.calls, (std::vector<std::string>{"refresh", "active Walls", "refresh", "active Enemies", "refresh",
                                                   "active Walls", "refresh", "active Ground", "refresh",
                                                   "active Back"}));
  f.bar.calls.clear();
  f.project().activeLayer = &f.tall;
  toggleActiveLayerVisible(f.session);
  toggleActiveLayerAlpha(f.session);
  toggleActiveLayerLocked(f.session);
  EXPECT_EQ(f.flags(), "v-- v-- -al v-- v-- va- ");  // a collision layer starts in alpha
  soloActiveLayer(f.session);                        // shows the active layer even when it was hidden
  EXPECT_EQ(f.flags(), "--- --- val --- --- -a- ");
  showAllLayers(f.session);
  EXPECT_EQ(f.flags(), "v-- v-- val v-- v-- va- ");
  EXPECT_EQ(std::tuple(f.bar.calls.size(), f.project().modified, f.journal().size()), std::tuple(5u, false, 0u));
}

// Undone, a shuffled layer goes back beside the neighbour it passed, even
// when its other former neighbour has left the stack meanwhile.
TEST(LayerOrder, ShuffleMovesTheActiveLayerOnePlaceAndUndoPutsItBackBesideTheLayerItPassed) {
  const std::string order = "Ground Back Tall Front Enemies Walls";
  const struct {
    const char* name;
    bool up;
    std::string after;
    const char* gone;
    const char* undone;
  } cases[] = {{"Tall", true, "Ground Back Front Tall Enemies Walls", "Back", "Ground Tall Front Enemies Walls"},
               {"Tall", false, "Ground Tall Back Front Enemies Walls", "Front", "Ground Back Tall Enemies Walls"},
               {"Enemies", true, "Ground Back Tall Front Walls Enemies", "Front", "Ground Back Tall Enemies Walls"},
               {"Walls", true, order, "", ""},  // the top cannot go up, the bottom not down
               {"Ground", false, order, "", ""}};
  for (const auto& c : cases) {
    Stack f;
    MapLayer* const moved = f.named(c.name);
    f.project().activeLayer = moved;
    const bool done = c.up ? shuffleActiveLayerUp(f.session) : shuffleActiveLayerDown(f.session);
    EXPECT_EQ(std::tuple(f.order(), done, f.project().modified, f.journal().size(), f.bar.calls.size()),
              std::tuple(c.after, c.after != order, c.after != order, done ? 1u : 0u, done ? 2u : 0u))
        << c.name << (c.up ? " up" : " down");
    EXPECT_EQ(f.project().activeLayer, moved);
    if (!done) continue;
    f.removed = f.project().takeLayer(f.named(c.gone));
    ASSERT_TRUE(f.journal().undo(f.project()));
    EXPECT_EQ(f.order(), c.undone);
    EXPECT_EQ(f.project().activeLayer, moved);
  }
}

TEST(LayerDelete, TheBottomLayerBecomesActiveAndUndoPutsTheSameLayerBack) {
  Stack f;
  const std::vector<MapCell> before = f.tall.cells;
  f.project().activeLayer = &f.tall;
  f.project().selectedEntity = 3;
  EXPECT_TRUE(deleteActiveLayer(f.session));
  EXPECT_EQ(f.order(), "Ground Back Front Enemies Walls");
  EXPECT_EQ(std::tuple(f.project().selectedEntity, f.project().modified, f.services.messages.size(), f.bar.calls),
            std::tuple(-1, true, 0u, std::vector<std::string>{"refresh", "active Ground"}));  // no question is asked
  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(std::tuple(f.project().layerAt(2), f.tall.cells), std::tuple(&f.tall, before));
}

TEST(LayerClone, CopiesTheActiveLayerToTheBottomUnderACloneNameAsOneUndoStep) {
  Stack f;
  f.tall.setName("Hills of the far north, at dusk");
  f.tall.parallaxX = 0.75f;
  f.tall.cells[5].reserved = 9;  // not a field a clone copies
  f.tall.visible = false;
  f.tall.alpha = true;
  f.tall.locked = true;
  f.project().activeLayer = &f.tall;
  MapLayer* clone = cloneActiveLayer(f.session);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(f.order(),
            "Clone of Hills of the far north Ground Back Hills of the far north, at dusk Front Enemies Walls");
  // Not active: only the clone of the primary layer becomes active.
  EXPECT_EQ(std::tuple(clone->kind, clone->width, clone->height, clone->parallaxX, clone->visible, clone->alpha,
                       clone->locked, clone->cells[5].reserved, f.project().activeLayer, f.project().modified),
            std::tuple(LayerKind::Secondary, 7, 2, 0.75f, false, true, false, 0, &f.tall, true));
  clone->cells[5].reserved = 9;
  EXPECT_EQ(clone->cells, f.tall.cells);
  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(f.project().layerCount(), 6);

  // The clone of the primary layer is an active secondary layer with parallax 1.
  f.project().activeLayer = &f.front;
  f.front.parallaxX = 0.5f;
  clone = cloneActiveLayer(f.session);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(std::tuple(clone->kind, clone->parallaxX, clone->parallaxY, f.bar.calls.back()),
            std::tuple(LayerKind::Secondary, 1.0f, 1.0f, "active Clone of Front"));
}

TEST(LayerMerge, BlankCellsTakeTheCellBeneathAsOneUndoStepAndTheLayerBeneathIsHidden) {
  Stack f;
  // A collision layer between the two is passed over: its tiles never become art.
  f.project().insertLayer(f.project().takeLayer(&f.walls), 1);
  f.project().activeLayer = &f.back;
  // Blank: tile 0, 40 (past the page's end), -3. Not blank: 1 (colour 16), 3 (half clear), 5, 7 (flipped).
  setTiles(f.back, f.page.id, {0, 5, 40, 1, -3, 3, 0, 7});
  f.back.cells[7].flags = kCellHFlip;
  const std::vector<MapCell> before = f.back.cells;
  mergeActiveLayerDown(f.session);
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(f.back.cells[i], i % 2 == 0 ? f.ground.cells[i] : before[i]) << i;
  EXPECT_EQ(std::tuple(f.project().layerCount(), f.ground.visible, f.walls.visible, f.project().modified,
                       f.journal().size(), f.services.messages.size()),
            std::tuple(6, false, true, true, 1u, 0u));  // hidden, not removed
  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(std::tuple(f.back.cells, f.ground.visible), std::tuple(before, true));

  // No blank cell: the layer beneath is hidden all the same, and undo shows it again.
  setTiles(f.back, f.page.id, {4, 5, 6, 7, 8, 9, 10, 11});
  f.journal().clear();
  mergeActiveLayerDown(f.session);
  EXPECT_EQ(std::tuple(f.ground.visible, f.journal().size()), std::tuple(false, 1u));
  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_TRUE(f.ground.visible);

  // A cell of a page that is not loaded stops the merge where it is; what was merged stays.
  setTiles(f.back, f.page.id, {0, 0, 0, 0, 0, 0, 0, 0});
  f.back.cells[2].tileset = 0;
  f.back.cells[4].tileset = -7;
  f.ground.visible = true;
  f.settle();
  mergeActiveLayerDown(f.session);
  EXPECT_EQ(tilesOf(f.back), (std::vector<int>{1, 2, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(f.services.messages,
            std::vector<Message>{shown("A tileset was expected but not found.", MessageIcon::Warning)});
  EXPECT_EQ(std::tuple(f.ground.visible, f.project().modified), std::tuple(true, true));
  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(tilesOf(f.back), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(EatHiddenTiles, ClearsTheCellsUnderTilesThatHideThemCompletelyAsOneUndoStep) {
  Stack f;
  // Opaque, one clear pixel, half clear, colour 16, blank, past the page's end, negative, page not loaded.
  setTiles(f.front, f.page.id, {4, 2, 3, 1, 0, 99, -1, 4});
  f.front.cells[7].tileset = 50;
  setTiles(f.walls, 1, std::vector<int>(8, 1));  // solid, but the collision and entity layers are passed over
  f.project().activeLayer = &f.ground;
  const auto before = f.snapshot();
  const std::vector<MapCell> front = f.front.cells;
  EXPECT_TRUE(eatHiddenTiles(f.session));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(f.ground.cells[i], i == 0 || i == 5 ? MapCell{} : distinctCell(i + 1)) << i;
  // No question: it can be undone.
  EXPECT_EQ(std::tuple(f.project().modified, f.journal().size(), f.front.cells, f.services.messages.size()),
            std::tuple(true, 1u, front, 0u));
  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(std::get<0>(f.snapshot()), std::get<0>(before));
}

TEST(LayerFlip, MirrorsEveryKindOfLayerAndUndoGivesItBack) {
  Stack f;
  // Collision tiles A (left half) and B (right half) mirror into each other; C, A with one
  // odd pixel, mirrors into B across and into A down, so flipping back can give another tile.
  CollisionFlipTables tables;
  tables.build(*makeTileset(1, 24, 8, [](int x, int y) {
    return static_cast<std::uint8_t>(x == 16 && y == 0 ? 2 : (x % 8 < 4) != (x / 8 == 1));
  }));
  setTiles(f.walls, 1, {0, 1, 2, -5, 32767, 0, 0, 0});  // -5 and 32767 are outside the tables: kept
  f.walls.cells[0].collision = 0x1000;
  writeEntity(f.enemies, 0, {true, 0, 1, 10, 50});
  writeEntity(f.enemies, 1, {false, 0, 1, 5, 6});  // a free slot is left alone
  writeEntity(f.enemies, 31, {true, 0, -1, 64, 0});
  const auto before = std::get<0>(f.snapshot());
  auto slots = [&] {
    return std::tuple(*readEntity(f.enemies, 0), *readEntity(f.enemies, 1), *readEntity(f.enemies, 31));
  };
  for (const bool across : {true, false}) {
    for (MapLayer* layer : {&f.tall, &f.walls, &f.enemies}) {
      f.project().activeLayer = layer;
      flipActiveLayer(f.session, across, tables);
    }
    // Tall (tiles 41 to 54): the tiles mirrored and every flip bit turned, those of the middle column too.
    EXPECT_EQ(tilesOf(f.tall), (across ? std::vector<int>{47, 46, 45, 44, 43, 42, 41, 54, 53, 52, 51, 50, 49, 48}
                                       : std::vector<int>{48, 49, 50, 51, 52, 53, 54, 41, 42, 43, 44, 45, 46, 47}));
    for (const MapCell& cell : f.tall.cells)
      EXPECT_EQ(cell.flags, (cell.tile % 4) ^ (across ? kCellHFlip : kCellVFlip));
    EXPECT_EQ(tilesOf(f.walls),
              (across ? std::vector<int>{1, 1, 1, 32767, -5, 1, 0, 1} : std::vector<int>{0, 1, 0, -5, 32767, 0, 0, 0}));
    EXPECT_EQ(f.walls.cells[across ? 7 : 0].collision, 0x1000) << "the collision word moves with its cell";
    for (const MapCell& cell : f.walls.cells) EXPECT_EQ(cell.flags, 0) << "collision cells get no flip bits";
    EXPECT_EQ(slots(), across ? std::tuple(EntityRecord{true, 0, -1, 54, 50}, EntityRecord{false, 0, 1, 5, 6},
                                           EntityRecord{true, 0, 1, 0, 0})
                              : std::tuple(EntityRecord{true, 0, 1, 10, -42}, EntityRecord{false, 0, 1, 5, 6},
                                           EntityRecord{true, 0, -1, 64, 8}));
    EXPECT_EQ(std::tuple(f.project().modified, f.journal().size()), std::tuple(true, 3u));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(f.journal().undo(f.project()));
    EXPECT_EQ(std::get<0>(f.snapshot()), before);
  }
  // A collision layer flipped twice need not come back; its undo keeps the former cells.
  f.project().activeLayer = &f.walls;
  flipActiveLayer(f.session, true, tables);
  flipActiveLayer(f.session, true, tables);
  EXPECT_EQ(tilesOf(f.walls), (std::vector<int>{0, 1, 0, -5, 32767, 0, 0, 0}));
  f.journal().undo(f.project());
  f.journal().undo(f.project());
  EXPECT_EQ(std::get<0>(f.snapshot()), before);
}

using Act = std::function<void(Stack&)>;

void everyOperation(Stack& f) {
  for (auto operation : {selectNextLayer, selectPreviousLayer, toggleActiveLayerVisible, toggleActiveLayerAlpha,
                         toggleActiveLayerLocked, soloActiveLayer, mergeActiveLayerDown}) {
    operation(f.session);
  }
  EXPECT_FALSE(shuffleActiveLayerUp(f.session) || shuffleActiveLayerDown(f.session) || cloneActiveLayer(f.session));
  EXPECT_FALSE(deleteActiveLayer(f.session) || eatHiddenTiles(f.session));
  flipActiveLayer(f.session, true, {});
  flipActiveLayer(f.session, false, {});
  EXPECT_FALSE(ShiftLayerModel(f.session).begin() || ResizeLayerModel(f.session).begin());
}

// The Resize dialog asked for a new size (or, on a secondary layer, a new parallax).
Act dialog(int width, int height, double parallax = 0, ResizeOutcome outcome = ResizeOutcome::StayOpen) {
  return [=](Stack& f) {
    ResizeLayerModel model(f.session);
    ASSERT_TRUE(model.begin());
    model.setNewSize(width, height);
    model.setNewParallax(parallax);
    EXPECT_EQ(model.confirm(), outcome);
  };
}
Act parallax(double value) { return dialog(0, 0, value); }
Act groundParallax(float value) {  // as a damaged map file might hold it
  return [=](Stack& f) { f.ground.parallaxX = value; };
}

TEST(LayerRefusals, SayWhyAndLeaveEveryLayerAsItWas) {
  const Act merge = [](Stack& f) { mergeActiveLayerDown(f.session); };
  const Act eat = [](Stack& f) { EXPECT_FALSE(eatHiddenTiles(f.session)); };
  const Message sizes =
      shown("The merge layers must currently be of the same size.  Merge aborted.", MessageIcon::Warning);
  const Message noOverlay =
      shown("No overlaying layer found or layer sizes are not compatible.", MessageIcon::Information);
  const Message badSize =
      shown("Map sizes must be no smaller than (30,20) and no larger than (1024,1024).\n\nPlease choose a valid size.",
            MessageIcon::Exclamation);
  const Message badParallax = shown(
      "You have entered an invalid parallax amount.  Parallax must be between 0.0 and 1.5.", MessageIcon::Exclamation);
  const Message sameParallax =
      shown("The target parallax value is identical to the old layer parallax value.", MessageIcon::Information);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    const char* active;
    Act act;
    Message message;
    Act setUp = {};
  } cases[] = {
      // clang-format off
      {"", everyOperation, shown("There is no currently active layer to be deleted.", MessageIcon::Warning)},
      {"Front", [](Stack& f) { EXPECT_FALSE(deleteActiveLayer(f.session)); },
       shown("The primary layer can never be deleted, only resized.", MessageIcon::Warning)},
      {"Ground", merge, shown("There is no tile layer beneath the active layer to merge with.", MessageIcon::Warning)},
      {"Walls", merge,
       shown("There is no collision layer beneath the active layer to merge with.", MessageIcon::Warning)},
      {"Enemies", merge, shown("Entity layers cannot be merged.", MessageIcon::Warning)},
      // Onto a wider, lower layer; onto a narrower, taller one.
      {"Tall", merge, sizes}, {"Front", merge, sizes},
      // The overlaying layer (the top tile layer) is wider and lower; only entities and collision above.
      {"Tall", eat, noOverlay}, {"Front", eat, noOverlay}, {"Enemies", eat, noOverlay},
      {"Enemies", [](Stack& f) { EXPECT_FALSE(ShiftLayerModel(f.session).begin()); },
       shown("Shifting of entity layers is not currently supported.", MessageIcon::Information)},
      {"Walls", [](Stack& f) { EXPECT_FALSE(cloneActiveLayer(f.session)); },
       shown("A collision layer is already present in the project.  Are you sure you want to add another one?",
             MessageIcon::Question, "", MessageButtons::YesNo),
       [](Stack& f) { f.services.answers.push_back(MessageAnswer::No); }},
      {"Front", [](Stack& f) { EXPECT_FALSE(importImageAsLayer(f.session)); },
       shown("Unoptimized mode only allows one tileset to be loaded at a time.  Collision tiles Do Not count as a "
             "regular texture tileset.", MessageIcon::Information),
       [](Stack& f) { f.project().unoptimizedMode = true; }},
      {"Front", [](Stack& f) { EXPECT_FALSE(resizeLayers(f.session, {{&f.front, 9, 1}}, {})); },
       shown("Supposedly a tileset is loaded, but couldn't find one. Layer resize aborted.", MessageIcon::Stop),
       [](Stack& f) { f.project().unoptimizedMode = true; f.project().registry().remove(f.page.id); }},
      {"Front", [](Stack& f) {  // memory for the first layer only
         ScopedAllocationLimit limit(60 * 60 * sizeof(MapCell) - 1);
         EXPECT_FALSE(resizeLayers(f.session, {{&f.ground, 20, 20}, {&f.front, 60, 60}}, {}));
       }, shown("Error....tile array allocation failed.  Try closing other applications. ", MessageIcon::Exclamation)},
      {"Front", dialog(8, 1),
       shown("The target layer size is identical to the old layer size.", MessageIcon::Information)},
      {"Front", dialog(29, 20), badSize}, {"Front", dialog(30, 1025), badSize},
      {"Front", dialog(60, 40), badParallax, groundParallax(nan)},
      {"Ground", parallax(0.7465), sameParallax}, {"Ground", parallax(-0.01), badParallax},
      {"Ground", parallax(1.5), badParallax},  // 30 + ceil(1.5 x (8 - 30)) = -3
      {"Ground", dialog(0, 0, 0.5, ResizeOutcome::Closed),
       shown("No valid primary layer was found.  The process has aborted.", MessageIcon::Stop),
       [](Stack& f) { f.removed = f.project().takeLayer(&f.front); }},
      // clang-format on
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    Stack f;
    if (cases[i].setUp) cases[i].setUp(f);
    f.project().activeLayer = f.named(cases[i].active);
    f.settle();
    const auto before = f.snapshot();
    cases[i].act(f);
    EXPECT_EQ(f.services.messages, std::vector<Message>{cases[i].message}) << "case " << i;
    EXPECT_EQ(std::tuple(f.snapshot(), f.bar.calls.empty()), std::tuple(before, true)) << "case " << i;
  }
}

}  // namespace
}  // namespace qarto::test
