#include "model/tileset/texture_upload.h"

#include <cstring>

#include "model/allocation.h"

namespace qarto {

namespace {

constexpr int kMaxPaddingSteps = 512;
// Padding never goes past this side: a page beyond it must already be a power of two.
constexpr int kMaxPaddedSide = 4096;

bool isPowerOfTwo(int value) { return value > 0 && (value & (value - 1)) == 0; }

}  // namespace

int paddedTextureExtent(int extent) {
  if (extent <= 0) return 0;
  if (isPowerOfTwo(extent)) return extent;
  int padded = extent;
  for (int step = 0; step < kMaxPaddingSteps && padded < kMaxPaddedSide && !isPowerOfTwo(padded); ++step) {
    padded += 8;
  }
  return isPowerOfTwo(padded) && padded <= kMaxPaddedSide ? padded : 0;
}

bool uploadTexture(Tileset& tileset, const DisplayImage& display, TextureUploader& uploader) {
  tileset.textureReady = false;
  const int textureWidth = paddedTextureExtent(display.width);
  const int textureHeight = paddedTextureExtent(display.height);
  if (textureWidth == 0 || textureHeight == 0) return false;

  const std::size_t rowBytes = static_cast<std::size_t>(display.width) * 4;
  if (display.rgba.size() < rowBytes * static_cast<std::size_t>(display.height)) return false;

  const std::uint8_t* pixels = display.rgba.data();
  std::vector<std::uint8_t> padded;
  if (textureWidth != display.width || textureHeight != display.height) {
    const std::size_t textureRowBytes = static_cast<std::size_t>(textureWidth) * 4;
    if (!allocateZeroed(padded, textureRowBytes * static_cast<std::size_t>(textureHeight))) return false;
    for (int y = 0; y < display.height; ++y) {
      std::memcpy(padded.data() + textureRowBytes * static_cast<std::size_t>(y),
                  display.rgba.data() + rowBytes * static_cast<std::size_t>(y), rowBytes);
    }
    pixels = padded.data();
  }

  if (uploader.isSupported(textureWidth, textureHeight)) {
    tileset.textureReady = uploader.upload(pixels, textureWidth, textureHeight, tileset.textureName);
    if (tileset.textureReady) tileset.textureOwner = &uploader;
  }
  tileset.texStepS = 8.0f / static_cast<float>(textureWidth);
  tileset.texStepT = 8.0f / static_cast<float>(textureHeight);
  return tileset.textureReady;
}

bool HeadlessTextureUploader::isSupported(int width, int height) {
  return width > 0 && height > 0 && width <= maxSide_ && height <= maxSide_;
}

bool HeadlessTextureUploader::upload(const std::uint8_t* /*rgba*/, int /*width*/, int /*height*/,
                                     std::uint32_t& textureName) {
  textureName = nextName_++;
  ++uploads_;
  return true;
}

}  // namespace qarto
