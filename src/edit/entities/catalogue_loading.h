#pragma once

namespace qarto {

struct EngineState;

inline constexpr const char* kCatalogueCaptionSuffix = " - Entity Catalogue";

// Fills the state's catalogue from the file the "EntityCatalogue" preference
// names (the built-in rows alone when it names none). A file that cannot be
// read is reported with the fault and its line; the built-in rows stay.
// Unless `again`, a file already read is not read once more. The Entities
// bar's row stays inside the list.
void loadEntityCatalogue(EngineState& state, bool again);

}  // namespace qarto
