#pragma once

#include <optional>
#include <vector>

namespace qarto {

class EditorSession;
struct MapLayer;

// Where the old cells go when a layer changes size: one of nine anchors in
// reading order (0 top-left, 1 top-centre, 2 top-right, 3 middle-left,
// 4 centre, ... 8 bottom-right), and per axis whether to stretch instead.
struct ResizeLayout {
  int anchor = 4;
  bool stretchHorizontally = false;
  bool stretchVertically = false;
};

// Along one axis: copy `count` cells from source index `source` on to
// target index `target` on.
struct AxisCopy {
  int source = 0;
  int target = 0;
  int count = 0;
};

// The anchored copy along an axis of `from` cells resized to `to`. `side` is
// 0 at the near edge (left, top), 1 in the middle, 2 at the far edge.
AxisCopy anchoredCopy(int from, int to, int side);

// The source index of each target index along an axis (-1: none, the target
// stays cleared): anchored, or stretched so that target j takes source
// trunc(j x from / to).
std::vector<int> axisSources(int from, int to, int side, bool stretch);

// One layer and the size it is to get; a secondary layer resized for a new
// parallax gets that parallax on both axes with it.
struct ResizeTarget {
  ResizeTarget() = default;
  ResizeTarget(MapLayer* layer, int width, int height, std::optional<float> parallax = std::nullopt)
      : layer(layer), width(width), height(height), parallax(parallax) {}

  MapLayer* layer = nullptr;
  int width = 0;
  int height = 0;
  std::optional<float> parallax;
};

// Resizes every target, all or nothing: each new cell array is allocated and
// filled before any layer changes, so a failure (told to the user) leaves
// every layer as it was. New cells of tile layers show the first blank tile
// of the first normal page, so a grown layer exports whole (un-optimized
// mode refuses without such a page; otherwise the cells stay empty); new
// collision cells are empty. Entity layers change size too; their entities
// move with the map and those left outside it are moved inside (the user is
// told how many). The whole resize is one undo entry that gives every layer its
// cells, size and parallax back; the project is marked modified. False on
// failure.
bool resizeLayers(EditorSession& session, const std::vector<ResizeTarget>& targets, const ResizeLayout& layout);

}  // namespace qarto
