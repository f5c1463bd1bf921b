#include "app/view/glyph_rasterizer.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace qarto {

namespace {

Glyph rasterize(const QFont& font, const QFontMetrics& metrics, QChar character) {
  Glyph glyph;
  glyph.advance = metrics.horizontalAdvance(character);
  if (!character.isPrint() || character.isSpace()) return glyph;

  // The ink box relative to the pen: left bearing may be negative, the box
  // reaches from the ascent above the baseline to the descent below it.
  const QRect ink = metrics.boundingRect(character);
  const int left = std::min(0, ink.left());
  const int width = std::max(glyph.advance, ink.right() + 1) - left;
  const int ascent = std::max(metrics.ascent(), -ink.top());
  const int descent = std::max(metrics.descent(), ink.bottom() + 1);
  const int height = ascent + descent;
  if (width <= 0 || height <= 0) return glyph;

  QImage image(width, height, QImage::Format_Grayscale8);
  image.fill(0);
  {
    QPainter painter(&image);
    QFont sharp(font);
    sharp.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(sharp);
    painter.setPen(Qt::white);
    painter.drawText(-left, ascent, QString(character));
  }

  glyph.width = width;
  glyph.height = height;
  glyph.originX = -left;
  glyph.originY = descent;
  const int rowBytes = (width + 7) / 8;
  glyph.rows.assign(static_cast<std::size_t>(rowBytes * height), 0);
  // glBitmap takes the bottom row first, leftmost pixel in the high bit.
  for (int y = 0; y < height; ++y) {
    const uchar* line = image.constScanLine(y);
    std::uint8_t* out = glyph.rows.data() + static_cast<std::size_t>((height - 1 - y) * rowBytes);
    for (int x = 0; x < width; ++x) {
      if (line[x] >= 128) out[x / 8] = static_cast<std::uint8_t>(out[x / 8] | (0x80 >> (x % 8)));
    }
  }
  return glyph;
}

}  // namespace

GlyphSet rasterizeGlyphs(const QFont& font) {
  GlyphSet set;
  const QFontMetrics metrics(font);
  set.lineHeight = metrics.height();
  for (int code = 0; code < kGlyphCodes; ++code) {
    set.glyphs[static_cast<std::size_t>(code)] = rasterize(font, metrics, QChar::fromLatin1(static_cast<char>(code)));
  }
  return set;
}

QFont viewFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(12);
  return font;
}

}  // namespace qarto
