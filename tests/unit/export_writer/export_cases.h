#pragma once

#include <cctype>
#include <functional>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "writer_fixture.h"

namespace qarto::test {

// Small complete maps, each exported into its own folder. The compile and
// binary checks read all of them; the golden files pin the default and the
// custom templates' text (offsets and tile groups are checked by value, and
// the offsets on the emulator).
struct ExportCase {
  std::string name;
  std::function<void(WriterFixture&, ExportOptions&)> build;
  bool compilesAsC = true;  // custom templates need not give C
  bool golden = true;
};

// Test listings show the case's name instead of its bytes.
inline void PrintTo(const ExportCase& exportCase, std::ostream* out) { *out << exportCase.name; }

inline void setTileCells(MapLayer& layer, const std::vector<int>& tiles, int tileset, int palette = 0) {
  for (std::size_t i = 0; i < layer.cells.size() && i < tiles.size(); ++i) {
    layer.cells[i].tile = static_cast<std::int16_t>(tiles[i]);
    layer.cells[i].tileset = static_cast<std::int8_t>(tileset);
    layer.cells[i].palette = static_cast<std::uint8_t>(palette);
  }
}

// Tile `to` of the page becomes tile `from` mirrored.
inline void mirrorTile(Tileset& page, int from, int to, bool h, bool v) {
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const int sx = h ? 7 - x : x;
      const int sy = v ? 7 - y : y;
      page.pixels[static_cast<std::size_t>(y * page.imageWidth + to * 8 + x)] =
          page.pixels[static_cast<std::size_t>(sy * page.imageWidth + from * 8 + sx)];
    }
}

inline std::vector<ExportCase> exportCases() {
  std::vector<ExportCase> cases;

  cases.push_back({"tile_groups", [](WriterFixture& f, ExportOptions&) {
                     Tileset& page = f.addPage(2, 6);
                     mirrorTile(page, 1, 4, true, false);
                     mirrorTile(page, 2, 5, true, true);
                     MapLayer& ground = f.addLayer(LayerKind::Primary, "Ground", 3, 2);
                     setTileCells(ground, {0, 1, 4, 2, 5, 1}, 2);
                     ground.cells[2].flags = kCellHFlip;                      // mirrored twice: drawn as tile 1
                     f.settings.writeInt("Exporting", "AutoPadPalettes", 0);  // padding is the other cases' concern
                     MapLayer& front = f.addLayer(LayerKind::Secondary, "Front", 2, 2);
                     front.tileGrouping = true;
                     setTileCells(front, {3, 2, 3, 3}, 2, 1);  // two unique tiles against three
                   },
                   true, false});

  cases.push_back({"offsets", [](WriterFixture& f, ExportOptions& options) {
                     f.addPage(2, 3);
                     MapLayer& primary = f.addLayer(LayerKind::Primary, "Wide", 20, 2);
                     std::vector<int> tiles;
                     for (int i = 0; i < 40; ++i) tiles.push_back(i % 3);
                     setTileCells(primary, tiles, 2);
                     for (std::size_t i = 20; i < 40; ++i) primary.cells[i].palette = 1;
                     // Declared in the second header, which the map file then includes.
                     f.settings.writeInt("Exporting", "MapExternState", 2);
                     f.settings.writeText("Exporting", "MapIncludes",
                                          "#include \"BG_Externs.h\"\r\n#include \"BG_Externs2.h\"");
                     options.bankOffset = 3;
                     options.tileOffset = 100;
                     options.saturation = -25;
                     options.luminance = 10;
                   },
                   true, false});

  cases.push_back({"entities_collision", [](WriterFixture& f, ExportOptions&) {
                     f.addPage(2, 3);
                     MapLayer& primary = f.addLayer(LayerKind::Primary, "Main", 2, 2);
                     setTileCells(primary, {1, 2, 2, 1}, 2);
                     MapLayer& collision = f.addLayer(LayerKind::Collision, "Walls", 3, 2);
                     for (std::size_t i = 0; i < collision.cells.size(); ++i) {
                       collision.cells[i].tile = static_cast<std::int16_t>(i * 30);  // 150 keeps 150 & 63
                       collision.cells[i].tileset = 1;
                       collision.cells[i].collision = static_cast<std::uint16_t>(i == 4 ? 0x1000 | (5 << 6) : 0);
                     }
                     MapLayer& far = f.addLayer(LayerKind::Secondary, "Far", 2, 2, 0.5f, 0.5f);
                     setTileCells(far, {0, 0, 1, 0}, 2, 2);
                     // Three tile layers and two collision layers: the default names are numbered.
                     setTileCells(f.addLayer(LayerKind::Collision, "Hits", 2, 1), {1, 0}, 1);
                     setTileCells(f.addLayer(LayerKind::Secondary, "Near", 2, 1), {2, 1}, 2);
                     MapLayer& entities = f.addLayer(LayerKind::Entity, "Entities", 2, 2);
                     WriterFixture::placeEntity(entities, 0, 3, 1, 16, 40);
                     WriterFixture::placeEntity(entities, 5, 1, -1, 120, 8);
                     f.settings.writeInt("Exporting", "AutoPadPalettes", 0);
                   }});

  cases.push_back(
      {"custom_templates",
       [](WriterFixture& f, ExportOptions&) {
         f.addPage(2, 3);
         MapLayer& primary = f.addLayer(LayerKind::Primary, "Main", 2, 1);
         setTileCells(primary, {1, 2}, 2);
         MapLayer& collision = f.addLayer(LayerKind::Collision, "Solid", 2, 1);
         setTileCells(collision, {1, 0}, 1);
         f.session.project().filePath = "C:\\maps\\level1.v2.qrm";
         SettingsStore& s = f.settings;
         s.writeInt("Exporting", "NumAutoGen", 41);
         s.writeInt("Exporting", "AutoPadPalettes", 0);
         s.writeText("Exporting", "PaletteFileName", "%mapName%/pal_%numAutoGen%.c");
         s.writeText("Exporting", "PaletteIncludes", "// %mapName% from %fileName%\r\n// %date% %time% %arraySize%");
         s.writeText("Exporting", "PaletteFormat", "\r\n// %paletteCount% palettes, %layerName%, tiles %tileCount%");
         s.writeText("Exporting", "TileFormat", "/* %tileGroup% */ {\r\n%data%\r\n} /* %data% gone */");
         s.writeInt("Exporting", "TileExternState", 0);
         s.writeText("Exporting", "MapFormat", "%layerName% %width%x%height% @%parallax% [%arraySize%] <%data%>");
         s.writeText("Exporting", "MapExternString", "extern %layerName% %tileGroup%; // %data%");
         s.writeInt("Exporting", "CollisionExternState", 2);
         s.writeText("Exporting", "File2Name", "%mapName%_ext_%numAutoGen%.h");
         s.writeText("Exporting", "File2Includes", "#pragma once");
         s.writeText("Exporting", "File1Includes", "");  // as stored before the self-contained header
       },
       false});
  return cases;
}

