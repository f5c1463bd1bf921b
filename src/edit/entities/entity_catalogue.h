#pragma once

#include <array>

namespace qarto {

// A row of the entity catalogue; an entity's type is the row's position.
struct EntityType {
  const char* name;
  const char* description;  // lines end in CR LF; a line holding one space separates paragraphs
  int number;
};

inline constexpr int kEntityTypes = 6;

const std::array<EntityType, kEntityTypes>& entityCatalogue();

}  // namespace qarto
