#pragma once

#include <QDialog>

class QCheckBox;

namespace qarto {

class ColourButton;
class PlatformServices;
struct PictureRequest;

// The options of New Map from Picture and Import Picture as Layer: a
// backdrop colour (colour 0 of every bank, off by default) and "Reduce
// colours" (off: a picture that does not fit is refused, with the offer).
class PictureOptionsDialog : public QDialog {
  Q_OBJECT
 public:
  PictureOptionsDialog(PlatformServices& services, QWidget* parent = nullptr);

  // The choices into the request.
  void fill(PictureRequest& request) const;

 private:
  QCheckBox* useBackdrop_;
  ColourButton* backdrop_;
  QCheckBox* reduce_;
};

}  // namespace qarto
