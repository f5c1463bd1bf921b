#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "io/tmx/tmx_document.h"

namespace qarto {

// Reads the external tile set files (.tsx) a map names: the path is already
// joined to the map's folder. nullopt when the file cannot be read.
using TsxFileLoader = std::function<std::optional<std::vector<std::uint8_t>>(const std::string& path)>;

struct TmxRead {
  bool ok = false;
  std::string message;  // "FILE, line N: what was expected"; empty when ok
  TmxMap map;
};

// Decodes a TMX map held in memory. `path` names the file in the messages
// and is the folder that relative .tsx and picture paths start from. Only
// the form of the file is checked here (the XML, every number and the cell
// data); what Qarto can take from it is decided by the import.
TmxRead decodeTmx(const std::uint8_t* bytes, std::size_t size, const std::string& path,
                  const TsxFileLoader& loadTsx);

// Reads a TMX file and the .tsx files beside it from disk.
TmxRead readTmxFile(const std::string& path);

}  // namespace qarto
