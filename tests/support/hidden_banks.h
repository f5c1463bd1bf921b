#pragma once

// Pictures drawn from banks the test makes up and keeps to itself, so that
// a reduction can be checked against what is known to fit.

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "model/tileset/indexed_image.h"

namespace qarto::test {

struct HiddenBanks {
  unsigned seed = 1;
  int banks = 16;
  int tiles = 300;
  int fewestColours = 6;   // per tile, at most 14: no tile uses a whole bank
  int mostColours = 12;
  bool sharedBlack = true;  // black in every bank
  int clearPercent = 0;     // pixels with alpha 0
  int flippedPercent = 0;   // tiles repeating an earlier one mirrored
  int cellsWide = 16;
  int cells = 0;            // more than `tiles`: the rest repeat them, flipped
};

using Tile64 = std::array<std::uint32_t, 64>;  // 0 clear, else 0x8000 | 15-bit colour

inline Tile64 flipped(const Tile64& t, int flip) {
  Tile64 out{};
  for (int i = 0; i < 64; ++i) out[i] = t[((flip & 2) ? 7 - i / 8 : i / 8) * 8 + ((flip & 1) ? 7 - i % 8 : i % 8)];
  return out;
}

struct HiddenPicture {
  DisplayImage picture;                      // 16 cells wide
  std::vector<Tile64> cells;                 // what each cell shows at 15 bits
  std::vector<std::vector<std::uint16_t>> sets;  // colour set per cell
  int uniqueUnderFlips = 0;
};

inline HiddenPicture makeHiddenPicture(const HiddenBanks& c) {
  std::mt19937 random(c.seed);
  std::vector<std::uint16_t> pool;
  for (int v = 1; v < 0x8000; ++v) pool.push_back(static_cast<std::uint16_t>(v));
  std::shuffle(pool.begin(), pool.end(), random);
  std::vector<std::vector<std::uint16_t>> banks(c.banks);
  std::size_t next = 0;
  for (auto& bank : banks) {
    if (c.sharedBlack) bank.push_back(0);
    while (bank.size() < 15) bank.push_back(pool[next++]);
  }
  HiddenPicture out;
  const int wide = c.cellsWide, high = (std::max(c.cells, c.tiles) + wide - 1) / wide;
  out.picture = {wide * 8, high * 8, std::vector<std::uint8_t>(std::size_t(wide) * high * 256, 0)};
  std::set<Tile64> canonical;
  for (int t = 0; t < wide * high; ++t) {
    Tile64 tile{};
    if (t >= c.tiles) {
      if (t < c.cells) tile = flipped(out.cells[t % c.tiles], t / c.tiles % 4);  // else clear, filling the last row
    } else if (t > 0 && int(random() % 100) < c.flippedPercent) {
      tile = flipped(out.cells[random() % t], 1 + int(random() % 3));
    } else {
      std::vector<std::uint16_t> subset = banks[t % c.banks];
      std::shuffle(subset.begin(), subset.end(), random);
      subset.resize(c.fewestColours + random() % (c.mostColours - c.fewestColours + 1));
      for (auto& p : tile) p = int(random() % 100) < c.clearPercent ? 0 : 0x8000u | subset[random() % subset.size()];
    }
    std::set<std::uint16_t> used;
    for (const auto p : tile) if (p != 0) used.insert(static_cast<std::uint16_t>(p & 0x7FFF));
    out.sets.emplace_back(used.begin(), used.end());
    out.cells.push_back(tile);
    canonical.insert(std::min({tile, flipped(tile, 1), flipped(tile, 2), flipped(tile, 3)}));
    for (int i = 0; i < 64; ++i) {
      std::uint8_t* px = out.picture.rgba.data() + (std::size_t((t / wide) * 8 + i / 8) * wide * 8 + (t % wide) * 8 + i % 8) * 4;
      // The low three bits of each channel are noise the rounding drops.
      for (int ch = 0; ch < 3; ++ch) px[ch] = std::uint8_t(((tile[i] >> (5 * ch)) & 31) << 3 | random() % 8);
      px[3] = tile[i] == 0 ? std::uint8_t(random() % 128) : std::uint8_t(128 + random() % 128);
    }
  }
  out.uniqueUnderFlips = int(canonical.size());
  return out;
}

// First fit in picture order, the way a simple converter packs.
inline int firstFitBanks(const std::vector<std::vector<std::uint16_t>>& sets) {
  std::vector<std::set<std::uint16_t>> banks;
  for (const auto& s : sets) {
    auto fits = [&](std::set<std::uint16_t>& b) {
      std::set<std::uint16_t> u = b;
      u.insert(s.begin(), s.end());
      return u.size() <= 15 && (b = u, true);
    };
    if (std::none_of(banks.begin(), banks.end(), fits)) banks.emplace_back(s.begin(), s.end());
  }
  return int(banks.size());
}

// The picture as a 32-bit BMP with its alpha (rows bottom first).
inline std::vector<std::uint8_t> bmp32(const DisplayImage& p) {
  std::vector<std::uint8_t> out(54 + p.rgba.size(), 0);
  const std::uint32_t fields[] = {std::uint32_t(out.size()), 0, 54, 40, std::uint32_t(p.width), std::uint32_t(p.height),
                                  1u | 32u << 16};
  for (int f = 0; f < 7; ++f) {
    for (int b = 0; b < 4; ++b) out[2 + 4 * f + b] = std::uint8_t(fields[f] >> (8 * b));
  }
  out[0] = 'B', out[1] = 'M';
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      const std::uint8_t* from = &p.rgba[(std::size_t(y) * p.width + x) * 4];
      std::uint8_t* to = &out[54 + (std::size_t(p.height - 1 - y) * p.width + x) * 4];
      to[0] = from[2], to[1] = from[1], to[2] = from[0], to[3] = from[3];
    }
  }
  return out;
}

// Every pixel of the hidden picture at 15 bits, rows from the top.
inline std::vector<std::uint32_t> pixelsOf(const HiddenPicture& hidden) {
  std::vector<std::uint32_t> out;
  const int width = hidden.picture.width;
  for (int i = 0; i < width * hidden.picture.height; ++i) {
    out.push_back(hidden.cells[std::size_t(i / width / 8 * (width / 8) + i % width / 8)][i / width % 8 * 8 + i % 8]);
  }
  return out;
}

// An indexed image as shown at 15 bits: 0 for colour 0 of a row, else
// 0x8000 | the entry with each channel >> 3.
inline std::vector<std::uint32_t> shownPixels(const IndexedImage& image) {
  std::vector<std::uint32_t> out;
  for (const std::uint8_t index : image.pixels) {
    const std::uint8_t* rgb = &image.palette[index * 3];
    out.push_back(index % 16 == 0 ? 0 : 0x8000u | (rgb[2] >> 3) << 10 | (rgb[1] >> 3) << 5 | rgb[0] >> 3);
  }
  return out;
}

// Seventeen tiles of fifteen colours each, one green step from the next
// tile's: 17 banks, or fewer with the closest colours merged.
inline DisplayImage seventeenBanks() {
  DisplayImage wide{136, 8, std::vector<std::uint8_t>(136 * 8 * 4, 255)};
  for (int i = 0; i < 136 * 8; ++i) {
    wide.rgba[i * 4] = std::uint8_t((i % 8 + i / 136) % 15 * 16);
    wide.rgba[i * 4 + 1] = std::uint8_t(i % 136 / 8 * 8);
    wide.rgba[i * 4 + 2] = 0;
  }
  return wide;
}

}  // namespace qarto::test
