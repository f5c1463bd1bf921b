#include "render/gl/bitmap_font.h"

#include <vector>

#include "render/art/glyph_set.h"
#include "render/gl/gl_api.h"

namespace qarto {

bool BitmapFont::build(const GlyphSet& glyphs) {
  release();
  const GLuint base = glGenLists(kGlyphCodes);
  if (base == 0) return false;
  // Glyph rows are byte-packed.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (int code = 0; code < kGlyphCodes; ++code) {
    const Glyph& glyph = glyphs.glyphs[static_cast<std::size_t>(code)];
    const std::size_t rowBytes = static_cast<std::size_t>((glyph.width + 7) / 8);
    const bool drawable = glyph.width > 0 && glyph.height > 0 &&
                          glyph.rows.size() >= rowBytes * static_cast<std::size_t>(glyph.height);
    glNewList(base + static_cast<GLuint>(code), GL_COMPILE);
    if (drawable) {
      glBitmap(glyph.width, glyph.height, static_cast<GLfloat>(glyph.originX), static_cast<GLfloat>(glyph.originY),
               static_cast<GLfloat>(glyph.advance), 0.0f, glyph.rows.data());
    } else {
      // An empty bitmap is not kept in a list with its move; one blank
      // pixel is.
      static const GLubyte blank = 0;
      glBitmap(1, 1, 0.0f, 0.0f, static_cast<GLfloat>(glyph.advance), 0.0f, &blank);
    }
    glEndList();
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  base_ = base;
  return true;
}

void BitmapFont::release() {
  if (base_ != 0) glDeleteLists(base_, kGlyphCodes);
  base_ = 0;
}

void BitmapFont::drawText(float x, float y, std::string_view text, float anchorX, float anchorY) const {
  if (base_ == 0 || text.empty()) return;
  const GLboolean textured = glIsEnabled(GL_TEXTURE_2D);
  glDisable(GL_TEXTURE_2D);
  glRasterPos2f(anchorX, anchorY);
  // Window y grows upwards, world y downwards.
  glBitmap(0, 0, 0.0f, 0.0f, x - anchorX, anchorY - y, nullptr);
  std::vector<GLubyte> codes;
  codes.reserve(text.size());
  for (char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code < kGlyphCodes) codes.push_back(code);
  }
  glListBase(base_);
  glCallLists(static_cast<GLsizei>(codes.size()), GL_UNSIGNED_BYTE, codes.data());
  glListBase(0);
  if (textured) glEnable(GL_TEXTURE_2D);
}

}  // namespace qarto
