#pragma once

#include <vector>

#include "export/picture/picture_tiles.h"

namespace qarto {

// Packing the colour sets of tiles into palette banks: every set must lie
// whole in one bank, a bank holds `coloursPerBank` colours besides colour 0,
// and a colour may sit in as many banks as need it. This is bin packing with
// overlapping items (the pagination problem).
struct PackingLimits {
  int banks = 16;
  int coloursPerBank = 15;
  // The search stops after this many moves (which keeps the answer the same
  // on every machine) or after this many seconds, whichever comes first.
  long long moves = 3'000'000;
  double seconds = 5.0;
};

enum class PackingMethod { Greedy, ExactSearch, LocalSearch, None };
const char* packingMethodName(PackingMethod method);

struct Packing {
  bool fits = false;
  PackingMethod method = PackingMethod::None;
  // The banks of the packing found, at least one; when it does not fit, the
  // fewest the greedy start needed.
  int banksNeeded = 0;
  std::vector<std::vector<PictureColour>> banks;  // when it fits: each bank's colours, ascending
  std::vector<int> bankOfSet;                     // when it fits: per input set
  std::vector<int> unplacedSets;                  // when it does not: sets left out of a packing into `banks`
};

// Each set's colours ascending and distinct, at most coloursPerBank of them.
// The same sets give the same packing.
Packing packColourSets(const std::vector<std::vector<PictureColour>>& sets, const PackingLimits& limits);

}  // namespace qarto
