#pragma once

#include <cstdint>
#include <string>

#include "io/collision_set_file.h"
#include "model/tileset/indexed_image.h"

namespace qarto::examples {

// Tiles of the example page, in page order (16 per row).
enum ExampleTile : int {
  kBlankTile = 0,
  kGrassTile = 1,
  kDirtTile = 2,
  kStonyDirtTile = 3,
  kSlopeUpTile = 4,
  kSlopeDownTile = 5,
  kBrickTile = 6,
  kBrickOffsetTile = 7,
  kStoneTile = 8,
  kSkyTile = 9,
  kHighSkyTile = 10,
  kCloudLeftTile = 11,
  kCloudMiddleTile = 12,
  kCloudRightTile = 13,
  kWaterSurfaceTile = 14,
  kWaterTile = 15,
  kPlankTile = 16,
  kExampleTileCount = 17,
};

// Collision tiles of the built-in collision page the example uses.
inline constexpr std::uint8_t kCollisionEmpty = 0;
inline constexpr std::uint8_t kCollisionSolid = 1;
inline constexpr std::uint8_t kCollisionSlopeUp = 2;
inline constexpr std::uint8_t kCollisionSlopeDown = 8;

// Collision words (bit 12 Solid, bit 13 Jump Through, bits 6-11 marker,
// bits 14-15 damage type).
inline constexpr std::uint16_t kSolidFlag = 1u << 12;
inline constexpr std::uint16_t kJumpThroughFlag = 1u << 13;
inline constexpr std::uint16_t kMarkerDoNotEnter = 1u << 6;
inline constexpr std::uint16_t kMarkerTransitionZone = 2u << 6;
inline constexpr std::uint16_t kDamageFire = 1u << 14;

inline constexpr const char* kTilePageFile = "tiles.bmp";
inline constexpr const char* kCollisionSetFile = "tiles.cll";
inline constexpr const char* kDemoMapFile = "demo.qrm";

// The 128x64 tile page with its three palette rows.
IndexedImage makeExampleTilePage();
// One collision tile number per tile of the page.
CollisionSetFile makeExampleCollisionSet();

// Writes tiles.bmp, tiles.cll and demo.qrm into `folder`. The map refers to
// its page by the bare file name, so the output does not depend on the
// folder. False with the reason in `message`.
bool writeExamples(const std::string& folder, std::string& message);

}  // namespace qarto::examples
