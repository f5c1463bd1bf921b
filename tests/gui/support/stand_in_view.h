#pragma once

#include <QWidget>

#include "app/view/view_surface.h"
#include "edit/engine/map_view_engine.h"

namespace qarto::test {

// A map view without GL for the shell's tests on the offscreen platform:
// it takes the same input (the frame installs ViewInput on it) and empties
// the project at shut-down as the real view does.
class StandInView : public QWidget, public ViewSurface {
 public:
  StandInView(const ViewContext& context, QWidget* parent) : QWidget(parent), context_(context) {}

  QWidget* widget() override { return this; }
  void reloadColors() override {}
  void shutDown() override { context_.engine.project().resetProject(true); }

  static ViewFactory factory() {
    return [](const ViewContext& context, QWidget* parent) {
      return std::unique_ptr<ViewSurface>(std::make_unique<StandInView>(context, parent));
    };
  }

 private:
  ViewContext context_;
};

}  // namespace qarto::test
