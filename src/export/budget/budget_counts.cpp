#include "export/budget/budget_counts.h"

#include <algorithm>
#include <cstring>

#include "export/reduction/export_reduction.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

int pageByte(BudgetKey key) { return static_cast<int>(key >> 20); }
int rowOf(BudgetKey key) { return static_cast<int>((key >> 16) & 15); }
std::int16_t tileOf(BudgetKey key) { return static_cast<std::int16_t>(key & 0xffff); }

}  // namespace

template <typename T>
std::size_t BudgetCounts::BytesHash<T>::operator()(const T& value) const {
  std::size_t hash = 14695981039346656037ull;
  for (auto part : value) hash = (hash ^ static_cast<std::size_t>(part)) * 1099511628211ull;
  return hash;
}

void BudgetCounts::reset(const TilesetRegistry& registry) {
  pages_.fill(nullptr);
  for (const auto& [id, page] : registry) {
    if (id >= -128 && id <= 127) pages_[static_cast<std::uint8_t>(static_cast<std::int8_t>(id))] = page.get();
  }
  formIds_.assign(256, {});
  forms_.clear();
  for (auto& uses : formUses_) uses.clear();
  inUseForms_.fill(0);
  colourIds_.fill(0);
  colours_.clear();
  colourUses_.clear();
  colourKey_.clear();
  inUseColours_ = 0;
  unregistered_ = 0;
}

int BudgetCounts::knownForm(BudgetKey key) const {
  const auto& ids = formIds_[static_cast<std::size_t>(pageByte(key))];
  return ids.empty() ? -1 : ids[static_cast<std::uint16_t>(tileOf(key))] - 1;
}

int BudgetCounts::formOf(BudgetKey key) {
  auto& ids = formIds_[static_cast<std::size_t>(pageByte(key))];
  if (ids.empty()) ids.assign(65536, 0);
  std::int32_t& id = ids[static_cast<std::uint16_t>(tileOf(key))];
  if (id == 0) {
    // A tile and all its mirrors share their smallest form, as in the export's index.
    const UniqueTile tile = BuildUniqueTile(*pages_[static_cast<std::size_t>(pageByte(key))], tileOf(key));
    Form form = tile.rows;
    Form mirrored = tile.mirroredRows;
    Form flipped, both;
    std::reverse_copy(tile.rows.begin(), tile.rows.end(), flipped.begin());
    std::reverse_copy(tile.mirroredRows.begin(), tile.mirroredRows.end(), both.begin());
    form = std::min({form, mirrored, flipped, both});
    const auto [it, added] = forms_.try_emplace(form, static_cast<int>(forms_.size()));
    if (added) {
      for (auto& uses : formUses_) uses.push_back(0);
    }
    id = it->second + 1;
  }
  return id - 1;
}

int BudgetCounts::coloursOf(BudgetKey key) {
  const std::size_t slot = static_cast<std::size_t>(pageByte(key)) * 16 + static_cast<std::size_t>(rowOf(key));
  int& id = colourIds_[slot];
  if (id == 0) {
    const Tileset& page = *pages_[static_cast<std::size_t>(pageByte(key))];
    Colours colours{};
    // Colours 1 to 15: colour 0 is transparent and never tells palettes apart.
    std::memcpy(colours.data(), page.palette.data() + static_cast<std::size_t>(rowOf(key)) * 48 + 3, colours.size());
    const auto [it, added] = colours_.try_emplace(colours, static_cast<int>(colours_.size()));
    if (added) {
      colourUses_.push_back(0);
      colourKey_.push_back(paletteKey(page.id, rowOf(key)));
    }
    id = it->second + 1;
  }
  return id - 1;
}

void BudgetCounts::count(BudgetKey key, int group, int delta) {
  if (pages_[static_cast<std::size_t>(pageByte(key))] == nullptr) {
    unregistered_ += delta;
    return;
  }
  auto& formUses = formUses_[static_cast<std::size_t>(group & 1)];
  int& tileUses = formUses[static_cast<std::size_t>(formOf(key))];
  const int tilesBefore = tileUses;
  tileUses += delta;
  inUseForms_[static_cast<std::size_t>(group & 1)] += (tileUses > 0) - (tilesBefore > 0);
  int& paletteUses = colourUses_[static_cast<std::size_t>(coloursOf(key))];
  const int palettesBefore = paletteUses;
  paletteUses += delta;
  inUseColours_ += (paletteUses > 0) - (palettesBefore > 0);
}

int BudgetCounts::tileUses(BudgetKey key, int group) const {
  const int form = knownForm(key);
  return form < 0 ? 0 : formUses_[static_cast<std::size_t>(group & 1)][static_cast<std::size_t>(form)];
}

int BudgetCounts::paletteUses(BudgetKey key) const {
  const int id = colourIds_[static_cast<std::size_t>(pageByte(key)) * 16 + static_cast<std::size_t>(rowOf(key))];
  return id == 0 ? 0 : colourUses_[static_cast<std::size_t>(id - 1)];
}

std::vector<int> BudgetCounts::palettesInUse() const {
  std::vector<int> keys;
  for (std::size_t id = 0; id < colourUses_.size(); ++id) {
    if (colourUses_[id] > 0) keys.push_back(colourKey_[id]);
  }
  return keys;
}

}  // namespace qarto
