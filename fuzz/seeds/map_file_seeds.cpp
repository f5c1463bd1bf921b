// Writes starting inputs for map_file_fuzzer into the folder argv[1]: one
// small map of every revision, built from the documented byte layouts.
#include <string>
#include <vector>

#include "model/byte_order.h"
#include "seed_files.h"

namespace {

class Bytes {
 public:
  Bytes& u8(int v) { data.push_back(static_cast<std::uint8_t>(v)); return *this; }
  Bytes& u16(int v) { std::uint8_t b[2]; qarto::storeU16(b, static_cast<std::uint16_t>(v)); return raw(b, 2); }
  Bytes& i32(std::int32_t v) { std::uint8_t b[4]; qarto::storeI32(b, v); return raw(b, 4); }
  Bytes& f32(float v) { std::uint8_t b[4]; qarto::storeF32(b, v); return raw(b, 4); }
  Bytes& text(const std::string& s) { return raw(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()); }
  Bytes& field(const std::string& s, std::size_t size) { text(s); return zeros(size - s.size()); }
  Bytes& zeros(std::size_t n) { data.insert(data.end(), n, 0); return *this; }
  Bytes& raw(const std::uint8_t* p, std::size_t n) { data.insert(data.end(), p, p + n); return *this; }
  std::vector<std::uint8_t> data;
};

// Header fields, then a layer header of the revision's kind.
void layerHeader(Bytes& b, int revision, int kind, int width, int height) {
  const std::string name = "Layer" + std::to_string(kind);
  if (revision <= 5) {
    b.zeros(8).field(name, 32).u8(1).u8(0).u8(0).u8(kind == 1).u8(kind == 0).zeros(7);
    b.u16(width).u16(height).f32(1).f32(0.5f).zeros(4);
    return;
  }
  b.zeros(8).i32(kind).field(name, 32).u8(1).u8(0).u8(0).u8(0).u16(width).u16(height).f32(1).f32(0.5f).zeros(4);
  if (revision == 7) b.u8(1).zeros(31);
}

void tilesetRecord(Bytes& b, int revision, int id, bool collision) {
  b.u8(collision).u8(1).i32(id).f32(0.5f).f32(0.5f).f32(2).f32(1);
  b.i32(7).text("p.bmp").u8(0).u8(0);
  b.i32(2).text("p").u8(0);
  b.i32(8).i32(13).i32(16).i32(8);
  b.u8(3).u8(4);  // collision set, two tiles
  if (revision >= 5) {
    for (int i = 0; i < 128; ++i) b.u8(i);
    for (int i = 0; i < 768; ++i) b.u8(i * 3);
    return;
  }
  Bytes bmp;
  bmp.text("BM").i32(1078 + 128).i32(0).i32(1078).i32(40).i32(16).i32(8).u16(1).u16(8).zeros(24);
  for (int i = 0; i < 1024; ++i) bmp.u8(i);
  for (int i = 0; i < 128; ++i) bmp.u8(i * 5);
  b.i32(static_cast<std::int32_t>(bmp.data.size())).raw(bmp.data.data(), bmp.data.size());
}

std::vector<std::uint8_t> mapOfRevision(int revision) {
  Bytes b;
  if (revision >= 2) b.text("Qarto_v" + std::to_string(revision) + "\n");
  if (revision >= 3) b.u8(0);
  b.i32(2).i32(2).u8(1).u8(0).u8(1).field("/maps/seed.qrm", revision >= 4 ? 256 : 128);
  const std::vector<int> kinds = revision >= 6 ? std::vector<int>{0, 1, 2, 3} : std::vector<int>{0, 1, 2};
  b.i32(static_cast<std::int32_t>(kinds.size()));
  for (int kind : kinds) {
    layerHeader(b, revision, kind, 3, 2);
    if (kind == 3) {
      b.zeros(1536);
      continue;
    }
    for (int i = 0; i < 6; ++i) {
      b.u16(i).u8(2).u8(i % 16);
      if (revision == 1) {
        b.u8(i % 4).u8(0);
      } else {
        b.u16(kind == 1 ? 0x1000 : 0).u8(i % 4).u8(0);
      }
    }
  }
  b.i32(2);
  tilesetRecord(b, revision, 1, true);
  tilesetRecord(b, revision, 2, false);
  return b.data;
}

}  // namespace

int main(int argc, char** argv) {
  return qarto::seeds::seedMain(argc, argv, [](const std::string& folder) {
    bool ok = true;
    for (int revision = 1; revision <= 7; ++revision) {
      ok = qarto::seeds::writeSeed(folder, "map_v" + std::to_string(revision) + ".qrm", mapOfRevision(revision)) && ok;
    }
    return ok;
  });
}
