#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/tileset/indexed_image.h"

namespace qarto {

// The private type under which the encoded cells travel between editors.
inline constexpr const char* kCellsMimeType = "application/x-qarto-cells";

// What Copy and Cut hand to the system clipboard: the encoded cells for
// another editor, and a picture of them for every other program.
struct ClipboardContent {
  std::vector<std::uint8_t> cells;
  DisplayImage picture;
};

// The clipboard as the engine sees it. The editor window puts it on the
// system clipboard; the command line and the tests keep it in memory.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void put(const ClipboardContent& content) = 0;
  // The encoded cells, when the clipboard holds some (of any origin: they
  // are decoded and checked before use).
  virtual std::optional<std::vector<std::uint8_t>> cells() const = 0;
  // Cheap enough to ask at every menu update.
  virtual bool holdsCells() const = 0;
};

// One program-wide clipboard in memory; two engines handed the same one
// share it as two editor windows share the system's.
class MemoryClipboard : public Clipboard {
 public:
  void put(const ClipboardContent& content) override { content_ = content; }
  std::optional<std::vector<std::uint8_t>> cells() const override {
    if (!content_) return std::nullopt;
    return content_->cells;
  }
  bool holdsCells() const override { return content_.has_value(); }
  const std::optional<ClipboardContent>& content() const { return content_; }

 private:
  std::optional<ClipboardContent> content_;
};

}  // namespace qarto
