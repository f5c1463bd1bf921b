#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/tmx/tmx_document.h"

namespace qarto {

// The names the files use: "csv", "base64"; "zlib", "gzip", "zstd".
const char* tmxEncodingName(TmxEncoding encoding);
const char* tmxCompressionName(TmxCompression compression);

// Decodes the text of a <data> element of `count` cells. False with what
// was wrong ("expected 64 cells, found 63") in `problem`.
bool decodeCsvCells(std::string_view text, std::size_t count, std::vector<std::uint32_t>& gids, std::string& problem);
bool decodeBase64Cells(std::string_view text, TmxCompression compression, std::size_t count,
                       std::vector<std::uint32_t>& gids, std::string& problem);

// The text of a <data> element holding these cells (Xml is not a text).
std::string encodeCells(const std::vector<std::uint32_t>& gids, int width, TmxEncoding encoding,
                        TmxCompression compression);

}  // namespace qarto
