#pragma once

#include <QWidget>

#include <array>

#include "edit/dialogs/preferences_model.h"

class QSlider;

namespace qarto {

class ColourButton;

// " Colors ": the colours of the map view and the tile view, and the
// opacity levels of the brush, collision layers and translucent layers.
class ColorsPage : public QWidget {
  Q_OBJECT
 public:
  explicit ColorsPage(PlatformServices& services, QWidget* parent = nullptr);

  void load(const PreferencesValues& values);
  void store(PreferencesValues& values) const;

  ColourButton* colourButton(std::size_t index) const { return buttons_[index]; }
  QSlider* alphaSlider(std::size_t index) const { return sliders_[index]; }

 private:
  std::array<ColourButton*, kColourPreferences.size()> buttons_{};
  std::array<QSlider*, kAlphaPreferences.size()> sliders_{};
};

}  // namespace qarto
