#pragma once

#include <cstdint>

#include "model/tileset/indexed_image.h"
#include "model/tileset/tileset.h"

namespace qarto {

// The side of the texture a page side is padded to: add 8 until a power of
// two, at most 512 times; 0 when no power of two is reached.
int paddedTextureExtent(int extent);

// The GL side of a texture upload. The renderer implements it with real
// texture objects; headless tools use HeadlessTextureUploader.
class TextureUploader {
 public:
  virtual ~TextureUploader() = default;
  // Whether an RGBA texture of this size can be made (the proxy test).
  virtual bool isSupported(int width, int height) = 0;
  // Creates the texture from `width * height` RGBA pixels; stores its name.
  // A failed upload leaves no texture behind.
  virtual bool upload(const std::uint8_t* rgba, int width, int height, std::uint32_t& textureName) = 0;
  // Deletes a texture this uploader made; the registry calls it when the
  // tileset holding it is removed, replaced or the project is reset.
  virtual void release(std::uint32_t /*textureName*/) {}
};

// Pads the display image to a power-of-two texture and uploads it: sets
// textureName, textureReady, texStepS and texStepT, and remembers the
// uploader as the texture's owner. False when the size has
// no power of two within reach, the padded copy cannot be allocated or the
// uploader refuses the size.
bool uploadTexture(Tileset& tileset, const DisplayImage& display, TextureUploader& uploader);

// Accepts every size up to maxSide and hands out increasing names.
class HeadlessTextureUploader : public TextureUploader {
 public:
  explicit HeadlessTextureUploader(int maxSide = 16384) : maxSide_(maxSide) {}
  bool isSupported(int width, int height) override;
  bool upload(const std::uint8_t* rgba, int width, int height, std::uint32_t& textureName) override;
  int uploads() const { return uploads_; }

 private:
  int maxSide_;
  std::uint32_t nextName_ = 1;
  int uploads_ = 0;
};

}  // namespace qarto
