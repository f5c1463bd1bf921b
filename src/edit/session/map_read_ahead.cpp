#include "edit/session/map_read_ahead.h"

#include <utility>

namespace qarto {

MapReadAhead::MapReadAhead(std::string path) : path_(std::move(path)) {
  reader_ = std::thread([this] {
    MapReadQuestions questions;
    questions.readAsOldFormat = [this] { return asked_ = true, false; };
    questions.readDespiteLayerCount = [this](std::int32_t) { return asked_ = true, false; };
    try {
      read_ = readMapFile(path_, questions);
    } catch (...) {
      // Whatever went wrong happens again, where it can be reported, when
      // the map is opened.
      asked_ = true;
    }
  });
}

MapReadAhead::~MapReadAhead() {
  if (reader_.joinable()) reader_.join();
}

std::optional<MapFileRead> MapReadAhead::take() {
  if (reader_.joinable()) reader_.join();
  if (asked_) read_.reset();
  return std::exchange(read_, std::nullopt);
}

}  // namespace qarto
