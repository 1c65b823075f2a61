// The table of TimetableCounter's last courses: which split pays, the
// classes of the cells it is indexed by, and its counts.
#include <algorithm>
#include <bit>
#include <cmath>
#include <map>

#include "generator/timetable_counter.h"

namespace kiremo::generator {

namespace {

// 2^25 counts of four bytes: 128 MB at most, for a second or so.
constexpr int kMostTableBits = 25;
// A table of up to 2^kCachedBits counts stays in the processor's cache.
constexpr int kCachedBits = 18;
// The sums over the sets run a block of this many bits at a time in cache.
constexpr int kBlockBits = 15;
// Picks of the last courses a table may be built from.
constexpr double kMostTailPicks = 5e7;
// Between two looks at the stop flag while the table is built.
constexpr std::uint64_t kStopEvery = 1 << 16;
// Past this many picks the estimate was far off: the table is given up.
constexpr std::uint64_t kGivenUpAfter = 200'000'000;

// Over the sets of `size` counts (a power of two), adds to each set with
// one of the bits [from, to) the count of the set without it, bit by bit.
void SumSubsets(std::uint32_t* counts, int from, int to, std::size_t size) {
  for (int bit = from; bit < to; ++bit) {
    const std::size_t step = std::size_t{1} << bit;
    for (std::size_t base = 0; base < size; base += 2 * step) {
      std::uint32_t* without = counts + base;
      std::uint32_t* with = without + step;
      for (std::size_t k = 0; k < step; ++k) with[k] += without[k];
    }
  }
}

}  // namespace

double TimetableCounter::PathsEstimate(int from, int to) const {
  // As if the pairs of levels fitted independently of each other.
  double paths = 1;
  for (int a = from; a < to; ++a) {
    const Level& level = levels_[a];
    paths *= level.sections;
    const std::size_t below_at = level.avail_at + level.avail_words;
    for (int b = a + 1; b < to && level.sections > 0; ++b) {
      const Level& other = levels_[b];
      double fitting = 0;
      for (int x = 0; x < level.sections; ++x) {
        const std::uint64_t* fits = level.fits.data() + x * level.fits_stride + (other.avail_at - below_at);
        for (std::size_t w = 0; w < other.avail_words; ++w) fitting += std::popcount(fits[w]);
      }
      paths *= other.sections > 0 ? fitting / (level.sections * other.sections) : 0;
    }
  }
  return paths;
}

void TimetableCounter::PlanTail() {
  const int m = Levels();
  if (m < 3) return;
  // In steps of the walk, which counts one population count per path
  // through all but the last level. A table costs a lookup per path through
  // the first levels and an addition per pick of the last ones, each a miss
  // of the processor's cache when the table is larger than it, its memory
  // and the sums over its sets, which run through it in order.
  const double walk = PathsEstimate(0, m - 1);
  double best = walk / 2;  // a table must at least halve the work
  for (int split = m - 2; split >= 1; --split) {
    const double picks = PathsEstimate(split, m);
    if (picks > kMostTailPicks) break;
    std::optional<Tail> tail = ClassifyTail(split);
    if (!tail) continue;
    const double miss = tail->bits > kCachedBits ? 20 : 1;
    const double cost =
        (PathsEstimate(0, split) + picks) * (1 + miss) + std::ldexp(1, tail->bits) * (3 + 0.15 * tail->bits);
    if (cost < best) {
      best = cost;
      tail_ = std::move(*tail);
    }
  }
}

// Cells that both the first levels and the tail touch, those that the same
// sections of the tail cover as one class.
std::optional<TimetableCounter::Tail> TimetableCounter::ClassifyTail(int split) const {
  const std::size_t bits = words_ * 64;
  std::map<std::vector<int>, int> class_of_cover;
  std::vector<int> class_of_bit(bits, -1);
  for (std::size_t bit = 0; bit < bits; ++bit) {
    auto covers = [&](const Level& level, int x) { return level.masks[x * words_ + bit / 64] >> (bit % 64) & 1; };
    bool head = false;
    for (int j = 0; j < split && !head; ++j) {
      for (int x = 0; x < levels_[j].sections && !head; ++x) head = covers(levels_[j], x);
    }
    std::vector<int> cover;
    int id = 0;
    for (std::size_t j = static_cast<std::size_t>(split); j < levels_.size(); ++j) {
      for (int x = 0; x < levels_[j].sections; ++x, ++id) {
        if (covers(levels_[j], x)) cover.push_back(id);
      }
    }
    if (!head || cover.empty()) continue;
    class_of_bit[bit] = class_of_cover.emplace(cover, static_cast<int>(class_of_cover.size())).first->second;
    if (class_of_cover.size() > static_cast<std::size_t>(kMostTableBits)) return std::nullopt;
  }
  Tail tail;
  tail.split = split;
  tail.bits = static_cast<int>(class_of_cover.size());
  auto class_set = [&](std::size_t bit) { return class_of_bit[bit] < 0 ? 0 : std::uint64_t{1} << class_of_bit[bit]; };
  tail.class_of_byte.assign(words_ * 8 * 256, 0);
  for (std::size_t byte = 0; byte < words_ * 8; ++byte) {
    for (int value = 1; value < 256; ++value) {
      for (int b = 0; b < 8; ++b) {
        if (value >> b & 1) tail.class_of_byte[byte * 256 + value] |= class_set(byte * 8 + b);
      }
    }
  }
  for (std::size_t j = static_cast<std::size_t>(split); j < levels_.size(); ++j) {
    tail.classes_at.push_back(tail.classes.size());
    for (int x = 0; x < levels_[j].sections; ++x) {
      std::uint64_t classes = 0;
      for (std::size_t bit = 0; bit < bits; ++bit) {
        if (levels_[j].masks[x * words_ + bit / 64] >> (bit % 64) & 1) classes |= class_set(bit);
      }
      tail.classes.push_back(classes);
    }
  }
  return tail;
}

void TimetableCounter::EnsureTail(const std::atomic<bool>* stop) const {
  if (tail_.split < 0) return;
  std::call_once(tail_once_, [&] {
    if (BuildTail(stop)) tail_ready_.store(true, std::memory_order_release);
  });
}

// The clash-free picks of the tail's levels, each added to the count of
// its class set.
class TailPicks {
 public:
  TailPicks(const std::vector<TimetableCounter::Level>& levels, int split, std::size_t avail_words,
            const std::atomic<bool>* stop)
      : levels_(levels), split_(split), stop_(stop), open_((levels.size() + 1) * avail_words, 0), words_(avail_words) {}

