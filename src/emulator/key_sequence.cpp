#include "emulator/key_sequence.h"

#include <sstream>
#include <utility>

#include "emulator/gba_runner_api.h"
#include "model/settings/number_text.h"

namespace qarto {

namespace {

// A day of frames, for one step and for the whole sequence: more is a typing
// mistake, and every frame is run and held in memory.
constexpr int kMaxFrames = 60 * 60 * 60 * 24;

std::optional<std::uint32_t> keyBit(const std::string& name) {
  static const std::pair<const char*, std::uint32_t> kKeys[] = {
      {"none", 0},
      {"a", QARTO_GBA_KEY_A},
      {"b", QARTO_GBA_KEY_B},
      {"select", QARTO_GBA_KEY_SELECT},
      {"start", QARTO_GBA_KEY_START},
      {"right", QARTO_GBA_KEY_RIGHT},
      {"left", QARTO_GBA_KEY_LEFT},
      {"up", QARTO_GBA_KEY_UP},
      {"down", QARTO_GBA_KEY_DOWN},
      {"r", QARTO_GBA_KEY_R},
      {"l", QARTO_GBA_KEY_L},
  };
  for (const auto& [key, bit] : kKeys) {
    if (name == key) return bit;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<std::uint32_t>> parseKeySequence(const std::string& text, std::string& error) {
  std::vector<std::uint32_t> frames;
  std::stringstream steps(text);
  for (std::string step; std::getline(steps, step, ',');) {
    int repeat = 1;
    const std::size_t star = step.find('*');
    if (star != std::string::npos) {
      repeat = parseIntegerText(std::string_view(step).substr(star + 1)).value_or(0);
      if (repeat < 1 || repeat > kMaxFrames) {
        error = "\"" + step + "\": a step repeats 1 to " + std::to_string(kMaxFrames) + " times";
        return std::nullopt;
      }
      step.resize(star);
    }
    if (step.empty()) {
      error = "a step names no key (use none to hold nothing)";
      return std::nullopt;
    }
    std::uint32_t keys = 0;
    std::stringstream names(step);
    for (std::string name; std::getline(names, name, '+');) {
      const std::optional<std::uint32_t> bit = keyBit(name);
      if (!bit) {
        error = "\"" + name + "\" is no key (up, down, left, right, a, b, l, r, start, select, none)";
        return std::nullopt;
      }
      keys |= *bit;
    }
    if (frames.size() + static_cast<std::size_t>(repeat) > static_cast<std::size_t>(kMaxFrames)) {
      error = "the keys come to more than " + std::to_string(kMaxFrames) + " frames";
      return std::nullopt;
    }
    frames.insert(frames.end(), static_cast<std::size_t>(repeat), keys);
  }
  return frames;
}

}  // namespace qarto
