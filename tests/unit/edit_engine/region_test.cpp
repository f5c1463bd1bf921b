// Regions of cells as `qarto-cli edit` scripts drive them: the Select tool,
// Cut, Copy, a Paste that follows the mouse and Delete, on the active layer
// and on every tile layer, each against a model of the cells kept here and
// taken back and done again; the clipboard between two engines; the
// refusals; the two key sets.

#include "edit/commands/command_table.h"
#include "edit/entities/entity_record.h"
#include "edit/selection/cell_block.h"
#include "edit/selection/clipboard.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

constexpr int kW = 6;
constexpr int kH = 4;
using Grid = std::vector<int>;  // a layer's tiles, row by row

// The model: the tiles of `from`'s rectangle (x0, y0)-(x1, y1) laid with
// their top-left at (tx, ty), or, without `from`, the rectangle set to `tile`.
Grid laid(Grid into, const Grid* from, int x0, int y0, int x1, int y1, int tx, int ty, int tile = 0) {
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const int dx = tx + x - x0;
      const int dy = ty + y - y0;
      if (dx < kW && dy < kH) into[static_cast<std::size_t>(dy * kW + dx)] = from ? (*from)[y * kW + x] : tile;
    }
  }
  return into;
}

struct RegionMap : EngineFixture {
  MapLayer* back = nullptr;
  MapLayer* front = nullptr;
  MapLayer* collision = nullptr;
  explicit RegionMap(const char* page = "page") {
    const int id = numberedPage({0}).id;  // tile 0 is blank: what emptied cells get
    if (std::string(page) != "page") (void)this->page(64, 32, [](int, int) { return std::uint8_t{1}; }, page);
    back = &layer("Back", kW, kH, LayerKind::Primary);
    front = &layer("Front", kW, kH, LayerKind::Secondary);
    collision = &layer("Collision", kW, kH, LayerKind::Collision);
    for (int i = 0; i < kW * kH; ++i) {
      back->cells[static_cast<std::size_t>(i)] = MapCell{static_cast<std::int16_t>(1 + i), static_cast<std::int8_t>(id)};
      front->cells[static_cast<std::size_t>(i)] = MapCell{static_cast<std::int16_t>(31 - i), static_cast<std::int8_t>(id)};
    }
  }
  std::vector<Grid> tiles() { return {tilesOf(*back), tilesOf(*front), tilesOf(*collision)}; }
  // Every state in turn, from the last back to the first and forward again.
  void undoAndRedoThrough(const std::vector<std::vector<Grid>>& states) {
    ASSERT_EQ(journal().size(), states.size() - 1);
    for (std::size_t i = states.size() - 1; i > 0; --i) {
      EXPECT_EQ(tiles(), states[i]) << "state " << i;
      undo();
    }
    EXPECT_EQ(tiles(), states[0]);
    for (std::size_t i = 1; i < states.size(); ++i) {
      key(Key::Y, "", kCtrl);
      EXPECT_EQ(tiles(), states[i]) << "redone " << i;
    }
  }
};

TEST(Regions, SelectCopyPasteFollowingTheMouseCutAndDeleteOnTheActiveLayer) {
  RegionMap f;
  const std::vector<Grid> start = f.tiles();
  ASSERT_EQ(f.play("layer Back\nkey F7\npress 12 12\nmove 20 20 left\nmove 28 20 left\nrelease 28 20\n"
                   "key C ctrl\nmove 4 28\nkey V ctrl\nmove 28 20   # the block's top-left at cell (3, 2)\n")
                .errorLine,
            0);
  const StrokePlan preview = f.engine->previewPlan();
  EXPECT_EQ(std::tuple(preview.cursor, preview.cells.size(), f.tiles(), f.engine->cursor()),
            std::tuple(CellPoint{3, 2}, std::size_t{6}, start, CursorKind::Stamp))
      << "the paste follows the mouse and writes nothing before the click";

  ASSERT_EQ(f.play("press 28 20\nrelease 28 20\nkey X ctrl   # cuts what was just laid: the selection\n"
                   "select 1 0 0 0\nkey Delete\nkey Delete   # nothing left to change: no undo step\n")
                .errorLine,
            0);
  std::vector<std::vector<Grid>> states = {start, start, start, start};
  states[1][0] = laid(start[0], &start[0], 1, 1, 3, 2, 3, 2);
  states[2][0] = laid(states[1][0], nullptr, 3, 2, 5, 3, 3, 2);
  states[3][0] = laid(states[2][0], nullptr, 0, 0, 1, 0, 0, 0);
  EXPECT_TRUE(f.project().modified);
  f.undoAndRedoThrough(states);
}

