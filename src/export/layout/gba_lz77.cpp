#include "export/layout/gba_lz77.h"

#include <algorithm>

namespace qarto {

namespace {

constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 18;
constexpr std::size_t kMinDistance = 2;  // video RAM safe, see the header
constexpr std::size_t kMaxDistance = 4096;
constexpr std::size_t kHashSize = 1 << 14;
constexpr std::size_t kNone = SIZE_MAX;

std::size_t hashAt(const std::vector<std::uint8_t>& data, std::size_t at) {
  return ((data[at] << 10) ^ (data[at + 1] << 5) ^ data[at + 2]) & (kHashSize - 1);
}

struct Match {
  std::size_t length = 0;
  std::size_t distance = 0;
};

// Earlier positions with the same three-byte hash, newest first.
class MatchFinder {
 public:
  explicit MatchFinder(const std::vector<std::uint8_t>& data)
      : data_(data), head_(kHashSize, kNone), previous_(data.size(), kNone) {}

  // Makes position `at` findable by later positions.
  void insert(std::size_t at) {
    if (at + kMinMatch > data_.size()) return;
    const std::size_t hash = hashAt(data_, at);
    previous_[at] = head_[hash];
    head_[hash] = at;
  }

  Match longest(std::size_t at) const {
    Match best;
    if (at + kMinMatch > data_.size()) return best;
    const std::size_t limit = std::min(kMaxMatch, data_.size() - at);
    for (std::size_t from = head_[hashAt(data_, at)]; from != kNone; from = previous_[from]) {
      const std::size_t distance = at - from;
      if (distance > kMaxDistance) break;
      if (distance < kMinDistance) continue;
      std::size_t length = 0;
      while (length < limit && data_[from + length] == data_[at + length]) ++length;
      if (length > best.length) best = {length, distance};
      if (length == limit) break;
    }
    return best;
  }

 private:
  const std::vector<std::uint8_t>& data_;
  std::vector<std::size_t> head_;
  std::vector<std::size_t> previous_;
};

}  // namespace

std::vector<std::uint8_t> compressLz77(const std::vector<std::uint8_t>& data) {
  const std::size_t size = data.size();
  std::vector<std::uint8_t> out = {0x10, static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
                                   static_cast<std::uint8_t>(size >> 16)};
  MatchFinder finder(data);
  std::size_t at = 0;
  while (at < size) {
    const std::size_t flagAt = out.size();
    out.push_back(0);
    for (int item = 0; item < 8 && at < size; ++item) {
      const Match match = finder.longest(at);
      if (match.length >= kMinMatch) {
        out[flagAt] = static_cast<std::uint8_t>(out[flagAt] | (0x80 >> item));
        const std::size_t code = ((match.length - kMinMatch) << 12) | (match.distance - 1);
        out.push_back(static_cast<std::uint8_t>(code >> 8));
        out.push_back(static_cast<std::uint8_t>(code));
        for (std::size_t end = at + match.length; at < end; ++at) finder.insert(at);
      } else {
        out.push_back(data[at]);
        finder.insert(at++);
      }
    }
  }
  out.resize((out.size() + 3) / 4 * 4, 0);
  return out;
}

std::vector<std::uint16_t> compressLz77Halfwords(const std::vector<std::uint16_t>& values) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(values.size() * 2);
  for (const std::uint16_t value : values) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
  }
  const std::vector<std::uint8_t> packed = compressLz77(bytes);
  std::vector<std::uint16_t> words(packed.size() / 2);
  for (std::size_t i = 0; i < words.size(); ++i) {
    words[i] = static_cast<std::uint16_t>(packed[2 * i] | packed[2 * i + 1] << 8);
  }
  return words;
}

}  // namespace qarto
