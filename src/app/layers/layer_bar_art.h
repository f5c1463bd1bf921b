#pragma once

#include <QIcon>
#include <QPixmap>

namespace qarto {

// The pictures of a layer bar entry, drawn here in code. Each toggle has a
// picture for on and one for off.
enum class LayerToggleArt { Menu, Visible, Alpha, Lock, Flags, Grouping };

// On and off as one icon: QIcon::On and QIcon::Off.
QIcon layerToggleIcon(LayerToggleArt art);

// The entry's ground, selected or not, at the given size.
QPixmap layerEntryBackground(QSize size, bool selected);

}  // namespace qarto