  template <class Add>
  bool Run(const std::vector<std::uint64_t>& classes, const std::vector<std::size_t>& classes_at, Add add) {
    for (std::size_t j = static_cast<std::size_t>(split_); j < levels_.size(); ++j) {
      const auto& level = levels_[j];
      for (int x = 0; x < level.sections; ++x)
        open_[split_ * words_ + level.avail_at + x / 64] |= std::uint64_t{1} << (x % 64);
    }
    return Visit(split_, 0, 1, classes, classes_at, add);
  }

 private:
  template <class Add>
  bool Visit(int j, std::uint64_t taken, std::uint64_t weight, const std::vector<std::uint64_t>& classes,
             const std::vector<std::size_t>& classes_at, Add& add) {
    const auto& level = levels_[j];
    const std::uint64_t* open = open_.data() + j * words_;
    const std::uint64_t* own = classes.data() + classes_at[j - split_];
    const bool last = j + 1 == static_cast<int>(levels_.size());
    std::uint64_t* below = open_.data() + (j + 1) * words_;
    for (std::size_t w = 0; w < level.avail_words; ++w) {
      for (std::uint64_t rest = open[level.avail_at + w]; rest != 0; rest &= rest - 1) {
        const std::size_t x = w * 64 + static_cast<std::size_t>(std::countr_zero(rest));
        if (++steps_ % kStopEvery == 0 && (steps_ > kGivenUpAfter || (stop_ && stop_->load(std::memory_order_relaxed))))
          return false;
        const std::uint64_t with = weight * level.weights[x];
        if (last) {
          if (!add(taken | own[x], with)) return false;
          continue;
        }
        const std::uint64_t* fits = level.fits.data() + x * level.fits_stride;
        const std::size_t from = level.avail_at + level.avail_words;
        bool any = true;
        for (std::size_t k = from; k < words_; ++k) below[k] = open[k] & fits[k - from];
        for (std::size_t l = static_cast<std::size_t>(j) + 1; l < levels_.size() && any; ++l) {
          std::uint64_t some = 0;
          for (std::size_t v = 0; v < levels_[l].avail_words; ++v) some |= below[levels_[l].avail_at + v];
          any = some != 0;
        }
        if (any && !Visit(j + 1, taken | own[x], with, classes, classes_at, add)) return false;
      }
    }
    return true;
  }

  const std::vector<TimetableCounter::Level>& levels_;
  int split_;
  const std::atomic<bool>* stop_;
  std::vector<std::uint64_t> open_;  // per depth, every level's open set
  std::size_t words_;
  std::uint64_t steps_ = 0;
};

bool TimetableCounter::BuildTail(const std::atomic<bool>* stop) const {
  std::vector<std::uint32_t>& counts = tail_.counts;
  counts.assign(std::size_t{1} << tail_.bits, 0);
  std::uint64_t total = 0;
  TailPicks picks(levels_, tail_.split, avail_words_, stop);
  const bool whole = picks.Run(tail_.classes, tail_.classes_at, [&](std::uint64_t classes, std::uint64_t weight) {
    total += weight;
    counts[classes] += static_cast<std::uint32_t>(weight);
    return total <= UINT32_MAX;  // the sums below stay within four bytes
  });
  if (!whole) {
    counts = {};
    return false;
  }
  // Each set's count becomes that of every subset of it: the low bits of a
  // block at a time while it is in cache, then the high bits in passes.
  const int low = std::min(tail_.bits, kBlockBits);
  const std::size_t block = std::size_t{1} << low;
  for (std::size_t first = 0; first < counts.size(); first += block) {
    if (stop && stop->load(std::memory_order_relaxed)) return false;
    SumSubsets(counts.data() + first, 0, low, block);
  }
  for (int bit = low; bit < tail_.bits; ++bit) {
    if (stop && stop->load(std::memory_order_relaxed)) return false;
    SumSubsets(counts.data(), bit, bit + 1, counts.size());
  }
  return true;
}

}  // namespace kiremo::generator
