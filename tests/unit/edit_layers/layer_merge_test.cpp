#include <gtest/gtest.h>

#include "edit/layers/layer_merge.h"
#include "layers_fixture.h"

namespace qarto::test {
namespace {

constexpr const char* kSizeMessage = "The merge layers must currently be of the same size.  Merge aborted.";

// From the bottom: Lower, Upper (active); the numbered page is id 2 with
// tile 0 blank.
struct MergeMap : LayersFixture {
  Tileset& tiles = numberedPage();
  MapLayer& upper = layer("Upper", 3, 2, LayerKind::Primary);
  MapLayer& lower = layer("Lower", 3, 2, LayerKind::Secondary);

  MergeMap() {
    project().activeLayer = &upper;
    setTiles(lower, tiles.id, {11, 12, 13, 14, 15, 16});
    for (std::size_t i = 0; i < lower.cells.size(); ++i) {
      lower.cells[i].palette = static_cast<std::uint8_t>(i + 1);
      lower.cells[i].flags = static_cast<std::uint8_t>(i % 4);
      lower.cells[i].collision = static_cast<std::uint16_t>(0x100 * i);
    }
  }
};

TEST(LayerMerge, BlankCellsTakeTheCellBeneathAndOneUndoTakesItBack) {
  MergeMap f;
  // Blank: tile 0 (all colour 0), 40 (past the page), -3 (negative).
  setTiles(f.upper, f.tiles.id, {0, 5, 40, 7, -3, 9});
  f.upper.cells[1].flags = kCellHFlip;
  const std::vector<MapCell> before = f.upper.cells;

  mergeActiveLayerDown(f.session);
  EXPECT_EQ(tilesOf(f.upper), (std::vector<int>{11, 5, 13, 7, 15, 9}));
  for (std::size_t i : {0u, 2u, 4u}) EXPECT_EQ(f.upper.cells[i], f.lower.cells[i]) << "every field of cell " << i;
  EXPECT_EQ(f.upper.cells[1], before[1]);
  EXPECT_FALSE(f.lower.visible) << "the layer beneath is hidden";
  EXPECT_EQ(f.project().layerCount(), 2) << "and not removed";
  EXPECT_TRUE(f.project().modified);
  EXPECT_TRUE(f.services.messages.empty());
  ASSERT_EQ(f.journal().size(), 1u);

  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(f.upper.cells, before);
}

TEST(LayerMerge, ALayerWithNoBlankCellChangesNothingButStillHidesTheOneBeneath) {
  MergeMap f;
  setTiles(f.upper, f.tiles.id, {1, 2, 3, 4, 5, 6});
  const std::vector<MapCell> before = f.upper.cells;
  mergeActiveLayerDown(f.session);
  EXPECT_EQ(f.upper.cells, before);
  EXPECT_FALSE(f.lower.visible);
  EXPECT_EQ(f.journal().size(), 0u) << "an edit that saved no cell is not an undo step";
}

TEST(LayerMerge, AnUnregisteredTilesetStopsTheMergeWhereItIsAndKeepsWhatWasMerged) {
  MergeMap f;
  setTiles(f.upper, f.tiles.id, {0, 0, 0, 0, 0, 0});
  f.upper.cells[2].tileset = 0;  // never painted: no page has id 0
  f.upper.cells[4].tileset = -7;
  const std::vector<MapCell> before = f.upper.cells;

  mergeActiveLayerDown(f.session);
  EXPECT_EQ(tilesOf(f.upper), (std::vector<int>{11, 12, 0, 0, 0, 0}));
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastText(), "A tileset was expected but not found.");
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99");
  EXPECT_TRUE(f.lower.visible) << "a stopped merge does not hide the layer beneath";
  EXPECT_TRUE(f.project().modified) << "two cells did change";

  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(f.upper.cells, before);
}

TEST(LayerMerge, RefusalsSayWhyAndChangeNothing) {
  struct Case {
    const char* what;
    std::function<void(MergeMap&)> setUp;
    const char* message;
  };
  // Puts a new layer between Lower and Upper.
  auto between = [](MergeMap& f, int width, int height, LayerKind kind) -> MapLayer& {
    MapLayer& added = f.layer("Between", width, height, kind);
    f.project().insertLayer(f.project().takeLayer(&added), 1);
    f.project().activeLayer = &f.upper;
    return added;
  };
  const Case cases[] = {
      {"bottom layer", [](MergeMap& f) { f.project().activeLayer = &f.lower; },
       "There is no layer beneath the active layer to merge with."},
      {"other width", [&](MergeMap& f) { between(f, 4, 2, LayerKind::Secondary); }, kSizeMessage},
      {"other height", [&](MergeMap& f) { between(f, 3, 3, LayerKind::Secondary); }, kSizeMessage},
      {"entity layer beneath", [&](MergeMap& f) { between(f, 3, 2, LayerKind::Entity); }, kSizeMessage},
      {"entity layer active",
       [&](MergeMap& f) { f.project().activeLayer = &between(f, 3, 2, LayerKind::Entity); }, kSizeMessage},
  };
  for (const Case& c : cases) {
    MergeMap f;
    setTiles(f.upper, f.tiles.id, {0, 0, 0, 0, 0, 0});
    c.setUp(f);
    f.services.messages.clear();
    const std::vector<MapCell> upperBefore = f.upper.cells;
    mergeActiveLayerDown(f.session);
    ASSERT_EQ(f.services.messages.size(), 1u) << c.what;
    EXPECT_EQ(f.services.lastText(), c.message) << c.what;
    EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Warning) << c.what;
    EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99") << c.what;
    EXPECT_EQ(f.upper.cells, upperBefore) << c.what;
    for (const auto& l : f.project().layers()) EXPECT_TRUE(l->visible) << c.what;
    EXPECT_EQ(f.journal().size(), 0u) << c.what;
    EXPECT_FALSE(f.project().modified) << c.what;
  }
}

TEST(LayerMerge, NothingWithoutAnActiveLayer) {
  MergeMap f;
  setTiles(f.upper, f.tiles.id, {0, 0, 0, 0, 0, 0});
  f.project().activeLayer = nullptr;
  mergeActiveLayerDown(f.session);
  EXPECT_EQ(tilesOf(f.upper), (std::vector<int>{0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(f.services.messages.empty());
  EXPECT_TRUE(f.lower.visible);
}

}  // namespace
}  // namespace qarto::test
