#include "app/view/no_gl_view.h"

#include <QPainter>

#include "edit/engine/map_view_engine.h"

namespace qarto {

NoGlView::NoGlView(const ViewContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setMinimumSize(64, 64);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

NoGlView::~NoGlView() { shutDown(); }

QString NoGlView::notice() {
  return QStringLiteral("OpenGL is not available on this display: the map cannot be drawn.");
}

void NoGlView::shutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  context_.engine.project().resetProject(true);
}

void NoGlView::paintEvent(QPaintEvent*) {
  const auto& clear = context_.engine.state().view.clearColor;
  const QColor background = QColor::fromRgbF(clear[0], clear[1], clear[2]);
  QPainter painter(this);
  painter.fillRect(rect(), background);
  painter.setPen(background.lightness() < 128 ? Qt::white : Qt::black);
  painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, notice());
}

}  // namespace qarto
