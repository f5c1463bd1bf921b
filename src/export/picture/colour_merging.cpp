#include "export/picture/colour_merging.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace qarto {

namespace {

constexpr int kColours = 1 << 15;

int channel(int colour, int which) { return (colour >> (5 * which)) & 31; }

int squaredDistance(int a, int b) {
  int sum = 0;
  for (int c = 0; c < 3; ++c) sum += (channel(a, c) - channel(b, c)) * (channel(a, c) - channel(b, c));
  return sum;
}

int largestChannelStep(int a, int b) {
  int most = 0;
  for (int c = 0; c < 3; ++c) most = std::max(most, std::abs(channel(a, c) - channel(b, c)));
  return most;
}

}  // namespace

ColourMergeResult mergeCloseColours(ColourPicture& picture, int distance) {
  std::vector<int> count(kColours, 0);
  for (const PictureColour c : picture.pixels) {
    if (c != kClearColour) ++count[c];
  }
  std::vector<int> order;
  for (int c = 0; c < kColours; ++c) {
    if (count[c] > 0) order.push_back(c);
  }
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return count[a] > count[b]; });

  // Kept colours both as a list and on the colour cube, whichever is
  // quicker to search around a colour.
  std::vector<int> kept;
  std::vector<char> isKept(kColours, 0);
  std::vector<PictureColour> into(kColours, 0);
  ColourMergeResult result;
  const int side = 2 * distance + 1;
  for (const int colour : order) {
    int best = -1;
    auto consider = [&](int candidate) {
      if (largestChannelStep(candidate, colour) > distance) return;
      if (best < 0 || squaredDistance(candidate, colour) < squaredDistance(best, colour) ||
          (squaredDistance(candidate, colour) == squaredDistance(best, colour) && candidate < best)) {
        best = candidate;
      }
    };
    if (kept.size() < std::size_t(side) * side * side) {
      for (const int k : kept) consider(k);
    } else {
      for (int b = std::max(0, channel(colour, 2) - distance); b <= std::min(31, channel(colour, 2) + distance); ++b) {
        for (int g = std::max(0, channel(colour, 1) - distance); g <= std::min(31, channel(colour, 1) + distance);
             ++g) {
          for (int r = std::max(0, channel(colour, 0) - distance); r <= std::min(31, channel(colour, 0) + distance);
               ++r) {
            const int candidate = b << 10 | g << 5 | r;
            if (isKept[candidate] != 0) consider(candidate);
          }
        }
      }
    }
    if (best < 0) {
      kept.push_back(colour);
      isKept[colour] = 1;
      into[colour] = static_cast<PictureColour>(colour);
      continue;
    }
    into[colour] = static_cast<PictureColour>(best);
    ++result.merged;
    result.largestChange = std::max(result.largestChange, largestChannelStep(best, colour));
  }
  for (PictureColour& c : picture.pixels) {
    if (c != kClearColour) c = into[c];
  }
  return result;
}

}  // namespace qarto
