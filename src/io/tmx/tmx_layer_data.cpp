#include "io/tmx/tmx_layer_data.h"

#include <zlib.h>
#include <zstd.h>

#include <array>
#include <limits>

#include "model/byte_order.h"

namespace qarto {

namespace {

constexpr char kBase64Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool isBlank(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

std::string countProblem(std::size_t expected, std::size_t found) {
  return "expected " + std::to_string(expected) + " cells, found " + std::to_string(found);
}

bool decodeBase64(std::string_view text, std::vector<std::uint8_t>& out, std::string& problem) {
  static const std::array<std::int8_t, 256> values = [] {
    std::array<std::int8_t, 256> table{};
    table.fill(-1);
    for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(kBase64Digits[i])] = static_cast<std::int8_t>(i);
    return table;
  }();
  out.reserve(text.size() / 4 * 3);
  std::uint32_t bits = 0;
  int held = 0;
  bool padding = false;
  for (char c : text) {
    if (isBlank(c)) continue;
    if (c == '=') {
      padding = true;
      continue;
    }
    const int value = values[static_cast<unsigned char>(c)];
    if (value < 0 || padding) {
      problem = "expected base64 text, found '" + std::string(1, c) + "'";
      return false;
    }
    bits = (bits << 6) | static_cast<std::uint32_t>(value);
    held += 6;
    if (held >= 8) {
      held -= 8;
      out.push_back(static_cast<std::uint8_t>(bits >> held));
    }
  }
  return true;
}

// zlib and gzip streams through zlib's own inflate; `windowBits` chooses.
bool inflateBytes(const std::vector<std::uint8_t>& in, int windowBits, std::size_t expected,
                  std::vector<std::uint8_t>& out, std::string& problem) {
  z_stream stream{};
  if (inflateInit2(&stream, windowBits) != Z_OK) {
    problem = "could not start decompressing";
    return false;
  }
  out.resize(expected);
  stream.next_in = const_cast<Bytef*>(in.data());
  stream.avail_in = static_cast<uInt>(in.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&stream, Z_FINISH);
  const std::size_t produced = stream.total_out;
  inflateEnd(&stream);
  if (result != Z_STREAM_END) {
    problem = result == Z_BUF_ERROR && stream.avail_out == 0 ? "the compressed cells hold more than the layer's size"
                                                             : "the compressed cells are damaged";
    return false;
  }
  out.resize(produced);
  return true;
}

bool decompressZstd(const std::vector<std::uint8_t>& in, std::size_t expected, std::vector<std::uint8_t>& out,
                    std::string& problem) {
  out.resize(expected);
  const std::size_t produced = ZSTD_decompress(out.data(), out.size(), in.data(), in.size());
  if (ZSTD_isError(produced)) {
    problem = std::string("the compressed cells are damaged (") + ZSTD_getErrorName(produced) + ")";
    return false;
  }
  out.resize(produced);
  return true;
}

std::vector<std::uint8_t> compress(const std::vector<std::uint8_t>& in, TmxCompression compression) {
  if (compression == TmxCompression::Zstd) {
    std::vector<std::uint8_t> out(ZSTD_compressBound(in.size()));
    out.resize(ZSTD_compress(out.data(), out.size(), in.data(), in.size(), 3));
    return out;
  }
  z_stream stream{};
  deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, compression == TmxCompression::Gzip ? 31 : 15, 8,
               Z_DEFAULT_STRATEGY);
  std::vector<std::uint8_t> out(deflateBound(&stream, static_cast<uLong>(in.size())) + 32);
  stream.next_in = const_cast<Bytef*>(in.data());
  stream.avail_in = static_cast<uInt>(in.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

std::string encodeBase64(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::uint32_t a = bytes[i];
    const std::uint32_t b = i + 1 < bytes.size() ? bytes[i + 1] : 0;
    const std::uint32_t c = i + 2 < bytes.size() ? bytes[i + 2] : 0;
    const std::uint32_t group = a << 16 | b << 8 | c;
    text += kBase64Digits[group >> 18 & 63];
    text += kBase64Digits[group >> 12 & 63];
    text += i + 1 < bytes.size() ? kBase64Digits[group >> 6 & 63] : '=';
    text += i + 2 < bytes.size() ? kBase64Digits[group & 63] : '=';
  }
  return text;
}

}  // namespace

const char* tmxEncodingName(TmxEncoding encoding) {
  switch (encoding) {
    case TmxEncoding::Csv: return "csv";
    case TmxEncoding::Base64: return "base64";
    case TmxEncoding::Xml: break;
  }
  return "";
}

const char* tmxCompressionName(TmxCompression compression) {
  switch (compression) {
    case TmxCompression::Zlib: return "zlib";
    case TmxCompression::Gzip: return "gzip";
    case TmxCompression::Zstd: return "zstd";
    case TmxCompression::None: break;
  }
  return "";
}

bool decodeCsvCells(std::string_view text, std::size_t count, std::vector<std::uint32_t>& gids, std::string& problem) {
  gids.clear();
  gids.reserve(count);
  std::size_t at = 0;
  const std::size_t end = text.size();
  while (true) {
    while (at < end && isBlank(text[at])) ++at;
    if (at == end) break;
    if (text[at] < '0' || text[at] > '9') {
      problem = "expected a tile id, found '" + std::string(1, text[at]) + "'";
      return false;
    }
    std::uint64_t value = 0;
    while (at < end && text[at] >= '0' && text[at] <= '9') {
      value = value * 10 + static_cast<std::uint64_t>(text[at++] - '0');
      if (value > std::numeric_limits<std::uint32_t>::max()) {
        problem = "a tile id is larger than 32 bits";
        return false;
      }
    }
    if (gids.size() == count) {
      problem = "expected " + std::to_string(count) + " cells, found more";
      return false;
    }
    gids.push_back(static_cast<std::uint32_t>(value));
    while (at < end && isBlank(text[at])) ++at;
    if (at < end) {
      if (text[at] != ',') {
        problem = "expected ',' between tile ids, found '" + std::string(1, text[at]) + "'";
        return false;
      }
      ++at;
    }
  }
  if (gids.size() != count) {
    problem = countProblem(count, gids.size());
    return false;
  }
  return true;
}

bool decodeBase64Cells(std::string_view text, TmxCompression compression, std::size_t count,
                       std::vector<std::uint32_t>& gids, std::string& problem) {
  std::vector<std::uint8_t> bytes;
  if (!decodeBase64(text, bytes, problem)) return false;
  const std::size_t expected = count * 4;
  std::vector<std::uint8_t> plain;
  bool ok = true;
  switch (compression) {
    case TmxCompression::None: plain = std::move(bytes); break;
    case TmxCompression::Zlib: ok = inflateBytes(bytes, 15, expected, plain, problem); break;
    case TmxCompression::Gzip: ok = inflateBytes(bytes, 31, expected, plain, problem); break;
    case TmxCompression::Zstd: ok = decompressZstd(bytes, expected, plain, problem); break;
  }
  if (!ok) return false;
  if (plain.size() != expected) {
    problem = plain.size() % 4 != 0 ? "the cells are not a whole number of 4-byte ids"
                                    : countProblem(count, plain.size() / 4);
    return false;
  }
  gids.resize(count);
  for (std::size_t i = 0; i < count; ++i) gids[i] = loadU32(&plain[i * 4]);
  return true;
}

std::string encodeCells(const std::vector<std::uint32_t>& gids, int width, TmxEncoding encoding,
                        TmxCompression compression) {
  if (encoding == TmxEncoding::Csv) {
    std::string text = "\n";
    text.reserve(gids.size() * 4);
    for (std::size_t i = 0; i < gids.size(); ++i) {
      text += std::to_string(gids[i]);
      if (i + 1 < gids.size()) text += ',';
      if ((i + 1) % static_cast<std::size_t>(width) == 0) text += '\n';
    }
    return text;
  }
  std::vector<std::uint8_t> bytes(gids.size() * 4);
  for (std::size_t i = 0; i < gids.size(); ++i) storeU32(&bytes[i * 4], gids[i]);
  if (compression != TmxCompression::None) bytes = compress(bytes, compression);
  return "\n   " + encodeBase64(bytes) + "\n  ";
}

}  // namespace qarto
