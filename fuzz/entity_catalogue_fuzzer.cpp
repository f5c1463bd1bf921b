// Reads arbitrary bytes as an entity catalogue. The part after the first
// NUL byte (if any) is what every sprite file holds, so sprite sizes and
// broken bitmaps are reached too. What reads must be a catalogue the
// Entities bar can list; what does not must say where it failed.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string_view>

#include "edit/entities/entity_catalogue_file.h"
#include "fuzz_check.h"
#include "io/images/bmp_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = all.find('\0');
  const std::string_view text = all.substr(0, nul);
  const std::string_view sprite = nul == std::string_view::npos ? std::string_view() : all.substr(nul + 1);
  const auto readSprite = [sprite](const std::string& path, qarto::IndexedImage& image, std::string& message) {
    return qarto::decodeBmpImage(reinterpret_cast<const std::uint8_t*>(sprite.data()), sprite.size(), path, image,
                                 message);
  };
  const qarto::CatalogueReadResult read = qarto::parseEntityCatalogue(text, "/fuzz/game.ini", readSprite);
  if (!read.ok) {
    FUZZ_CHECK(read.rows.empty());
    FUZZ_CHECK(read.message.rfind("The entity catalogue \"/fuzz/game.ini\" has a fault on line ", 0) == 0);
    return 0;
  }
  FUZZ_CHECK(read.rows.size() <= static_cast<std::size_t>(qarto::kMaxCatalogueRows));
  std::set<int> types;
  for (const qarto::EntityType& row : read.rows) {
    FUZZ_CHECK(!row.name.empty() && row.name.size() <= static_cast<std::size_t>(qarto::kMaxEntityNameLength));
    FUZZ_CHECK(row.type >= 0 && row.type <= 65535 && types.insert(row.type).second);
    FUZZ_CHECK(row.sprite.empty() || row.sprite.size() == 32u * 32u * 4u);
  }
  qarto::EntityCatalogue catalogue;
  catalogue.setFileRows("/fuzz/game.ini", read.rows);
  FUZZ_CHECK(catalogue.rowCount() >= qarto::kBuiltinEntityTypes &&
             catalogue.rowCount() <= qarto::kBuiltinEntityTypes + static_cast<int>(read.rows.size()));
  return 0;
}
