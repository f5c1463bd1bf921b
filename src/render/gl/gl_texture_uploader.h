#pragma once

#include <cstdint>
#include <functional>
#include <set>

#include "model/tileset/texture_upload.h"

namespace qarto {

// Tile pages as GL textures: RGBA, nearest filtering, clamped. Every call
// runs with the view's context current; a host whose context is not always
// current hands in hooks that make it current around each call.
class GlTextureUploader : public TextureUploader {
 public:
  using ContextHook = std::function<void()>;
  void setContextHooks(ContextHook acquire, ContextHook release);

  // The proxy test: Mesa answers a refused size with width 0 (the internal
  // format reads back unchanged), so the width and the maximum texture size
  // both decide.
  bool isSupported(int width, int height) override;
  // A size the proxy accepted can still fail for lack of memory: any GL
  // error deletes the new texture and fails.
  bool upload(const std::uint8_t* rgba, int width, int height, std::uint32_t& textureName) override;
  void release(std::uint32_t textureName) override;

  // Texture names this uploader made that are still alive.
  const std::set<std::uint32_t>& liveTextures() const { return live_; }

 private:
  void acquire() const;
  void done() const;

  ContextHook acquire_;
  ContextHook release_;
  std::set<std::uint32_t> live_;
};

}  // namespace qarto
