#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace qarto {

class EditorCommands;
class MapViewEngine;

// Hands the map view's mouse, wheel and drop events to the engine in its
// own terms: points in device pixels (the drawing works in them on
// high-DPI screens too), buttons and modifiers. Keys are not handled here:
// the frame routes every key through the accelerators first. After each
// event `changed` runs, so the frame can show what the engine asks.
class ViewInput : public QObject {
  Q_OBJECT

 public:
  ViewInput(QWidget& view, MapViewEngine& engine, EditorCommands& commands, std::function<void()> changed);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void dropFiles(const QStringList& paths);

  QWidget& view_;
  MapViewEngine& engine_;
  EditorCommands& commands_;
  std::function<void()> changed_;
};

}  // namespace qarto