TEST(Regions, CutAndPasteOnEveryTileLayerAtOnceLeaveTheCollisionLayer) {
  RegionMap f;
  const std::vector<Grid> start = f.tiles();
  ASSERT_EQ(f.play("layer Collision\ncommand 33141\nselect 0 0 1 1\nkey X ctrl\n"
                   "move 36 20\nkey Insert shift\npress 36 20\nrelease 36 20\n")
                .errorLine,
            0);
  std::vector<std::vector<Grid>> states = {start, start, start};
  for (int l : {0, 1}) {
    states[1][l] = laid(start[l], nullptr, 0, 0, 1, 1, 0, 0);
    states[2][l] = laid(states[1][l], &start[l], 0, 0, 1, 1, 4, 2);
  }
  f.undoAndRedoThrough(states);
}

TEST(Regions, TheClipboardCarriesCellsAndTheirPictureToAnotherEngineWhosePagesHaveOtherIds) {
  MemoryClipboard shared;
  RegionMap from("other");  // the numbered page is id 2 here, and 3 in `to`
  RegionMap to("first");
  std::swap(to.engine->session().registry().find(2)->displayName, to.engine->session().registry().find(3)->displayName);
  for (MapCell& cell : to.back->cells) cell.tileset = 3;
  from.engine->setClipboard(shared);
  to.engine->setClipboard(shared);
  ASSERT_EQ(from.play("layer Front\nselect 4 2 5 3\nkey C ctrl\n").errorLine, 0);
  ASSERT_EQ(to.play("layer Back\nkey V ctrl\nmove 4 4\npress 4 4\nrelease 4 4\n").errorLine, 0);
  for (int i : {0, 1, kW, kW + 1}) {
    const MapCell& cell = to.back->cells[static_cast<std::size_t>(i)];
    EXPECT_EQ(std::tuple(cell.tile, cell.tileset), std::tuple(31 - (16 + i), 3)) << i;
  }
  // Other programs get the cells' pixels: tile t in colour 1 + t % 15 of row t % 16 of the page.
  const DisplayImage& picture = shared.content()->picture;
  ASSERT_EQ(std::tuple(picture.width, picture.height), std::tuple(16, 16));
  const Tileset& page = *from.engine->session().registry().find(2);
  for (const auto& [x, y, tile] : std::initializer_list<std::tuple<int, int, int>>{{0, 0, 15}, {15, 15, 8}}) {
    const int index = (tile % 16) << 4 | (1 + tile % 15);
    const std::uint8_t* rgba = &picture.rgba[static_cast<std::size_t>(y * 16 + x) * 4];
    EXPECT_EQ(std::vector<int>(rgba, rgba + 4), (std::vector<int>{page.palette[index * 3], page.palette[index * 3 + 1],
                                                                  page.palette[index * 3 + 2], 255}));
  }
}

TEST(Regions, RefusalsSayWhyAndChangeNothing) {
  MemoryClipboard shared;
  RegionMap f;
  RegionMap lacking("other");
  lacking.engine->session().registry().find(2)->displayName = "another";
  const std::string noPage = "The copied cells use the tile page \"page\", which this map does not have. Load that page first.";
  const std::string closed =
      "The selected cells lie only on hidden or locked layers. Show and unlock a layer to change it.";
  const std::string noFit = "The copied cells fit none of the layers they would go on: collision cells go on a "
                            "collision layer, tiles on a tile layer.";
  struct Case {
    RegionMap* map;
    std::string script;
    std::string message;
  } cases[] = {
      {&f, "layer Back\nkey L ctrl\nselect 0 0 2 2\nkey X ctrl\n", closed},
      {&f, "layer Front\nkey V ctrl\nmove 4 4\npress 4 4\nrelease 4 4\n", closed},
      {&lacking, "layer Back\nkey V ctrl\n", noPage},
      {&f, "key Escape\nlayer Collision\nselect 0 0 1 1\nkey C ctrl\nlayer Back\nkey V ctrl\n", noFit},
  };
  for (RegionMap* map : {&f, &lacking}) map->engine->setClipboard(shared);
  for (const Case& c : cases) {
    c.map->front->locked = true;
    const std::vector<Grid> before = c.map->tiles();
    const std::size_t steps = c.map->journal().size();
    ASSERT_EQ(c.map->play(c.script).errorLine, 0) << c.script;
    EXPECT_EQ(std::tuple(c.map->services.lastMessage(), c.map->tiles(), c.map->journal().size()),
              std::tuple(shown(c.message, MessageIcon::Warning), before, steps))
        << c.script;
    c.map->services.messages.clear();
  }
  shared.put({{'Q', 'R', 'T'}, {}});
  ASSERT_EQ(f.play("key V ctrl\n").errorLine, 0);
  EXPECT_EQ(f.services.lastText(), "The clipboard's cells are damaged and cannot be pasted.");
}

