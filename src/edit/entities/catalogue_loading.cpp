#include "edit/entities/catalogue_loading.h"

#include <algorithm>

#include "edit/entities/entity_catalogue_file.h"
#include "edit/state/engine_state.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/project/map_project.h"
#include "model/settings/settings_keys.h"
#include "model/settings/settings_store.h"

namespace qarto {

void loadEntityCatalogue(EngineState& state, bool again) {
  EntityCatalogue& catalogue = state.entityCatalogue;
  const std::string path = state.session.settings().readText(kSettingsSection, setting_keys::kEntityCatalogue, "");
  if (path == catalogue.path() && !again) return;
  if (path.empty()) {
    catalogue.reset();
  } else {
    CatalogueReadResult read = readEntityCatalogueFile(path);
    if (read.ok) {
      catalogue.setFileRows(path, std::move(read.rows));
    } else {
      catalogue.reset(path);
      state.project().services().messageBox(read.message + "\n\nThe built-in entities stay in the list.",
                                            caption(kCatalogueCaptionSuffix), MessageButtons::Ok, MessageIcon::Warning);
    }
  }
  state.entityType = std::clamp(state.entityType, 0, catalogue.rowCount() - 1);
  state.redraw();
}

}  // namespace qarto
