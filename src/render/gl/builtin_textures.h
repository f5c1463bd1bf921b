#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "render/art/builtin_art.h"

namespace qarto {

inline constexpr const char* kIconTexturesFailedMessage =
    "Qarto was not able to bind icon textures that are used for the UI. The application can continue, but things may "
    "not appear correctly";

// The textures of the program's own artwork: the 16 flag icons and the
// entity strip.
class BuiltinTextures {
 public:
  BuiltinTextures() = default;
  BuiltinTextures(const BuiltinTextures&) = delete;
  BuiltinTextures& operator=(const BuiltinTextures&) = delete;

  // With the context current. Uploads every picture whose size the GL
  // accepts; false when any was refused (the others are still there).
  bool upload();
  void release();

  // 0 when that texture could not be made.
  std::uint32_t flagIcon(int icon) const;
  std::uint32_t entityStrip() const { return entityStrip_; }

 private:
  std::array<std::uint32_t, kFlagIconCount> icons_{};
  std::uint32_t entityStrip_ = 0;
};

}  // namespace qarto
