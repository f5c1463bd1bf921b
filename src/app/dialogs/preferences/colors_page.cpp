#include "app/dialogs/preferences/colors_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "app/dialogs/controls/colour_button.h"
#include "model/settings/view_colors.h"

namespace qarto {

namespace {

// What the three tileset tab colours mean; their labels are one word each.
const char* tabColourHint(const char* key) {
  const std::string name = key;
  if (name == "TilesetFocusColor") return "Tileset tab under the mouse";
  if (name == "TilesetActiveColor") return "Tab of the active tileset";
  if (name == "TilesetInactiveColor") return "Tabs of the other tilesets";
  return nullptr;
}

}  // namespace

ColorsPage::ColorsPage(PlatformServices& services, QWidget* parent) : QWidget(parent) {
  auto* mapGroup = new QGroupBox(QStringLiteral("Map View"));
  auto* tileGroup = new QGroupBox(QStringLiteral("Tile View"));
  auto* mapGrid = new QGridLayout(mapGroup);
  auto* tileGrid = new QGridLayout(tileGroup);

  int mapRow = 0;
  int tileIndex = 0;
  for (std::size_t i = 0; i < kColourPreferences.size(); ++i) {
    const ColourPreference& preference = kColourPreferences[i];
    const QString label = QString::fromUtf8(preference.label);
    auto* button = new ColourButton(services, label);
    button->setObjectName(QString::fromUtf8(preference.key));
    buttons_[i] = button;
    auto* caption = new QLabel(label);
    caption->setBuddy(button);
    if (const char* hint = tabColourHint(preference.key)) {
      button->setToolTip(QString::fromUtf8(hint));
      caption->setToolTip(QString::fromUtf8(hint));
    }
    if (preference.group == ColourGroup::MapView) {
      mapGrid->addWidget(caption, mapRow, 0);
      mapGrid->addWidget(button, mapRow, 1);
      ++mapRow;
    } else {
      // Two columns: the view's own colours, then the tileset tabs'.
      const int column = tileIndex < 3 ? 0 : 3;
      const int row = tileIndex % 3;
      tileGrid->addWidget(caption, row, column);
      tileGrid->addWidget(button, row, column + 1);
      ++tileIndex;
    }
  }
  tileGrid->setColumnMinimumWidth(2, 24);
  tileGrid->setColumnStretch(5, 1);

  auto* sliders = new QGridLayout;
  for (std::size_t i = 0; i < kAlphaPreferences.size(); ++i) {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(QString::fromUtf8(kAlphaPreferences[i].key));
    slider->setRange(0, kMaxAlphaLevel);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setMinimumWidth(140);
    sliders_[i] = slider;
    const int row = static_cast<int>(i) * 2;
    sliders->addWidget(new QLabel(QString::fromUtf8(kAlphaPreferences[i].label)), row, 0, 1, 3);
    sliders->addWidget(new QLabel(QStringLiteral("Transparent")), row + 1, 0);
    sliders->addWidget(slider, row + 1, 1);
    sliders->addWidget(new QLabel(QStringLiteral("Opaque")), row + 1, 2);
  }
  mapGrid->setColumnMinimumWidth(2, 24);
  mapGrid->addLayout(sliders, 0, 3, mapRow, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(mapGroup);
  layout->addWidget(tileGroup);
  layout->addStretch(1);
}

void ColorsPage::load(const PreferencesValues& values) {
  for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setColour(values.colours[i]);
  for (std::size_t i = 0; i < sliders_.size(); ++i) sliders_[i]->setValue(values.alphaLevels[i]);
}

void ColorsPage::store(PreferencesValues& values) const {
  for (std::size_t i = 0; i < buttons_.size(); ++i) values.colours[i] = buttons_[i]->colour();
  for (std::size_t i = 0; i < sliders_.size(); ++i) values.alphaLevels[i] = sliders_[i]->value();
}

}  // namespace qarto
