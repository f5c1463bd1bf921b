#pragma once

#include <QObject>

#include "edit/selection/clipboard.h"

namespace qarto {

// The engine's clipboard on the system's: the cells under their private
// type, beside a picture of them for other programs. Whether it holds
// cells is noted when the clipboard changes, so that the menus' updates
// never wait on another program.
class SystemClipboard : public QObject, public Clipboard {
  Q_OBJECT
 public:
  explicit SystemClipboard(QObject* parent = nullptr);

  void put(const ClipboardContent& content) override;
  std::optional<std::vector<std::uint8_t>> cells() const override;
  bool holdsCells() const override { return holdsCells_; }

 private:
  void clipboardChanged();

  bool holdsCells_ = false;
};

}  // namespace qarto
