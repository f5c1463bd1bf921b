#pragma once

#include <chrono>
#include <vector>

namespace qarto {

// The item sets of a packing problem over dense colour numbers 0..colours-1;
// no item is a subset of another.
struct PackingProblem {
  int colours = 0;
  int capacity = 15;
  std::vector<std::vector<int>> items;  // each ascending
};

struct SearchBudget {
  long long moves = 0;
  std::chrono::steady_clock::time_point deadline;
};

// Exact depth-first search over item-to-bank choices (for few items): the
// bank of each item, or empty when none was found within the budget.
std::vector<int> exactPacking(const PackingProblem& problem, int banks, SearchBudget& budget);

// Tabu search over overloaded assignments into exactly `banks` banks, from
// a best-fit start: moves items out of over-full banks until none is over
// full. The bank of each item, or empty when the budget ran out.
std::vector<int> localSearchPacking(const PackingProblem& problem, int banks, SearchBudget& budget);

// Best-fit greedy in the order given (largest sets first): the bank of each
// item, -1 for those that fit no bank once `banks` are open (no limit: -1).
std::vector<int> greedyPacking(const PackingProblem& problem, int banks, int& banksOpened);

}  // namespace qarto
