#include "app/view/view_input.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <cmath>

#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "edit/session/map_file_commands.h"

namespace qarto {

namespace {

Modifiers modifiersOf(Qt::KeyboardModifiers qt) {
  Modifiers modifiers;
  modifiers.shift = qt.testFlag(Qt::ShiftModifier);
  modifiers.ctrl = qt.testFlag(Qt::ControlModifier);
  modifiers.alt = qt.testFlag(Qt::AltModifier);
  return modifiers;
}

ButtonSet buttonsOf(Qt::MouseButtons qt) {
  ButtonSet held;
  held.left = qt.testFlag(Qt::LeftButton);
  held.middle = qt.testFlag(Qt::MiddleButton);
  held.right = qt.testFlag(Qt::RightButton);
  return held;
}

bool buttonOf(Qt::MouseButton qt, MouseButton& button) {
  switch (qt) {
    case Qt::LeftButton: button = MouseButton::Left; return true;
    case Qt::MiddleButton: button = MouseButton::Middle; return true;
    case Qt::RightButton: button = MouseButton::Right; return true;
    default: return false;
  }
}

QStringList localFiles(const QMimeData* data) {
  QStringList paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  return paths;
}

}  // namespace

ViewInput::ViewInput(QWidget& view, MapViewEngine& engine, EditorCommands& commands, std::function<void()> changed)
    : QObject(&view), view_(view), engine_(engine), commands_(commands), changed_(std::move(changed)) {
  view.setMouseTracking(true);
  view.setAcceptDrops(true);
  view.setFocusPolicy(Qt::StrongFocus);
  view.installEventFilter(this);
}

bool ViewInput::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &view_) return false;
  const double scale = view_.devicePixelRatioF();
  auto devicePoint = [scale](QPointF p) {
    return ViewPoint{static_cast<int>(std::floor(p.x() * scale)), static_cast<int>(std::floor(p.y() * scale))};
  };
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      MouseButton button;
      if (!buttonOf(mouse->button(), button)) return false;
      const ViewPoint point = devicePoint(mouse->position());
      if (event->type() == QEvent::MouseButtonRelease) {
        engine_.mouseRelease(button, point, modifiersOf(mouse->modifiers()));
      } else {
        engine_.mousePress(button, point, modifiersOf(mouse->modifiers()));
      }
      changed_();
      return true;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      engine_.mouseMove(devicePoint(mouse->position()), buttonsOf(mouse->buttons()), modifiersOf(mouse->modifiers()));
      changed_();
      return true;
    }
    case QEvent::Leave:
      engine_.mouseLeave();
      changed_();
      return false;
    case QEvent::Wheel: {
      auto* wheel = static_cast<QWheelEvent*>(event);
      engine_.wheel(devicePoint(wheel->position()), wheel->angleDelta().y(), modifiersOf(wheel->modifiers()));
      changed_();
      return true;
    }
    case QEvent::Resize:
      engine_.resize(static_cast<int>(std::lround(view_.width() * scale)),
                     static_cast<int>(std::lround(view_.height() * scale)));
      changed_();
      return false;
    case QEvent::DragEnter: {
      auto* drag = static_cast<QDragEnterEvent*>(event);
      if (!localFiles(drag->mimeData()).isEmpty()) drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QStringList paths = localFiles(drop->mimeData());
      if (paths.isEmpty()) return true;
      drop->acceptProposedAction();
      // Questions and messages may follow: not inside the drag and drop.
      QTimer::singleShot(0, this, [this, paths] { dropFiles(paths); });
      return true;
    }
    default:
      return false;
  }
}

void ViewInput::dropFiles(const QStringList& paths) {
  std::vector<std::string> files;
  for (const QString& path : paths) files.push_back(path.toStdString());
  engine_.endStroke();
  onFilesDropped(engine_.session(), files, commands_.mapFileHooks());
  engine_.refresh();
  changed_();
}

}  // namespace qarto
