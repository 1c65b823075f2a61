// The counting walk of TimetableCounter, built twice: with the processor's
// population count where it has one, and without it elsewhere.
#include <algorithm>
#include <bit>

#include "generator/timetable_counter.h"

namespace kiremo::generator {

namespace {

// Between two polls of the stop flag and the budget.
constexpr std::int64_t kPollSteps = 1024;
// Remembered subtrees per count run, over all levels.
constexpr std::size_t kMaxRemembered = std::size_t{1} << 20;
// A level's table is dropped when fewer than one lookup in this many hits
// after kJudgedAfter lookups: its subtrees seldom repeat.
constexpr std::int64_t kJudgedAfter = std::int64_t{1} << 15;
constexpr std::int64_t kWorthHitRatio = 16;

// The helpers below are forced inline: a helper left out of line would be
// built without the population count instruction its kernel may use.
template <bool kPopcnt>
[[gnu::always_inline]] inline std::uint64_t Ones(std::uint64_t x) {
  if constexpr (kPopcnt) {
    return static_cast<std::uint64_t>(__builtin_popcountll(x));
  } else {
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return (x * 0x0101010101010101ull) >> 56;
  }
}

std::uint64_t AddHeld(std::uint64_t a, std::uint64_t b, bool& saturated) {
  std::uint64_t sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) {
    saturated = true;
    return ~std::uint64_t{0};
  }
  return sum;
}

std::uint64_t MulHeld(std::uint64_t a, std::uint64_t b, bool& saturated) {
  std::uint64_t product = 0;
  if (__builtin_mul_overflow(a, b, &product)) {
    saturated = true;
    return ~std::uint64_t{0};
  }
  return product;
}

}  // namespace

// One level's remembered subtrees: open addressing over the class sets of
// the cells taken (keys below 2^63, stored with the top bit as "used").
struct CountRun::Memo {
  std::vector<std::uint64_t> keys;
  std::vector<std::uint64_t> counts;
  std::size_t used = 0;
  std::int64_t lookups = 0;
  std::int64_t hits = 0;
  bool enabled = true;

  static constexpr std::uint64_t kUsed = std::uint64_t{1} << 63;

  std::size_t Slot(std::uint64_t key) const {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 20) & (keys.size() - 1);
  }

  bool Find(std::uint64_t key, std::uint64_t& count) {
    ++lookups;
    if (lookups == kJudgedAfter && hits * kWorthHitRatio < lookups) {
      enabled = false;
      keys = {};
      counts = {};
      return false;
    }
    if (keys.empty()) return false;
    for (std::size_t at = Slot(key);; at = (at + 1) & (keys.size() - 1)) {
      if (keys[at] == 0) return false;
      if (keys[at] == (key | kUsed)) {
        ++hits;
        count = counts[at];
        return true;
      }
    }
  }

  void Store(std::uint64_t key, std::uint64_t count, std::size_t& room) {
    if (!enabled) return;
    if ((used + 1) * 2 > keys.size()) {
      if (room < keys.size() + 1024) return;
      Grow();
      room -= keys.size() / 2;
    }
    std::size_t at = Slot(key);
    while (keys[at] != 0) at = (at + 1) & (keys.size() - 1);
    keys[at] = key | kUsed;
    counts[at] = count;
    ++used;
  }

  void Grow() {
    std::vector<std::uint64_t> old_keys = std::move(keys), old_counts = std::move(counts);
    keys.assign(old_keys.empty() ? 1024 : old_keys.size() * 2, 0);
    counts.assign(keys.size(), 0);
    for (std::size_t k = 0; k < old_keys.size(); ++k) {
      if (old_keys[k] == 0) continue;
      std::size_t at = Slot(old_keys[k] & ~kUsed);
      while (keys[at] != 0) at = (at + 1) & (keys.size() - 1);
      keys[at] = old_keys[k];
      counts[at] = old_counts[k];
    }
  }
};

template <>
struct CountRun::Kernel<true> {
  [[gnu::target("popcnt")]] static std::uint64_t Count(CountRun& run, int i, const std::uint64_t* occupied,
                                                       const std::uint64_t* avail);
};

template <>
struct CountRun::Kernel<false> {
  static std::uint64_t Count(CountRun& run, int i, const std::uint64_t* occupied, const std::uint64_t* avail);
};

