#pragma once

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

// One layer and the size it is to get.
struct ResizeTarget {
  MapLayer* layer = nullptr;
  int width = 0;
  int height = 0;
};

// Resizes every target, all or nothing: each new cell array is allocated and
// filled before any layer changes, so a failure (told to the user) leaves
// every layer as it was. New cells are empty; in un-optimized mode those of
// tile layers show the first blank tile of the first normal page instead.
// Entity layers keep their size (the user is told). Resized layers lose
// their undo entries, which describe cells that are no longer where they
// were; the project is marked modified. False on failure.
bool resizeLayers(EditorSession& session, const std::vector<ResizeTarget>& targets, const ResizeLayout& layout);

}  // namespace qarto
