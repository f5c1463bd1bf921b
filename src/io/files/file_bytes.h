#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qarto {

enum class ReadStatus { Ok, NotFound, Empty, TooLarge };

// Reads a whole file. Files above `maxBytes` are refused without allocating.
ReadStatus readFileBytes(const std::string& path, std::vector<std::uint8_t>& out,
                         std::size_t maxBytes = std::size_t{1} << 30);
bool fileExists(const std::string& path);
bool canOpenForReading(const std::string& path);

}  // namespace qarto