// The parts of the counting walk, as one class so that they reach the
// counter's levels; all inline into the two kernels.
class CountSteps {
 public:
  template <bool kPopcnt>
  [[gnu::always_inline]] static std::uint64_t Weighted(const TimetableCounter::Level& level, const std::uint64_t* set) {
    std::uint64_t total = 0;
    if (level.unweighted) {
      for (std::size_t w = 0; w < level.avail_words; ++w) total += Ones<kPopcnt>(set[w]);
      return total;
    }
    for (std::size_t b = 0; b < level.weight_bits; ++b) {
      const std::uint64_t* plane = level.planes.data() + b * level.avail_words;
      for (std::size_t w = 0; w < level.avail_words; ++w) total += Ones<kPopcnt>(set[w] & plane[w]) << b;
    }
    return total;
  }

  // The last two levels: for each open section of the first, the open
  // sections of the second that fit it.
  template <bool kPopcnt>
  [[gnu::always_inline]] static std::uint64_t LastTwo(CountRun& run, const TimetableCounter::Level& a,
                                                      const TimetableCounter::Level& b, const std::uint64_t* avail) {
    if (b.avail_words == 1) return LastTwoNarrow<kPopcnt>(run, a, b, avail);
    const std::uint64_t* open_b = avail + b.avail_at;
    std::uint64_t* both = run.scratch_.data();
    std::uint64_t total = 0;
    for (std::size_t w = 0; w < a.avail_words; ++w) {
      const std::uint64_t open_a = avail[a.avail_at + w];
      for (std::uint64_t rest = open_a; rest != 0; rest &= rest - 1) {
        const std::size_t x = w * 64 + static_cast<std::size_t>(std::countr_zero(rest));
        const std::uint64_t* fits = a.fits.data() + x * a.fits_stride;
        for (std::size_t v = 0; v < b.avail_words; ++v) both[v] = open_b[v] & fits[v];
        const std::uint64_t below = Weighted<kPopcnt>(b, both);
        total = AddHeld(total, MulHeld(a.weights[x], below, run.saturated_), run.saturated_);
      }
      run.steps_ += static_cast<std::int64_t>(Ones<kPopcnt>(open_a));
    }
    return total;
  }

  // The usual last level: up to 64 sections, without weights.
  template <bool kPopcnt>
  [[gnu::always_inline]] static std::uint64_t LastTwoNarrow(CountRun& run, const TimetableCounter::Level& a,
                                                            const TimetableCounter::Level& b,
                                                            const std::uint64_t* avail) {
    const std::uint64_t open_b = avail[b.avail_at];
    const std::uint64_t* fits = a.fits.data();
    const std::size_t stride = a.fits_stride;
    std::uint64_t total = 0;
    for (std::size_t w = 0; w < a.avail_words; ++w) {
      const std::uint64_t open_a = avail[a.avail_at + w];
      run.steps_ += static_cast<std::int64_t>(Ones<kPopcnt>(open_a));
      if (a.unweighted && b.unweighted) {
        std::uint64_t sum = 0;
        for (std::uint64_t rest = open_a; rest != 0; rest &= rest - 1) {
          const std::size_t x = w * 64 + static_cast<std::size_t>(std::countr_zero(rest));
          sum += Ones<kPopcnt>(open_b & fits[x * stride]);
        }
        total += sum;
        continue;
      }
      for (std::uint64_t rest = open_a; rest != 0; rest &= rest - 1) {
        const std::size_t x = w * 64 + static_cast<std::size_t>(std::countr_zero(rest));
        const std::uint64_t both = open_b & fits[x * stride];
        const std::uint64_t below = Weighted<kPopcnt>(b, &both);
        total = AddHeld(total, MulHeld(a.weights[x], below, run.saturated_), run.saturated_);
      }
    }
    return total;
  }

