#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "export/reduction/export_reduction.h"

namespace qarto {

class TilesetRegistry;
struct Tileset;

// Finds the unique tile a new tile matches without walking the list. Every
// tile is filed under the smallest of its four flipped forms; the flips form
// a group, so a tile and every tile it matches share that form, and since a
// tile is only appended when nothing listed matches it, each form names at
// most one listed tile. The answers are those of MatchTile.
class TileMatchIndex {
 public:
  TileMatchIndex(ExportReduction& reduction, int group);
  int match(TileKey key, const UniqueTile& tile);

 private:
  using Form = std::array<std::uint32_t, 8>;
  struct FormHash {
    std::size_t operator()(const Form& form) const;
  };
  static Form canonicalForm(const UniqueTile& tile);

  ExportReduction& reduction_;
  std::size_t group_;
  std::unordered_map<Form, int, FormHash> positions_;
};

// Remembers which (tile page id, tile number) pairs a walk has met: one flag
// per possible tile number, in a 64 KiB block per page id met. A cell whose
// key was met before has its answer recorded already (the unique list only
// grows at its end, so the first answer stays the answer), and this spares
// the ordered-map look-up for it.
class SeenTileKeys {
 public:
  SeenTileKeys() : blocks_(256) {}
  // True when the pair was met before; marks it as met.
  bool testAndSet(std::int8_t tilesetId, std::int16_t tile);

 private:
  std::vector<std::vector<std::uint8_t>> blocks_;  // by page id + 128
};

// Finds the palette a row matches by its colours 1 to 15. The answers are
// those of AddPalette.
class PaletteMatchIndex {
 public:
  PaletteMatchIndex(ExportReduction& reduction, const TilesetRegistry& registry);
  int add(const Tileset& page, int row);

 private:
  using Colours = std::array<std::uint8_t, 45>;
  struct ColoursHash {
    std::size_t operator()(const Colours& colours) const;
  };
  static Colours rowColours(const Tileset& page, int row);
  // Slot of a key in known_, or -1 for ids a cell cannot name.
  static int knownSlot(int tilesetId, int row);

  ExportReduction& reduction_;
  std::array<int, 256 * 16> known_;  // palette number by key, -1 before its first answer
  std::unordered_map<Colours, int, ColoursHash> positions_;
};

}  // namespace qarto
