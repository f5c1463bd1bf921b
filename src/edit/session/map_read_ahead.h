#pragma once

#include <optional>
#include <string>
#include <thread>

#include "io/map_file/map_file_reader.h"

namespace qarto {

// The map named on the command line, read on another thread while the
// window and its drawing context are being made. Only a read that needs
// no question is kept: a file that would ask one is read again, asking,
// when the map is opened.
class MapReadAhead {
 public:
  explicit MapReadAhead(std::string path);
  ~MapReadAhead();
  MapReadAhead(const MapReadAhead&) = delete;
  MapReadAhead& operator=(const MapReadAhead&) = delete;

  const std::string& path() const { return path_; }

  // Waits for the read. Nothing when it was taken already, a question
  // would have been asked or the read failed on its thread.
  std::optional<MapFileRead> take();

 private:
  std::string path_;
  std::optional<MapFileRead> read_;
  bool asked_ = false;  // or failed: the map is read again when opened
  std::thread reader_;
};

}  // namespace qarto