  // The open sets below section x of level i; false when a later level
  // has none left.
  [[gnu::always_inline]] static bool Narrow(const TimetableCounter& counter, int i, std::size_t x,
                                            const std::uint64_t* avail, std::uint64_t* below) {
    const TimetableCounter::Level& level = counter.levels_[i];
    const std::uint64_t* fits = level.fits.data() + x * level.fits_stride;
    const std::size_t from = level.avail_at + level.avail_words;
    const std::size_t n = counter.avail_words_ - from;
    if (counter.single_words_) {
      bool open = true;
      for (std::size_t k = 0; k < n; ++k) {
        const std::uint64_t set = avail[from + k] & fits[k];
        below[from + k] = set;
        open = open && set != 0;
      }
      return open;
    }
    for (std::size_t k = 0; k < n; ++k) below[from + k] = avail[from + k] & fits[k];
    for (std::size_t j = static_cast<std::size_t>(i) + 1; j < counter.levels_.size(); ++j) {
      const TimetableCounter::Level& other = counter.levels_[j];
      std::uint64_t any = 0;
      for (std::size_t w = 0; w < other.avail_words; ++w) any |= below[other.avail_at + w];
      if (any == 0) return false;
    }
    return true;
  }

  [[gnu::always_inline]] static std::uint64_t Key(const std::vector<std::uint64_t>& class_of_byte,
                                                  const std::uint64_t* occupied, std::size_t words) {
    std::uint64_t key = 0;
    for (std::size_t w = 0; w < words; ++w) {
      for (std::uint64_t rest = occupied[w]; rest != 0;) {
        const int byte = std::countr_zero(rest) / 8;
        key |= class_of_byte[(w * 8 + byte) * 256 + ((rest >> (8 * byte)) & 0xFF)];
        rest &= ~(std::uint64_t{0xFF} << (8 * byte));
      }
    }
    return key;
  }

  template <bool kPopcnt>
  [[gnu::always_inline]] static std::uint64_t Count(CountRun& run, int i, const std::uint64_t* occupied,
                                                    const std::uint64_t* avail);
};

template <bool kPopcnt>
[[gnu::always_inline]] inline std::uint64_t CountSteps::Count(CountRun& run, int i, const std::uint64_t* occupied,
                                                              const std::uint64_t* avail) {
  const TimetableCounter& counter = run.counter_;
  const int m = counter.Levels();
  const TimetableCounter::Level& level = counter.levels_[i];
  if (i == m - 1) return Weighted<kPopcnt>(level, avail + level.avail_at);
  if (i == m - 2) return LastTwo<kPopcnt>(run, level, counter.levels_[i + 1], avail);
  if (i == counter.tail_.split && counter.tail_ready_.load(std::memory_order_acquire)) {
    const TimetableCounter::Tail& tail = counter.tail_;
    return tail.counts[((std::uint64_t{1} << tail.bits) - 1) & ~Key(tail.class_of_byte, occupied, counter.words_)];
  }
  CountRun::Memo* memo = run.memos_[i].get();
  std::uint64_t key = 0, total = 0;
  if (memo && memo->enabled) {
    key = Key(level.class_of_byte, occupied, counter.words_);
    if (memo->Find(key, total)) return total;
  }
  std::uint64_t* below = run.avail_.data() + (i + 1) * counter.avail_words_;
  std::uint64_t* taken = run.occupied_.data() + (i + 1) * counter.words_;
  for (std::size_t w = 0; w < level.avail_words; ++w) {
    for (std::uint64_t rest = avail[level.avail_at + w]; rest != 0; rest &= rest - 1) {
      const std::size_t x = w * 64 + static_cast<std::size_t>(std::countr_zero(rest));
      if (++run.steps_ >= run.next_poll_ && !run.Poll()) return 0;
      if (!Narrow(counter, i, x, avail, below)) continue;
      std::uint64_t count = 0;
      if (i + 3 == m) {
        count = LastTwo<kPopcnt>(run, counter.levels_[i + 1], counter.levels_[i + 2], below);
      } else {
        // The cells taken matter only to a table further down.
        if (counter.tabled_below_[i]) {
          const std::uint64_t* mask = level.masks.data() + x * counter.words_;
          for (std::size_t k = 0; k < counter.words_; ++k) taken[k] = occupied[k] | mask[k];
        }
        count = CountRun::Kernel<kPopcnt>::Count(run, i + 1, taken, below);
        if (run.stopped_) return 0;
      }
      total = AddHeld(total, MulHeld(level.weights[x], count, run.saturated_), run.saturated_);
    }
  }
  if (memo && memo->enabled) memo->Store(key, total, run.room_);
  return total;
}

