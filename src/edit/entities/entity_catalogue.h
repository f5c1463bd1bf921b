#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qarto {

inline constexpr int kEntitySpriteSize = 32;  // a catalogue sprite is 32 x 32 pixels

// A row of the entity catalogue. An entity record stores the row's type.
struct EntityType {
  std::string name;
  std::string description;  // lines end in CR LF; a line holding one space separates paragraphs
  int type = 0;             // what the record's type field holds, 0 to 65535
  int number = 0;           // the game's own number of a built-in row; no editing reads it
  // 32 x 32 RGBA, rows from the top; empty: the built-in entity strip shows the type.
  std::vector<std::uint8_t> sprite;
};

inline constexpr int kBuiltinEntityTypes = 6;

// The rows compiled into the program; row i has type i.
const std::vector<EntityType>& builtinEntityTypes();

// The Entities bar's list: the built-in rows, then the rows of the catalogue
// file the user names in the preferences. A file row whose type is a
// built-in one takes that row's place.
class EntityCatalogue {
 public:
  EntityCatalogue() { reset(); }

  // The built-in rows only, standing for the catalogue `path` (which could
  // not be read; "" for none).
  void reset(std::string path = {});
  // The built-in rows merged with rows read from `path`.
  void setFileRows(const std::string& path, std::vector<EntityType> rows);

  const std::vector<EntityType>& rows() const { return rows_; }
  int rowCount() const { return static_cast<int>(rows_.size()); }
  // Null outside the list.
  const EntityType* row(int index) const;
  // The row that describes a stored type; null when none does.
  const EntityType* ofType(int type) const;
  // The file the rows were read for ("" for none).
  const std::string& path() const { return path_; }
  // Grows with every change of the rows, so a drawing can tell its sprites are stale.
  std::uint32_t generation() const { return generation_; }

 private:
  std::vector<EntityType> rows_;
  std::string path_;
  std::uint32_t generation_ = 0;
};

}  // namespace qarto
