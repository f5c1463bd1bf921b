#include "export/picture/packing_search.h"

#include <cstdint>
#include <limits>
#include <random>

namespace qarto {

namespace {

// How many items of each bank use each colour, and so how many colours each
// bank holds. Banks open on demand.
class BankState {
 public:
  explicit BankState(int colours) : colours_(colours) {}

  int banks() const { return static_cast<int>(counts_.size()); }
  void open() {
    counts_.emplace_back(std::size_t(colours_), 0);
    sizes_.push_back(0);
  }
  int size(int bank) const { return sizes_[bank]; }
  // Colours the item would bring into the bank.
  int added(int bank, const std::vector<int>& item) const {
    int n = 0;
    for (const int c : item) n += counts_[bank][c] == 0 ? 1 : 0;
    return n;
  }
  // Colours the bank would lose without the item.
  int removed(int bank, const std::vector<int>& item) const {
    int n = 0;
    for (const int c : item) n += counts_[bank][c] == 1 ? 1 : 0;
    return n;
  }
  void add(int bank, const std::vector<int>& item) {
    for (const int c : item) sizes_[bank] += counts_[bank][c]++ == 0 ? 1 : 0;
  }
  void remove(int bank, const std::vector<int>& item) {
    for (const int c : item) sizes_[bank] -= --counts_[bank][c] == 0 ? 1 : 0;
  }

 private:
  int colours_;
  std::vector<std::vector<std::uint16_t>> counts_;
  std::vector<int> sizes_;
};

bool outOfBudget(SearchBudget& budget) {
  if (--budget.moves < 0) return true;
  return (budget.moves & 1023) == 0 && std::chrono::steady_clock::now() > budget.deadline;
}

class ExactSearch {
 public:
  ExactSearch(const PackingProblem& problem, int banks, SearchBudget& budget)
      : problem_(problem), banks_(banks), budget_(budget), state_(problem.colours), bankOf_(problem.items.size(), -1) {
    for (int b = 0; b < banks; ++b) state_.open();
  }

  std::vector<int> run() { return place(0, 0) ? bankOf_ : std::vector<int>{}; }

 private:
  // Items go in order; a new bank is only ever the first empty one, so no
  // two branches differ by a renaming of banks.
  bool place(std::size_t item, int used) {
    if (item == problem_.items.size()) return true;
    if (outOfBudget(budget_)) return false;
    const std::vector<int>& colours = problem_.items[item];
    for (int b = 0; b < std::min(used + 1, banks_); ++b) {
      if (state_.size(b) + state_.added(b, colours) > problem_.capacity) continue;
      state_.add(b, colours);
      bankOf_[item] = b;
      if (place(item + 1, std::max(used, b + 1))) return true;
      state_.remove(b, colours);
      if (budget_.moves < 0) return false;
    }
    return false;
  }

  const PackingProblem& problem_;
  int banks_;
  SearchBudget& budget_;
  BankState state_;
  std::vector<int> bankOf_;
};

class LocalSearch {
 public:
  LocalSearch(const PackingProblem& problem, int banks, SearchBudget& budget)
      : problem_(problem), banks_(banks), budget_(budget), state_(problem.colours), members_(std::size_t(banks)) {
    for (int b = 0; b < banks; ++b) state_.open();
    const std::size_t n = problem.items.size();
    bankOf_.assign(n, -1);
    slot_.assign(n, 0);
    tabuUntil_.assign(n, 0);
  }

  std::vector<int> run() {
    start();
    int best = totalOverload();
    for (long long move = 1; best > 0; ++move) {
      if (outOfBudget(budget_)) return {};
      step(move, best);
      best = std::min(best, totalOverload());
    }
    return bankOf_;
  }

 private:
  int overload(int size) const { return std::max(0, size - problem_.capacity); }
  int totalOverload() const {
    int total = 0;
    for (int b = 0; b < banks_; ++b) total += overload(state_.size(b));
    return total;
  }

  void put(int item, int bank) {
    bankOf_[item] = bank;
    slot_[item] = members_[bank].size();
    members_[bank].push_back(item);
    state_.add(bank, problem_.items[item]);
  }
  void take(int item) {
    std::vector<int>& list = members_[bankOf_[item]];
    const int last = list.back();
    list[slot_[item]] = last;
    slot_[last] = slot_[item];
    list.pop_back();
    state_.remove(bankOf_[item], problem_.items[item]);
  }

