#pragma once

#include <QWidget>

#include "app/view/view_surface.h"

namespace qarto::test {

// A map view without GL for the shell's tests on the offscreen platform:
// it takes the same input (the frame installs ViewInput on it) and empties
// the project at shut-down as the real view does.
class StandInView : public QWidget, public ViewSurface {
 public:
  StandInView(const ViewContext& context, QWidget* parent) : QWidget(parent), context_(context) {}

  QWidget* widget() override { return this; }
  void reloadColors() override { ++colorLoads; }
  void shutDown() override;

  static ViewFactory factory();

  int colorLoads = 0;

 private:
  ViewContext context_;
};

}  // namespace qarto::test
