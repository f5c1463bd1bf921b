#include "app/side_bars/entity_thumbnail.h"

#include <QImage>
#include <QPixmap>

#include "edit/entities/entity_catalogue.h"
#include "render/art/builtin_art.h"

namespace qarto {

QIcon entityThumbnail(const EntityType& row) {
  constexpr int side = kEntitySpriteSide;
  if (row.sprite.size() == static_cast<std::size_t>(side * side * 4)) {
    const QImage own(row.sprite.data(), side, side, side * 4, QImage::Format_RGBA8888);
    return QIcon(QPixmap::fromImage(own.copy()));
  }
  // The strip is made once; the map draws a type without a sprite from it.
  static const std::vector<std::uint8_t> strip = entityStripPixels();
  const int stripWidth = side * kEntitySprites;
  const QImage whole(strip.data(), stripWidth, side, stripWidth * 4, QImage::Format_RGBA8888);
  return QIcon(QPixmap::fromImage(whole.copy((row.type % kEntitySprites) * side, 0, side, side)));
}

}  // namespace qarto