  // Best fit, over-full banks allowed: the least added overload, then the
  // fewest added colours.
  void start() {
    for (std::size_t i = 0; i < problem_.items.size(); ++i) {
      int bestBank = 0;
      int bestScore = std::numeric_limits<int>::max();
      for (int b = 0; b < banks_; ++b) {
        const int added = state_.added(b, problem_.items[i]);
        const int score = (overload(state_.size(b) + added) - overload(state_.size(b))) * 64 + added;
        if (score < bestScore) bestScore = score, bestBank = b;
      }
      put(static_cast<int>(i), bestBank);
    }
  }

  // Moves one item out of a randomly chosen over-full bank: the move that
  // lowers the overload most (ties: fewer colours in play, then chance),
  // skipping recently moved items unless the move beats the best state.
  void step(long long move, int best) {
    std::vector<int> full;
    for (int b = 0; b < banks_; ++b) {
      if (state_.size(b) > problem_.capacity) full.push_back(b);
    }
    const int from = full[random_() % full.size()];
    const int current = totalOverload();
    long long bestScore = std::numeric_limits<long long>::max();
    int bestItem = -1, bestBank = -1, ties = 0;
    for (const int item : members_[from]) {
      const std::vector<int>& colours = problem_.items[item];
      const int fromSize = state_.size(from) - state_.removed(from, colours);
      for (int to = 0; to < banks_; ++to) {
        if (to == from) continue;
        const int toSize = state_.size(to) + state_.added(to, colours);
        const int delta =
            overload(fromSize) + overload(toSize) - overload(state_.size(from)) - overload(state_.size(to));
        if (tabuUntil_[item] > move && current + delta >= best) continue;
        const long long score = delta * 256LL + (toSize - state_.size(to)) - (state_.size(from) - fromSize);
        if (score < bestScore) {
          bestScore = score, bestItem = item, bestBank = to, ties = 1;
        } else if (score == bestScore && random_() % ++ties == 0) {
          bestItem = item, bestBank = to;
        }
      }
    }
    if (bestItem < 0 || random_() % 64 == 0) {
      bestItem = members_[from][random_() % members_[from].size()];
      bestBank = static_cast<int>((from + 1 + random_() % (banks_ - 1)) % banks_);
    }
    take(bestItem);
    put(bestItem, bestBank);
    tabuUntil_[bestItem] = move + 7 + static_cast<long long>(random_() % 10);
  }

  const PackingProblem& problem_;
  int banks_;
  SearchBudget& budget_;
  BankState state_;
  std::vector<std::vector<int>> members_;
  std::vector<int> bankOf_;
  std::vector<std::size_t> slot_;
  std::vector<long long> tabuUntil_;
  std::mt19937 random_{20240611u};
};

}  // namespace

std::vector<int> exactPacking(const PackingProblem& problem, int banks, SearchBudget& budget) {
  return ExactSearch(problem, banks, budget).run();
}

std::vector<int> localSearchPacking(const PackingProblem& problem, int banks, SearchBudget& budget) {
  if (banks < 2) return {};
  return LocalSearch(problem, banks, budget).run();
}

std::vector<int> greedyPacking(const PackingProblem& problem, int banks, int& banksOpened) {
  BankState state(problem.colours);
  std::vector<int> bankOf(problem.items.size(), -1);
  for (std::size_t i = 0; i < problem.items.size(); ++i) {
    const std::vector<int>& item = problem.items[i];
    int bestBank = -1, bestAdded = problem.capacity + 1;
    for (int b = 0; b < state.banks(); ++b) {
      const int added = state.added(b, item);
      if (state.size(b) + added <= problem.capacity && added < bestAdded) bestAdded = added, bestBank = b;
    }
    if (bestBank < 0 && (banks < 0 || state.banks() < banks)) {
      state.open();
      bestBank = state.banks() - 1;
    }
    if (bestBank < 0) continue;
    state.add(bestBank, item);
    bankOf[i] = bestBank;
  }
  banksOpened = state.banks();
  return bankOf;
}

}  // namespace qarto
