#include "export/reduction/screen_entry_table.h"

#include <gtest/gtest.h>

#include <climits>

#include "reduction_fixture.h"

namespace qarto::test {
namespace {

// The flat table must give what EncodeScreenEntry gives from the ordered
// maps, for every kind of cell: recorded or not, at the ends of the page id
// and tile number ranges, with every flip, palette rows above 15, and
// offsets that wrap.
ExportReduction reductionWithEdges() {
  ExportReduction r;
  const int pages[] = {-128, -3, 1, 2, 127};
  const int tiles[] = {-32768, -1, 0, 1, 7, 999, 32767};
  int position = 0;
  for (int page : pages) {
    for (int tile : tiles) {
      for (std::size_t group = 0; group < 2; ++group) {
        const TileKey key = tileKey(page, tile);
        // Some keys lack a number or a flip, so each part's default shows.
        if ((position + static_cast<int>(group)) % 5 != 0) r.tileIndex[group][key] = (position * 37 + 3) % 1024;
        if ((position + static_cast<int>(group)) % 7 != 1)
          r.tileFlip[group][key] = static_cast<std::uint8_t>(position % 4);
        ++position;
      }
    }
    for (int row = 0; row < 16; row += 3) r.paletteIndex[paletteKey(page, row)] = (page + row) & 15;
  }
  return r;
}

TEST(ScreenEntryTable, GivesWhatTheOrderedMapsGive) {
  const ExportReduction r = reductionWithEdges();
  const int pages[] = {-128, -127, -3, 0, 1, 2, 5, 126, 127};
  const int tiles[] = {-32768, -32767, -2, -1, 0, 1, 6, 7, 8, 999, 1000, 32766, 32767};
  const std::pair<int, int> offsets[] = {{0, 0}, {3, 1000}, {15, 1023}, {17, 5000}, {-1, -1}, {INT_MAX, INT_MIN}};
  for (const auto& [bank, tileOffset] : offsets) {
    const ScreenEntryTable table(r, bank, tileOffset);
    for (int page : pages) {
      for (int tile : tiles) {
        for (int row : {0, 3, 4, 15, 18, 255}) {
          for (int flags = 0; flags < 8; ++flags) {
            MapCell cell = cellOf(page, tile, row);
            cell.flags = static_cast<std::uint8_t>(flags);
            for (int group = 0; group < 2; ++group) {
              ASSERT_EQ(table.encode(cell, group), EncodeScreenEntry(r, cell, group, bank, tileOffset))
                  << "page " << page << " tile " << tile << " row " << row << " flags " << flags << " group " << group
                  << " offsets " << bank << ", " << tileOffset;
            }
          }
        }
      }
    }
  }
}

TEST(ScreenEntryTable, EmptyReductionEncodesOffsetsOnly) {
  const ExportReduction r;
  const ScreenEntryTable table(r, 2, 40);
  EXPECT_EQ(table.encode(cellOf(1, 9, 4, true, false), 0), 40 | 1 << 10 | 2 << 12);
}

}  // namespace
}  // namespace qarto::test
