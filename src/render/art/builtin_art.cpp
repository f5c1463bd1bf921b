#include "render/art/builtin_art.h"

#include "render/art/pixel_canvas.h"

namespace qarto {

namespace {

constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kHalfWhite{255, 255, 255, 128};

void drawIcon(PixelCanvas& c, int icon) {
  switch (icon) {
    case 0:  // jump through: an arrow rising through a dashed ledge
      for (int x = 2; x < 30; x += 6) c.fillRect(x, 20, 4, 3, kWhite);
      c.fillRect(14, 8, 4, 20, kWhite);
      c.fillTriangle(7, 11, 24, 11, 16, 2, kWhite);
      break;
    case 1: c.ringEllipse(4, 4, 24, 24, 3, kWhite); break;
    case 2: c.fillTriangle(16, 3, 29, 28, 3, 28, kWhite); break;
    case 3:  // diamond
      c.fillTriangle(16, 2, 30, 16, 2, 16, kWhite);
      c.fillTriangle(2, 16, 30, 16, 16, 30, kWhite);
      break;
    case 4:  // cross
      c.line(5, 5, 26, 26, 4, kWhite);
      c.line(26, 5, 5, 26, 4, kWhite);
      break;
    case 5:  // plus
      c.fillRect(13, 4, 6, 24, kWhite);
      c.fillRect(4, 13, 24, 6, kWhite);
      break;
    case 6:  // flame
      c.fillEllipse(8, 12, 16, 18, kWhite);
      c.fillTriangle(8, 20, 24, 20, 16, 1, kWhite);
      c.fillEllipse(12, 19, 8, 9, Rgba{});
      break;
    case 7:  // skull-like warning: a circle with two eyes
      c.fillEllipse(5, 3, 22, 20, kWhite);
      c.fillRect(10, 20, 12, 8, kWhite);
      c.fillEllipse(9, 9, 6, 6, Rgba{});
      c.fillEllipse(17, 9, 6, 6, Rgba{});
      break;
    case 8:  // arrow right
      c.fillRect(3, 13, 16, 6, kWhite);
      c.fillTriangle(17, 5, 30, 16, 17, 27, kWhite);
      break;
    case 9:  // arrow down
      c.fillRect(13, 3, 6, 16, kWhite);
      c.fillTriangle(5, 17, 27, 17, 16, 30, kWhite);
      break;
    case 10:  // ladder
      c.fillRect(7, 2, 3, 28, kWhite);
      c.fillRect(22, 2, 3, 28, kWhite);
      for (int y = 5; y < 30; y += 7) c.fillRect(7, y, 18, 3, kWhite);
      break;
    case 11:  // water waves
      for (int y = 6; y < 30; y += 9) {
        for (int x = 0; x < 32; ++x) c.fillRect(x, y + ((x / 4) % 2 == 0 ? 0 : 2), 1, 3, kWhite);
      }
      break;
    case 12:  // spikes
      for (int x = 1; x < 31; x += 8) c.fillTriangle(x, 29, x + 7, 29, x + 3, 8, kWhite);
      c.fillRect(0, 28, 32, 3, kWhite);
      break;
    case 13:  // door
      c.frameRect(7, 3, 18, 27, kWhite);
      c.frameRect(8, 4, 16, 25, kWhite);
      c.fillEllipse(19, 16, 3, 3, kWhite);
      break;
    case 14:  // checkpoint flag
      c.fillRect(7, 3, 3, 27, kWhite);
      c.fillTriangle(10, 3, 27, 9, 10, 16, kWhite);
      break;
    default:  // 15, solid: a hatched block
      c.frameRect(1, 1, 30, 30, kWhite);
      c.frameRect(2, 2, 28, 28, kWhite);
      for (int d = -24; d < 32; d += 8) c.line(3 + d, 28, 28 + d, 3, 2, kHalfWhite);
      break;
  }
}

// A round creature: body, belly, an eye looking right, feet.
void drawCreature(PixelCanvas& c, int left, Rgba body, Rgba belly, int variant) {
  const int width = 16 + 2 * (variant % 4);
  const int height = 14 + 2 * (variant % 3) + (variant == 7 ? 6 : 0);
  const int x = left + (32 - width) / 2;
  const int y = 28 - height;
  c.fillEllipse(x, y, width, height, body);
  c.fillEllipse(x + 3, y + height / 2, width - 6, height / 2 - 1, belly);
  const int eyeX = x + width - 8;
  c.fillEllipse(eyeX, y + 3, 6, 6, Rgba{255, 255, 255, 255});
  c.fillRect(eyeX + 3, y + 5, 2, 2, Rgba{0, 0, 0, 255});
  c.fillRect(x + 3, 28, 4, 3, Rgba{40, 30, 20, 255});
  c.fillRect(x + width - 7, 28, 4, 3, Rgba{40, 30, 20, 255});
  if (variant % 2 == 1) c.fillTriangle(x + 4, y + 2, x + 10, y + 2, x + 6, y - 5, body);  // a horn
}

constexpr Rgba kBodies[kEntitySprites] = {
    {220, 60, 50, 255}, {60, 170, 70, 255},  {70, 110, 220, 255}, {230, 180, 40, 255},
    {160, 80, 200, 255}, {40, 180, 190, 255}, {240, 120, 180, 255}, {130, 130, 130, 255},
};

}  // namespace

std::vector<std::uint8_t> flagIconPixels(int icon) {
  PixelCanvas canvas(kFlagIconSide, kFlagIconSide);
  drawIcon(canvas, icon);
  return canvas.pixels();
}

std::vector<std::uint8_t> entityStripPixels() {
  PixelCanvas canvas(kEntitySpriteSide * kEntitySprites, kEntitySpriteSide);
  for (int i = 0; i < kEntitySprites; ++i) {
    const Rgba body = kBodies[i];
    const Rgba belly{static_cast<std::uint8_t>(body.r / 2 + 120), static_cast<std::uint8_t>(body.g / 2 + 120),
                     static_cast<std::uint8_t>(body.b / 2 + 120), 255};
    drawCreature(canvas, i * kEntitySpriteSide, body, belly, i);
  }
  return canvas.pixels();
}

}  // namespace qarto
