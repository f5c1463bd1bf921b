#include "support/stand_in_view.h"

#include "edit/engine/map_view_engine.h"

namespace qarto::test {

void StandInView::shutDown() { context_.engine.project().resetProject(true); }

ViewFactory StandInView::factory() {
  return [](const ViewContext& context, QWidget* parent) {
    return std::unique_ptr<ViewSurface>(std::make_unique<StandInView>(context, parent));
  };
}

}  // namespace qarto::test