// Custom templates need not give C: the cases that do.
inline std::vector<ExportCase> casesGivingC() {
  std::vector<ExportCase> cases = exportCases();
  std::erase_if(cases, [](const ExportCase& c) { return !c.compilesAsC; });
  return cases;
}

// The arrays of an exported C text, "name[size] ... { values }", in file
// order: the declared size (-1 for "[]") and the values, comments skipped,
// "(v<<16)" read as v * 65536.
struct ExportedArray {
  std::string name;
  long declared;
  std::vector<std::int64_t> values;
};
// Scanned by hand: std::regex recurses once per character and runs out of
// stack on a large array in an unoptimised sanitizer build.
inline std::vector<ExportedArray> arraysIn(const std::string& text) {
  const auto isWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; };
  std::vector<ExportedArray> arrays;
  for (std::size_t open = text.find('['); open != std::string::npos; open = text.find('[', open + 1)) {
    std::size_t nameStart = open;
    while (nameStart > 0 && isWord(text[nameStart - 1])) --nameStart;
    std::size_t close = open + 1;
    while (close < text.size() && std::isdigit(static_cast<unsigned char>(text[close])) != 0) ++close;
    if (nameStart == open || close >= text.size() || text[close] != ']') continue;
    const std::size_t brace = text.find_first_of("{;", close);
    if (brace == std::string::npos || text[brace] != '{') continue;
    const std::size_t end = text.find('}', brace);
    if (end == std::string::npos) break;
    ExportedArray& a = arrays.emplace_back(ExportedArray{
        text.substr(nameStart, open - nameStart), close > open + 1 ? std::stol(text.substr(open + 1, close - open - 1)) : -1, {}});
    std::string items;  // the values without comments, blanks and parentheses
    for (std::size_t at = brace + 1; at < end; ++at) {
      if (text.compare(at, 2, "//") == 0) {
        at = text.find('\n', at);
        if (at == std::string::npos || at >= end) break;
      } else if (std::isspace(static_cast<unsigned char>(text[at])) == 0 && text[at] != '(' && text[at] != ')') {
        items += text[at];
      }
    }
    std::stringstream list(items);
    for (std::string item; std::getline(list, item, ',');) {
      if (!item.empty()) a.values.push_back(std::stoll(item, nullptr, 0) * (item.ends_with("<<16") ? 65536 : 1));
    }
    open = end;
  }
  return arrays;
}

inline std::string caseName(const ::testing::TestParamInfo<ExportCase>& info) { return info.param.name; }

// Each array of exported C files in file order, by name; a repeated name
// gets the next number, as the binary files do (bgMap, bgMap2).
inline std::map<std::string, std::vector<std::int64_t>> arraysOfFiles(
    const std::string& folder, const std::vector<std::string>& files = {"BG_Palette.cpp", "BG_Tiles.cpp",
                                                                         "BG_Maps.cpp", "BG_Collisions.cpp"}) {
  std::map<std::string, std::vector<std::int64_t>> arrays;
  for (const std::string& file : files) {
    for (ExportedArray& array : arraysIn(readText(folder + "/" + file))) {
      std::string name = array.name;
      for (int use = 2; arrays.count(name) != 0; ++use) name = array.name + std::to_string(use);
      arrays[name] = std::move(array.values);
    }
  }
  return arrays;
}

}  // namespace qarto::test
