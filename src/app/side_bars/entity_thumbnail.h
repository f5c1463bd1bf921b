#pragma once

#include <QIcon>

namespace qarto {

struct EntityType;

// What a row of the Entities list shows beside its name: the row's own
// sprite, or the built-in picture the map draws for its type.
QIcon entityThumbnail(const EntityType& row);

}  // namespace qarto
