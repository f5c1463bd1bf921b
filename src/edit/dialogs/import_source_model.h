#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "edit/layers/source/source_layer_import.h"
#include "model/platform_services.h"

namespace qarto {

class EditorSession;

inline constexpr const char* kSourceFileFilter = "Source Files (.h,.c,.cpp)|*.h;*.cpp;*.c||";

// The three groups of the dialog, each a file and an array in it.
enum class SourceGroup { Palette = 0, TileData = 1, MapData = 2 };
inline constexpr const char* kSourceGroupTitles[] = {"Palette File:", "Tile Data File:", "Map Data File:"};

// "...": the "Load Header" chooser for a source file.
FileChooserRequest sourceFileChooser();
std::optional<std::string> chooseSourceFile(PlatformServices& services);

// "<": the array names of the file named in the group's edit, in the order
// found. Without a name, with a file that cannot be read or an empty file,
// the user is told why and nothing is returned (the list keeps its entries).
std::optional<std::vector<std::string>> scanSourceArrays(PlatformServices& services, const std::string& path);

// "Map Width:" as a number: digits with blanks around them, at most
// 1000000; nullopt for anything else.
std::optional<int> mapWidthValue(const std::string& text);

// What the dialog holds: per group the file and the chosen array (empty
// when none is chosen), and the width as typed.
struct ImportSourceEntries {
  std::array<std::string, 3> files;
  std::array<std::string, 3> arrays;
  std::string mapWidth;
};

// The number of screen entries of the chosen map array, read again only
// when the file or the array changes (or after forget()).
class MapArrayProbe {
 public:
  struct Result {
    long long entries = -1;  // -1 when the array cannot be read or is no whole number of entries
    std::string message;     // why it cannot be read
  };
  const Result& probe(const std::string& path, const std::string& name);
  void forget() { key_.reset(); }

 private:
  std::optional<std::pair<std::string, std::string>> key_;
  Result result_;
};

struct ImportSourceState {
  bool okEnabled = false;
  std::string hint;  // shown under the groups: what is missing, or the size of the new layer
};

// OK is enabled once all three arrays are chosen and the width divides the
// map array's screen entries.
ImportSourceState importSourceState(const ImportSourceEntries& entries, MapArrayProbe& probe);

// OK: the import with the dialog's entries. The dialog closes when a layer
// was added and stays open after a refusal.
SourceLayerImport acceptImportSource(EditorSession& session, const ImportSourceEntries& entries);

}  // namespace qarto
