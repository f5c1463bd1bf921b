#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qarto {

// An RGBA frame read back from an off-screen context: rows from the top.
struct Frame {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  const std::uint8_t* pixel(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

// An OSMesa context drawing into memory, current from creation to
// destruction (only one at a time). No display is needed.
class OffscreenContext {
 public:
  OffscreenContext() = default;
  ~OffscreenContext();
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;

  // False with the reason when no context could be made.
  bool create(int width, int height, std::string& message);
  // A new size keeps the context (and its textures, lists).
  bool resize(int width, int height);
  bool valid() const { return context_ != nullptr; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Finishes drawing and copies the buffer out, top row first (OSMesa keeps
  // the bottom row first).
  Frame read() const;
  // GL_RENDERER, e.g. "llvmpipe (LLVM 15.0.6, 256 bits)".
  std::string renderer() const;

 private:
  void* context_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> buffer_;
};

}  // namespace qarto
