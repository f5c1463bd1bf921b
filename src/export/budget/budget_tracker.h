#pragma once

#include <cstdint>
#include <vector>

#include "export/budget/budget_counts.h"
#include "model/project/layer_kind.h"

namespace qarto {

class MapProject;
struct MapLayer;
struct UndoEntry;

// Keeps BudgetCounts equal to the map's cells as the map is edited. It holds
// the budget's view of every tile layer's cells and, on update, compares
// only the cells the undo journal says an edit touched (a stroke, a fill, a
// paste, their undo and redo); anything the journal cannot name (a layer
// operation, a new tile page, a map opened) is found by comparing every
// cell, and a changed tile page recounts the map.
class BudgetTracker {
 public:
  // Brings the counts up to date with the project; cheap when nothing changed.
  void update(const MapProject& project);
  // Drops everything and counts the whole map afresh.
  void recount(const MapProject& project);
  const BudgetCounts& counts() const { return counts_; }

 private:
  struct Track {
    const MapLayer* layer = nullptr;
    int width = 0;
    int height = 0;
    int group = 0;
    std::vector<BudgetKey> keys;  // as last counted
  };

  bool layersMatch(const MapProject& project) const;
  void retrack(const MapProject& project);
  void compareAll();
  void compareSaved(const UndoEntry& entry);
  void compareCell(Track& track, std::size_t number);

  BudgetCounts counts_;
  std::vector<Track> tracks_;
  std::uint64_t pagesPrint_ = 0;
  bool counted_ = false;
  std::uint64_t revision_ = 0;
  const UndoEntry* newest_ = nullptr;
};

// What identifies the registered tile pages' contents for the budget: their
// ids, addresses, sizes and palettes. A page loaded or replaced changes it.
std::uint64_t pagesFingerprint(const MapProject& project);

}  // namespace qarto
