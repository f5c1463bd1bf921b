#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The .qrm map file: byte layouts of every revision this program reads and
// the texts shown when a file cannot be read. docs/map-file-format.md
// describes the format in prose.

namespace qarto {

inline constexpr const char* kMapFileExtension = ".qrm";
inline constexpr int kOldestMapRevision = 1;
inline constexpr int kCurrentMapRevision = 7;

// Revisions 2 to 7 start with "Qarto_vN\n" (no terminating NUL); revision 1
// has no magic line and is read from byte 0.
inline constexpr std::size_t kMagicSize = 9;
inline constexpr std::array<char, kMagicSize> mapMagic(int revision) {
  return {'Q', 'a', 'r', 't', 'o', '_', 'v', static_cast<char>('0' + revision), '\n'};
}

// What each revision stores and how big its records are.
struct MapRevisionLayout {
  int revision = kCurrentMapRevision;
  bool hasMagic = true;
  bool hasUnoptimizedByte = true;
  std::size_t pathBytes = 256;
  std::size_t layerHeaderBytes = 96;
  std::size_t cellBytes = 8;
  int tilesetFormat = 2;  // 1: embedded BMP, 2: raw pixels and palette
};

inline constexpr MapRevisionLayout mapRevisionLayout(int revision) {
  MapRevisionLayout layout;
  layout.revision = revision;
  layout.hasMagic = revision >= 2;
  layout.hasUnoptimizedByte = revision >= 3;
  layout.pathBytes = revision >= 4 ? 256 : 128;
  layout.layerHeaderBytes = revision == 7 ? 96 : (revision == 6 ? 64 : 68);
  layout.cellBytes = revision == 1 ? 6 : 8;
  layout.tilesetFormat = revision >= 5 ? 2 : 1;
  return layout;
}

// File header after the magic: [unoptimizedMode u8], lastTilesetId i32,
// currentTilesetId i32, showMapGrid u8, showTileGrid u8, autoPaintCollision
// u8, the stored path (pathBytes), layer count i32.
inline constexpr std::size_t kStoredPathBytes = 256;
inline constexpr int kMaxLayerCountWithoutQuestion = 32;

// Layer header, revision 7 (96 bytes); revision 6 stores the first 64.
namespace layer7 {
inline constexpr std::size_t kSize = 96;
inline constexpr std::size_t kRevision6Size = 64;
inline constexpr std::size_t kKind = 8;       // i32
inline constexpr std::size_t kName = 12;      // 32 bytes, NUL-terminated
inline constexpr std::size_t kVisible = 44;   // u8
inline constexpr std::size_t kAlpha = 45;     // u8
inline constexpr std::size_t kLocked = 46;    // u8
inline constexpr std::size_t kWidth = 48;     // u16
inline constexpr std::size_t kHeight = 50;    // u16
inline constexpr std::size_t kParallaxX = 52; // f32
inline constexpr std::size_t kParallaxY = 56; // f32
inline constexpr std::size_t kTileGrouping = 64;  // u8, revision 7 only
// 0-7 (links), 47, 60-63 (buffer reference) and 65-95 are reserved: written
// as zero, ignored when read.
}  // namespace layer7

// Layer header, revisions 1 to 5 (68 bytes). No kind field: two flags.
namespace layer_old {
inline constexpr std::size_t kSize = 68;
inline constexpr std::size_t kName = 8;
inline constexpr std::size_t kVisible = 40;
inline constexpr std::size_t kAlpha = 41;
inline constexpr std::size_t kLocked = 42;
inline constexpr std::size_t kCollisionFlag = 43;  // non-zero: Collision
inline constexpr std::size_t kPrimaryFlag = 44;    // else non-zero: Primary, zero: Secondary
inline constexpr std::size_t kWidth = 52;
inline constexpr std::size_t kHeight = 54;
inline constexpr std::size_t kParallaxX = 56;
inline constexpr std::size_t kParallaxY = 60;
}  // namespace layer_old

// Revision-1 cell (6 bytes): tile u16, tileset i8, palette u8, flags u8
// (bits 0-2 kept), one ignored byte.
namespace cell_v1 {
inline constexpr std::size_t kSize = 6;
inline constexpr std::size_t kFlags = 4;
}  // namespace cell_v1

// Tileset records. Both formats start with the same fixed fields:
// isCollisionTileset u8, hasCollisionSet u8, id i32, texStepS f32,
// texStepT f32, tilesPerRow f32, tilesPerColumn f32, then L1 i32 and L1
// bytes of sourcePath with its NUL, L2 i32 and L2 bytes of displayName with
// its NUL, labelWidth i32, labelHeight i32, imageWidth i32, imageHeight i32,
// and the collision set (one byte per tile) when hasCollisionSet is set.
// Format 2 then holds the pixels (rows from the top) and the 768-byte RGB
// palette; format 1 holds S i32 and an S-byte 8-bit BMP of the page.
namespace tileset_record {
inline constexpr std::size_t kFixedFieldsSize = 1 + 1 + 4 + 4 * 4;  // up to L1
inline constexpr std::int32_t kMinStringLength = 1;    // the NUL alone
inline constexpr std::int32_t kMaxStringLength = 256;  // with the NUL
inline constexpr std::size_t kPaletteSize = 768;
}  // namespace tileset_record

// The embedded BMP of format 1 is read at fixed places: colour table (blue,
// green, red, reserved) at 54, pixel rows from 1078, bottom row first,
// imageWidth bytes per row.
namespace embedded_bmp {
inline constexpr std::size_t kColourTable = 54;
inline constexpr std::size_t kPixelRows = 1078;
}  // namespace embedded_bmp

// Messages of reading and saving. Captions are the bare application title.
inline constexpr const char* kNothingToSaveMessage = "Nothing to save.";
inline constexpr const char* kSaveOpenFailedMessage = "File could not be opened for save.";
inline constexpr const char* kLoadOpenFailedMessage = "File could not be opened for loading.";
inline constexpr const char* kOldFormatQuestion =
    "The map you are loading is possibly an old Qarto format.  Translation may allow this map to be properly "
    "viewed and editted.  If you resave this file, it will no longer be compatible with older versions of "
    "Qarto.\n\nIt is also possible that the map is an unknown/unsupported format. In this case, it is not "
    "recommened that you attempt to load this map.\n\nContinue?";
inline constexpr const char* kLayerCountQuestion =
    "The map file is most likely not valid.  Would you like to continue and attempt to read the file anyway?";
inline constexpr const char* kLayerAllocationMessage =
    "Error....layer allocation failed.  Try closing other applications. ";
inline constexpr const char* kEntityAllocationMessage =
    "Error....entity array allocation failed.  Try closing other applications. ";
inline constexpr const char* kCellAllocationMessage =
    "Error....tile array allocation failed.  Try closing other applications. ";
inline constexpr const char* kTilesetAllocationMessage =
    "Tilesets allocation failed.\n\nThe application will continue, but you may not be able to load any "
    "additional textures.";
// A file that ends early or holds values no writer produces (a count or size
// beyond the bytes that follow, a string length outside 1..256, an unknown
// layer kind, a page size that is not a positive multiple of 8). Nothing of
// such a file is kept: the project stays empty.
inline constexpr const char* kMapDamagedMessage =
    "The map file is damaged or truncated and could not be read completely.";

}  // namespace qarto
