#include "app/dialogs/controls/hyperlink_label.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStandardPaths>

#include "model/app_title.h"

namespace qarto {

QString openWithDesktop(const QUrl& url) {
  if (QDesktopServices::openUrl(url)) return {};
  if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) {
    return QStringLiteral("No program to open web addresses was found (xdg-open is not installed).");
  }
  return QStringLiteral("The desktop could not open %1.").arg(url.toString());
}

HyperlinkLabel::HyperlinkLabel(const QString& text, const QUrl& url, QWidget* parent)
    : QLabel(text, parent), url_(url), opener_(openWithDesktop) {
  setCursor(Qt::PointingHandCursor);
  setToolTip(url.toString());
  setFocusPolicy(Qt::TabFocus);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  applyColour();
  reporter_ = [this](const QString& message) {
    QMessageBox::warning(this, QString::fromUtf8(kAppTitle), message);
  };
}

bool HyperlinkLabel::open() {
  const QString reason = opener_ ? opener_(url_) : QStringLiteral("Nothing can open web addresses here.");
  if (!reason.isEmpty()) {
    if (reporter_) reporter_(QStringLiteral("Unable to open hyperlink:\n\n") + reason);
    return false;
  }
  visited_ = true;
  applyColour();
  return true;
}

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    open();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

void HyperlinkLabel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
    open();
    return;
  }
  QLabel::keyPressEvent(event);
}

void HyperlinkLabel::applyColour() {
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, visited_ ? visitedColour() : linkColour());
  setPalette(colours);
}

}  // namespace qarto
