#include "export/picture/bank_packing.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "export/picture/packing_search.h"

namespace qarto {

namespace {

// Below this many distinct sets the exact search runs before the local one.
constexpr std::size_t kExactItems = 24;

// The distinct sets that are no subset of another, over dense colour
// numbers, largest first (ties in colour order, so the same sets always
// give the same order); a set lying inside another costs nothing.
struct Reduced {
  PackingProblem problem;
  std::vector<PictureColour> colourOf;  // dense number -> colour
  std::vector<int> itemOfSet;           // per input set, its item or -1 when it lies inside one
};

Reduced reduce(const std::vector<std::vector<PictureColour>>& sets, int capacity) {
  Reduced out;
  out.problem.capacity = capacity;
  for (const auto& set : sets) out.colourOf.insert(out.colourOf.end(), set.begin(), set.end());
  std::sort(out.colourOf.begin(), out.colourOf.end());
  out.colourOf.erase(std::unique(out.colourOf.begin(), out.colourOf.end()), out.colourOf.end());
  out.problem.colours = static_cast<int>(out.colourOf.size());

  std::map<std::vector<int>, int> distinct;
  std::vector<std::vector<int>> dense(sets.size());
  for (std::size_t s = 0; s < sets.size(); ++s) {
    for (const PictureColour c : sets[s]) {
      dense[s].push_back(
          static_cast<int>(std::lower_bound(out.colourOf.begin(), out.colourOf.end(), c) - out.colourOf.begin()));
    }
    distinct.emplace(dense[s], -1);
  }
  std::vector<const std::vector<int>*> order;
  for (const auto& [set, unused] : distinct) order.push_back(&set);
  std::stable_sort(order.begin(), order.end(), [](const auto* a, const auto* b) { return a->size() > b->size(); });

  // Kept sets by colour: a superset of a set holds its first colour.
  std::vector<std::vector<int>> keptWith(out.problem.colours);
  for (const std::vector<int>* set : order) {
    bool inside = false;
    if (!set->empty()) {
      for (const int k : keptWith[set->front()]) {
        const auto& kept = out.problem.items[k];
        if (std::includes(kept.begin(), kept.end(), set->begin(), set->end())) {
          inside = true;
          break;
        }
      }
    } else {
      inside = !out.problem.items.empty();
    }
    if (inside) continue;
    const int item = static_cast<int>(out.problem.items.size());
    distinct[*set] = item;
    out.problem.items.push_back(*set);
    for (const int c : *set) keptWith[c].push_back(item);
  }
  for (const auto& set : dense) out.itemOfSet.push_back(distinct[set]);
  return out;
}

// Every input set into the bank of its item, or of the first bank holding
// all its colours; the banks' colour lists; empty banks dropped.
Packing finish(const Reduced& reduced, const std::vector<int>& bankOfItem,
               const std::vector<std::vector<PictureColour>>& sets, PackingMethod method) {
  int banks = 1;
  for (const int b : bankOfItem) banks = std::max(banks, b + 1);
  std::vector<std::vector<char>> holds(std::size_t(banks), std::vector<char>(reduced.colourOf.size(), 0));
  for (std::size_t i = 0; i < bankOfItem.size(); ++i) {
    for (const int c : reduced.problem.items[i]) holds[bankOfItem[i]][c] = 1;
  }
  Packing packing;
  packing.fits = true;
  packing.method = method;
  std::vector<int> used(std::size_t(banks), 0);
  for (std::size_t s = 0; s < sets.size(); ++s) {
    int bank = reduced.itemOfSet[s] >= 0 ? bankOfItem[reduced.itemOfSet[s]] : -1;
    for (int b = 0; bank < 0 && b < banks; ++b) {
      bool all = true;
      for (const PictureColour c : sets[s]) {
        const auto at =
            std::lower_bound(reduced.colourOf.begin(), reduced.colourOf.end(), c) - reduced.colourOf.begin();
        all = all && holds[b][at] != 0;
      }
      if (all) bank = b;
    }
    packing.bankOfSet.push_back(bank);
    used[bank] = 1;
  }
  // Banks that only held sets lying inside others' are dropped.
  std::vector<int> renumbered(std::size_t(banks), -1);
  for (int b = 0; b < banks; ++b) {
    if (used[b] == 0 && !(sets.empty() && b == 0)) continue;
    renumbered[b] = static_cast<int>(packing.banks.size());
    packing.banks.emplace_back();
    for (std::size_t c = 0; c < reduced.colourOf.size(); ++c) {
      if (holds[b][c] != 0) packing.banks.back().push_back(reduced.colourOf[c]);
    }
  }
  for (int& bank : packing.bankOfSet) bank = renumbered[bank];
  packing.banksNeeded = static_cast<int>(packing.banks.size());
  return packing;
}

// Banks no packing can do with: the colours over the bank size, and a set
// of items no two of which fit one bank together (found greedily).
int banksAtLeast(const PackingProblem& problem) {
  int most = (problem.colours + problem.capacity - 1) / problem.capacity;
  std::vector<const std::vector<int>*> apart;
  std::vector<int> merged;
  for (const std::vector<int>& item : problem.items) {
    const bool alone = std::all_of(apart.begin(), apart.end(), [&](const std::vector<int>* other) {
      merged.clear();
      std::set_union(item.begin(), item.end(), other->begin(), other->end(), std::back_inserter(merged));
      return static_cast<int>(merged.size()) > problem.capacity;
    });
    if (alone) apart.push_back(&item);
  }
  return std::max(most, static_cast<int>(apart.size()));
}

}  // namespace

const char* packingMethodName(PackingMethod method) {
  switch (method) {
    case PackingMethod::Greedy:
      return "best-fit greedy";
    case PackingMethod::ExactSearch:
      return "exact search";
    case PackingMethod::LocalSearch:
      return "tabu search";
    case PackingMethod::None:
      break;
  }
  return "none";
}

Packing packColourSets(const std::vector<std::vector<PictureColour>>& sets, const PackingLimits& limits) {
  const Reduced reduced = reduce(sets, limits.coloursPerBank);
  int opened = 0;
  std::vector<int> bankOf = greedyPacking(reduced.problem, -1, opened);
  if (opened <= limits.banks) return finish(reduced, bankOf, sets, PackingMethod::Greedy);

  const bool hopeless = banksAtLeast(reduced.problem) > limits.banks;
  SearchBudget budget{
      hopeless ? 0 : limits.moves,
      std::chrono::steady_clock::now() + std::chrono::microseconds(static_cast<long long>(limits.seconds * 1e6))};
  if (!hopeless && reduced.problem.items.size() <= kExactItems) {
    bankOf = exactPacking(reduced.problem, limits.banks, budget);
    if (!bankOf.empty()) return finish(reduced, bankOf, sets, PackingMethod::ExactSearch);
  }
  bankOf = hopeless ? std::vector<int>{} : localSearchPacking(reduced.problem, limits.banks, budget);
  if (!bankOf.empty()) return finish(reduced, bankOf, sets, PackingMethod::LocalSearch);

  Packing failed;
  failed.banksNeeded = opened;
  int unused = 0;
  const std::vector<int> partial = greedyPacking(reduced.problem, limits.banks, unused);
  for (std::size_t s = 0; s < sets.size(); ++s) {
    const int item = reduced.itemOfSet[s];
    if (item >= 0 && partial[item] < 0) failed.unplacedSets.push_back(static_cast<int>(s));
  }
  return failed;
}

}  // namespace qarto
