// The demo map: a 64x32 level over a half-speed sky, with its collision layer
// and a few entities, built and saved the way the editor does it.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "edit/session/map_file_commands.h"
#include "edit/session/tileset_commands.h"
#include "example_content.h"
#include "io/files/atomic_file.h"
#include "io/files/path_utils.h"
#include "io/images/bmp_codec.h"
#include "io/images/display_image.h"
#include "model/byte_order.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/recording_services.h"
#include "model/recording_services.h"
#include "model/settings/memory_settings_store.h"
#include "model/tileset/builtin_collision_tiles.h"
#include "model/tileset/tileset_host.h"
#include "model/tileset/tileset_registration.h"

namespace qarto::examples {

namespace {

constexpr int kMapWidth = 64;
constexpr int kMapHeight = 32;
constexpr int kGroundRow = 24;
constexpr int kPitLeft = 28;
constexpr int kPitRight = 35;


// The built-in collision page, whatever lies in the working folder, so the
// demo map comes out the same everywhere.
bool registerBuiltinCollisionTiles(EditorSession& session) {
  auto tileset = std::make_unique<Tileset>();
  tileset->sourcePath = "collisionTiles.bmp";
  tileset->isCollisionTileset = true;
  const std::vector<std::uint8_t> bytes = builtinCollisionTilesBmp();
  std::string message;
  if (!decodeBmpImage(bytes.data(), bytes.size(), tileset->sourcePath, *tileset, message)) return false;
  if (!computeTilesetGeometry(*tileset)) return false;
  DisplayImage display = makeDisplayImage(*tileset);
  Tileset* registered = registerTileset(session.project(), session.host(), std::move(tileset), std::move(display));
  session.project().collisionTileset = registered;
  return registered != nullptr;
}

// The page tile at (x, y) of the level.
int levelTile(int x, int y) {
  // A hill from column 10 to 17, a water pit, a brick wall, stone steps and
  // a floating plank.
  int surface = kGroundRow;
  int surfaceTile = kGrassTile;
  if (x == 10 || x == 17) surface = kGroundRow - 1;
  if (x == 11 || x == 16) surface = kGroundRow - 2;
  if (x >= 12 && x <= 15) surface = kGroundRow - 2;
  if (x == 10 || x == 11) surfaceTile = kSlopeUpTile;
  if (x == 16 || x == 17) surfaceTile = kSlopeDownTile;

  if (x >= kPitLeft && x <= kPitRight) {
    if (y == kGroundRow + 1) return kWaterSurfaceTile;
    return y > kGroundRow + 1 ? kWaterTile : kBlankTile;
  }
  if (x >= 44 && x <= 49 && y >= kGroundRow - 4 && y < kGroundRow) return (y % 2 == 0) ? kBrickTile : kBrickOffsetTile;
  if ((x == 39 && y == kGroundRow - 1) || (x == 40 && y >= kGroundRow - 2 && y < kGroundRow)) return kStoneTile;
  if (x >= 52 && x <= 56 && y == kGroundRow - 6) return kPlankTile;

  if (y < surface) return kBlankTile;
  if (y == surface) return surfaceTile;
  return (x * 7 + y * 3) % 11 == 0 ? kStonyDirtTile : kDirtTile;
}

// The sky layer: high sky on top, a band of clouds, plain sky below.
int skyTile(int x, int y) {
  if (y < 6) return kHighSkyTile;
  const int cloudStart = (y == 7) ? 3 : (y == 11 ? 20 : (y == 9 ? 34 : -1));
  if (cloudStart >= 0 && x >= cloudStart && x < cloudStart + 6) {
    if (x == cloudStart) return kCloudLeftTile;
    if (x == cloudStart + 5) return kCloudRightTile;
    return kCloudMiddleTile;
  }
  return kSkyTile;
}

template <typename TileAt>
void paint(MapLayer& layer, const Tileset& page, TileAt tileAt) {
  for (int y = 0; y < layer.height; ++y) {
    for (int x = 0; x < layer.width; ++x) {
      MapCell& cell = layer.cell(x, y);
      const int tile = tileAt(x, y);
      cell.tile = static_cast<std::int16_t>(tile);
      cell.tileset = static_cast<std::int8_t>(page.id);
      cell.palette = tilePaletteRow(page, tile);
    }
  }
}

std::uint16_t collisionWord(int x, int y, int pageTile, std::uint8_t collisionTile) {
  std::uint16_t word = 0;
  if (pageTile == kPlankTile) {
    word |= kJumpThroughFlag;
  } else if (collisionTile != kCollisionEmpty) {
    word |= kSolidFlag;
  }
  if (pageTile == kWaterSurfaceTile) word |= kDamageFire;
  if (x == 0 && y < kGroundRow) word |= kMarkerDoNotEnter;
  if (x == kMapWidth - 1 && y < kGroundRow) word |= kMarkerTransitionZone;
  return word;
}

void paintCollision(MapLayer& collision, const MapLayer& level, const Tileset& page, const Tileset& collisionTiles) {
  for (int y = 0; y < collision.height; ++y) {
    for (int x = 0; x < collision.width; ++x) {
      const int pageTile = level.cell(x, y).tile;
      const std::uint8_t collisionTile = page.collisionSet[static_cast<std::size_t>(pageTile)];
      MapCell& cell = collision.cell(x, y);
      cell.tile = collisionTile;
      cell.tileset = static_cast<std::int8_t>(collisionTiles.id);
      cell.palette = 0;
      cell.collision = collisionWord(x, y, pageTile, collisionTile);
    }
  }
}

void placeEntity(MapLayer& layer, int slot, std::uint16_t type, std::int8_t facing, int x, int y) {
  std::uint8_t* record = layer.entities.data() + static_cast<std::size_t>(slot) * kEntityRecordSize;
  record[0] = 1;
  storeU16(record + 2, type);
  record[4] = static_cast<std::uint8_t>(facing);
  storeI32(record + 8, x);
  storeI32(record + 12, y);
}

}  // namespace

bool writeExamples(const std::string& folder, std::string& message) {
  const std::string pagePath = joinPath(folder, kTilePageFile);
  if (!writeIndexedBmp(pagePath, makeExampleTilePage(), 256, message)) return false;
  const std::vector<std::uint8_t> cll = encodeCollisionSet(makeExampleCollisionSet());
  if (!writeFileAtomically(joinPath(folder, kCollisionSetFile), cll.data(), cll.size())) {
    message = "Could not write " + joinPath(folder, kCollisionSetFile);
    return false;
  }

  RecordingServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession session(services, settings, host);
  MapProject& project = session.project();
  auto failed = [&](const std::string& what) {
    message = what + (services.messages.empty() ? std::string() : ": " + services.messages.front());
    return false;
  };

  if (!registerBuiltinCollisionTiles(session)) return failed("The collision tiles could not be registered");
  MapLayer* level = project.addLayer("Level", kMapWidth, kMapHeight, 1.0f, 1.0f, LayerKind::Primary, true);
  if (level == nullptr) return failed("The level layer could not be added");
  Tileset* page = loadTilesetFromFile(session, pagePath);
  if (page == nullptr || !page->hasCollisionSet) return failed("The tile page could not be loaded with its .cll");
  page->sourcePath = kTilePageFile;
  paint(*level, *page, levelTile);

  MapLayer* collision = project.addLayer("Collision", kMapWidth, kMapHeight, 1.0f, 1.0f, LayerKind::Collision, false);
  MapLayer* entities = project.addLayer("Entities", kMapWidth, kMapHeight, 1.0f, 1.0f, LayerKind::Entity, false);
  MapLayer* sky = project.addLayer("Sky", 0, 0, 0.5f, 0.5f, LayerKind::Secondary, false);
  if (collision == nullptr || entities == nullptr || sky == nullptr) return failed("A layer could not be added");
  paintCollision(*collision, *level, *page, *project.collisionTileset);
  paint(*sky, *page, skyTile);
  // Foot points stand on the ground (row 24 starts at pixel 192), the last
  // one on the plank.
  placeEntity(*entities, 0, 0, 1, 40, 192);
  placeEntity(*entities, 1, 1, -1, 110, 176);
  placeEntity(*entities, 2, 2, 1, 300, 192);
  placeEntity(*entities, 3, 3, -1, 432, 144);

  project.filePath = kDemoMapFile;
  MapFileHooks hooks;
  const std::string mapPath = joinPath(folder, kDemoMapFile);
  hooks.openSaveTarget = [mapPath](const std::string&) { return std::make_unique<AtomicSaveTarget>(mapPath); };
  if (!saveMap(session, false, hooks) || !services.messages.empty()) return failed("The demo map was not saved");
  return true;
}

}  // namespace qarto::examples
