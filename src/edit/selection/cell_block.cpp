#include "edit/selection/cell_block.h"

#include <cstring>

#include "io/byte_cursor.h"
#include "model/byte_order.h"

namespace qarto {

namespace {

constexpr char kMagic[8] = {'Q', 'R', 'T', 'C', 'E', 'L', 'L', 'S'};
constexpr std::uint16_t kVersion = 1;

void putU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

// Little-endian fields of the block, each read only when whole.
bool readU8(ByteCursor& in, int& out) {
  std::uint8_t value = 0;
  if (!in.readU8(value)) return false;
  out = value;
  return true;
}

bool readU16(ByteCursor& in, int& out) {
  const std::uint8_t* at = nullptr;
  if (!in.take(2, at)) return false;
  out = loadU16(at);
  return true;
}

bool knownKind(int kind) {
  return kind == static_cast<int>(LayerKind::Primary) || kind == static_cast<int>(LayerKind::Collision) ||
         kind == static_cast<int>(LayerKind::Secondary);
}

}  // namespace

std::vector<std::uint8_t> encodeCellBlock(const CellBlock& block) {
  std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
  putU16(out, kVersion);
  putU16(out, static_cast<std::uint16_t>(block.width));
  putU16(out, static_cast<std::uint16_t>(block.height));
  out.push_back(static_cast<std::uint8_t>(block.pages.size()));
  out.push_back(static_cast<std::uint8_t>(block.layers.size()));
  for (const CellBlock::Page& page : block.pages) {
    const std::size_t length = std::min<std::size_t>(page.name.size(), 255);
    out.push_back(static_cast<std::uint8_t>(page.id));
    out.push_back(page.collision ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(length));
    out.insert(out.end(), page.name.begin(), page.name.begin() + static_cast<std::ptrdiff_t>(length));
  }
  for (const CellBlock::Layer& layer : block.layers) {
    out.push_back(static_cast<std::uint8_t>(layer.kind));
    for (const MapCell& cell : layer.cells) {
      const MapCell::Bytes bytes = cell.toBytes();
      out.insert(out.end(), bytes.begin(), bytes.end());
    }
  }
  return out;
}

std::optional<CellBlock> decodeCellBlock(std::span<const std::uint8_t> bytes) {
  ByteCursor in(bytes.data(), bytes.size());
  const std::uint8_t* magic = nullptr;
  int version = 0;
  CellBlock block;
  int pageCount = 0;
  int layerCount = 0;
  if (!in.take(sizeof kMagic, magic) || std::memcmp(magic, kMagic, sizeof kMagic) != 0 || !readU16(in, version) ||
      version != kVersion || !readU16(in, block.width) || !readU16(in, block.height) || !readU8(in, pageCount) ||
      !readU8(in, layerCount)) {
    return std::nullopt;
  }
  const auto area = static_cast<std::size_t>(block.width) * static_cast<std::size_t>(block.height);
  if (block.width < 1 || block.height < 1 || block.width > kMaxBlockSide || block.height > kMaxBlockSide ||
      layerCount < 1 || layerCount > kMaxBlockLayers || area * static_cast<std::size_t>(layerCount) > kMaxBlockCells) {
    return std::nullopt;
  }
  for (int i = 0; i < pageCount; ++i) {
    CellBlock::Page page;
    int id = 0;
    int collision = 0;
    int length = 0;
    const std::uint8_t* name = nullptr;
    if (!readU8(in, id) || !readU8(in, collision) || collision > 1 || !readU8(in, length) ||
        !in.take(static_cast<std::size_t>(length), name)) {
      return std::nullopt;
    }
    page.id = static_cast<std::int8_t>(id);
    page.collision = collision == 1;
    page.name.assign(reinterpret_cast<const char*>(name), static_cast<std::size_t>(length));
    block.pages.push_back(std::move(page));
  }
  for (int i = 0; i < layerCount; ++i) {
    CellBlock::Layer layer;
    int kind = 0;
    const std::uint8_t* cells = nullptr;
    if (!readU8(in, kind) || !knownKind(kind) || !in.take(area * MapCell::kSize, cells)) return std::nullopt;
    layer.kind = static_cast<LayerKind>(kind);
    layer.cells.reserve(area);
    for (std::size_t c = 0; c < area; ++c) layer.cells.push_back(MapCell::fromBytes(cells + c * MapCell::kSize));
    block.layers.push_back(std::move(layer));
  }
  if (in.remaining() != 0) return std::nullopt;
  return block;
}

}  // namespace qarto