std::uint64_t CountRun::Kernel<true>::Count(CountRun& run, int i, const std::uint64_t* occupied,
                                            const std::uint64_t* avail) {
  return CountSteps::Count<true>(run, i, occupied, avail);
}

std::uint64_t CountRun::Kernel<false>::Count(CountRun& run, int i, const std::uint64_t* occupied,
                                             const std::uint64_t* avail) {
  return CountSteps::Count<false>(run, i, occupied, avail);
}

CountRun::CountRun(const TimetableCounter& counter, const std::atomic<bool>* stop, std::int64_t budget)
    : counter_(counter),
      stop_(stop),
      budget_(budget),
      popcnt_(__builtin_cpu_supports("popcnt")),
      room_(kMaxRemembered) {
  const std::size_t m = static_cast<std::size_t>(counter.Levels());
  occupied_.assign((m + 1) * counter.words_, 0);
  std::size_t widest = 1;
  for (const TimetableCounter::Level& level : counter.levels_) widest = std::max(widest, level.avail_words);
  scratch_.assign(widest, 0);
  avail_.assign((m + 1) * counter.avail_words_, 0);
  for (std::size_t i = 0; i < m; ++i) {
    memos_.push_back(counter.levels_[i].class_of_byte.empty() ? nullptr : std::make_unique<Memo>());
  }
}

CountRun::~CountRun() = default;

bool CountRun::Poll() {
  next_poll_ = steps_ + kPollSteps;
  if ((stop_ && stop_->load(std::memory_order_relaxed)) || (budget_ >= 0 && steps_ > budget_)) stopped_ = true;
  return !stopped_;
}

std::optional<std::uint64_t> CountRun::All() {
  const std::vector<std::uint64_t> nothing(counter_.words_, 0);
  return From(0, nothing.data());
}

std::optional<std::uint64_t> CountRun::Below(const int* path, int depth, std::int64_t budget) {
  std::vector<std::uint64_t> taken(counter_.words_, 0);
  for (int level = 0; level < depth; ++level) {
    const int c = path[level];
    const int x = counter_.section_of_[c];
    if (x < 0 || counter_.level_of_[c] != level) return 0;
    const std::uint64_t* mask = counter_.levels_[level].masks.data() + x * counter_.words_;
    for (std::size_t w = 0; w < counter_.words_; ++w) {
      if (taken[w] & mask[w]) return 0;
      taken[w] |= mask[w];
    }
  }
  if (budget < 0) return From(depth, taken.data());
  // A budget of its own, then the run's again.
  const std::int64_t own = budget_;
  budget_ = budget_ >= 0 ? std::min(budget_, steps_ + budget) : steps_ + budget;
  next_poll_ = std::min(next_poll_, steps_ + budget);
  const std::optional<std::uint64_t> count = From(depth, taken.data());
  budget_ = own;
  return count;
}

std::optional<std::uint64_t> CountRun::From(int depth, const std::uint64_t* occupied) {
  stopped_ = false;
  const int m = counter_.Levels();
  if (depth >= m) return 1;
  if (depth <= counter_.tail_.split) counter_.EnsureTail(stop_);
  std::uint64_t* avail = avail_.data() + depth * counter_.avail_words_;
  for (int j = depth; j < m; ++j) {
    const TimetableCounter::Level& level = counter_.levels_[j];
    std::fill_n(avail + level.avail_at, level.avail_words, 0);
    bool any = false;
    for (int x = 0; x < level.sections; ++x) {
      bool fits = true;
      for (std::size_t w = 0; w < counter_.words_; ++w)
        fits = fits && !(level.masks[x * counter_.words_ + w] & occupied[w]);
      if (fits) avail[level.avail_at + x / 64] |= std::uint64_t{1} << (x % 64);
      any = any || fits;
    }
    if (!any) return 0;
  }
  std::copy(occupied, occupied + counter_.words_, occupied_.data() + depth * counter_.words_);
  const std::uint64_t count = popcnt_ ? Kernel<true>::Count(*this, depth, occupied, avail)
                                      : Kernel<false>::Count(*this, depth, occupied, avail);
  if (stopped_) return std::nullopt;
  return count;
}

}  // namespace kiremo::generator
