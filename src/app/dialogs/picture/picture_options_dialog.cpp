#include "app/dialogs/picture/picture_options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/dialogs/controls/colour_button.h"
#include "app/dialogs/dialog_support.h"
#include "edit/layers/picture/picture_import.h"
#include "export/reduction/colour_conversion.h"

namespace qarto {

PictureOptionsDialog::PictureOptionsDialog(PlatformServices& services, QWidget* parent) : QDialog(parent) {
  setUpDialogWindow(*this, kPictureCaptionSuffix);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("The picture becomes 8x8 tiles and palette banks of 15 colours each.")));

  auto* backdropRow = new QHBoxLayout;
  useBackdrop_ = new QCheckBox(tr("Backdrop colour (colour 0 of every bank, for a bottom layer):"));
  backdrop_ = new ColourButton(services, tr("Backdrop colour"));
  backdrop_->setEnabled(false);
  connect(useBackdrop_, &QCheckBox::toggled, backdrop_, &QWidget::setEnabled);
  backdropRow->addWidget(useBackdrop_);
  backdropRow->addWidget(backdrop_);
  backdropRow->addStretch();
  layout->addLayout(backdropRow);

  reduce_ = new QCheckBox(tr("Reduce colours: merge the closest colours until the picture fits"));
  layout->addWidget(reduce_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void PictureOptionsDialog::fill(PictureRequest& request) const {
  request.reduceColours = reduce_->isChecked();
  request.backdrop.reset();
  if (useBackdrop_->isChecked()) {
    const std::uint32_t c = backdrop_->colour();  // 0x00BBGGRR
    request.backdrop = ConvertColour(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                                     static_cast<std::uint8_t>(c >> 16), 0, 0);
  }
}

}  // namespace qarto
