#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "io/files/atomic_file.h"

namespace qarto {

class MapProject;
class TilesetRegistry;

// Where encoded bytes go, in large blocks.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual bool write(const std::uint8_t* data, std::size_t size) = 0;
};

class VectorSink : public ByteSink {
 public:
  bool write(const std::uint8_t* data, std::size_t size) override;
  std::vector<std::uint8_t> bytes;
};

// A file being saved: nothing replaces the target before commit() succeeds.
class MapSaveTarget : public ByteSink {
 public:
  virtual bool open() = 0;
  virtual bool commit() = 0;
  // Why open, write or commit failed, when the target knows.
  virtual std::optional<WriteFailure> failure() const { return std::nullopt; }
};

// The program's save target: an AtomicFile, so a failed save leaves the
// previous file byte for byte.
class AtomicSaveTarget : public MapSaveTarget {
 public:
  explicit AtomicSaveTarget(const std::string& path, FileSystem& system = realFileSystem()) : file_(path, system) {}
  bool open() override { return file_.open(); }
  bool write(const std::uint8_t* data, std::size_t size) override { return file_.write(data, size); }
  bool commit() override { return file_.commit(); }
  std::optional<WriteFailure> failure() const override { return file_.failure(); }

 private:
  AtomicFile file_;
};

// Streams the project as a revision-7 map file: header, layers bottom first
// (each as one block of header and content), tilesets in ascending id
// order. False when a write fails or a block cannot be allocated.
bool writeMapFile(ByteSink& sink, const MapProject& project, const TilesetRegistry& registry);

// The whole file in memory; false (out untouched) when it cannot be built.
bool encodeMapFile(const MapProject& project, const TilesetRegistry& registry, std::vector<std::uint8_t>& out);

}  // namespace qarto