TEST(Regions, TheStandardAndTheClassicKeysAndDeleteOfTheSelectedEntity) {
  struct Case {
    const char* key;
    Modifiers modifiers;
    int standard;
    int classic;
  } const cases[] = {
      {"V", kCtrl, cmd::kPaste, cmd::kToggleLayerVisibility},  {"A", kCtrl, cmd::kSelectAll, cmd::kToggleLayerAlpha},
      {"Delete", {}, cmd::kDelete, cmd::kZoomOut},             {"V", kCtrlShift, cmd::kToggleLayerVisibility, 0},
      {"A", kCtrlShift, cmd::kToggleLayerAlpha, 0},            {"End", {}, cmd::kZoomOut, 0},
      {"Insert", kShift, cmd::kPaste, cmd::kPaste},            {"C", kCtrl, cmd::kCopy, cmd::kCopy},
      {"X", kCtrl, cmd::kCut, cmd::kCut},                      {"F7", {}, cmd::kSelectMode, cmd::kSelectMode},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(commandForKey(*scriptKey(c.key, c.modifiers), false), c.standard) << c.key;
    EXPECT_EQ(commandForKey(*scriptKey(c.key, c.modifiers), true), c.classic) << c.key;
  }
  EXPECT_EQ(menuTextFor(cmd::kZoomOut, "Zoom Out\tEnd", true), "Zoom Out\tDelete");
  EXPECT_EQ(menuTextFor(cmd::kSelectAll, "Select &All\tCtrl+A", true), "Select &All");

  RegionMap f;
  const MapLayer& entities = f.layer("Entities", 0, 0, LayerKind::Entity);
  ASSERT_EQ(f.play("key F6\nentity spawn\nrelease 4 4\nkey Delete\n").errorLine, 0);
  EXPECT_EQ(std::tuple(readEntity(entities, 0)->inUse, f.journal().size()), std::tuple(false, 3u));
  ASSERT_EQ(f.play("set Settings ClassicKeys 1\nlayer Back\nkey V ctrl\nkey Delete\n").errorLine, 0);
  EXPECT_EQ(std::tuple(f.back->visible, f.state().view.mapZoom), std::tuple(false, 0.75f))
      << "classic: Ctrl+V hides the layer, Delete zooms out";
}

TEST(CellBlockCodec, RoundTripsAndRefusesShortLongAndInconsistentForms) {
  CellBlock block{2, 1, {{5, false, "page"}, {1, true, "collision"}}, {}};
  block.layers.push_back({LayerKind::Secondary, {MapCell{-3, 5, 2, 0, 3, 0}, MapCell{700, 5, 15, 0, 0, 9}}});
  block.layers.push_back({LayerKind::Collision, {MapCell{4, 1, 0, 0xC2C0, 0, 0}, MapCell{}}});
  const std::vector<std::uint8_t> bytes = encodeCellBlock(block);
  ASSERT_EQ(bytes.size(), 8 + 8 + 3 + 4 + 3 + 9 + 2 * (1 + 16));
  EXPECT_EQ(decodeCellBlock(bytes), block);
  for (std::size_t n = 0; n < bytes.size(); ++n) EXPECT_FALSE(decodeCellBlock({bytes.data(), n})) << n;
  // A byte more; width 0; a layer of entities; a page's collision byte 2; a side over the limit.
  const std::pair<std::size_t, std::uint8_t> changes[] = {{bytes.size(), 0}, {10, 0}, {35, 3}, {24, 2}, {11, 0x20}};
  for (const auto& [at, value] : changes) {
    std::vector<std::uint8_t> changed = bytes;
    if (at == bytes.size()) changed.push_back(value);
    else changed[at] = value;
    EXPECT_FALSE(decodeCellBlock(changed)) << at;
  }
}

}  // namespace
}  // namespace qarto::test
