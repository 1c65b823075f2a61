#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace kiremo::catalogue {

// Readers and the switch of the catalogue pair exclude each other: a reader
// holds the catalogue folder locked shared (flock(2)) while it reads the
// department list or opens the catalogue, and the switch holds it exclusive
// for its renames, so that no reader meets one of the pair renamed and the
// other not. The folder itself is locked, not a file in it, so that a
// reader needs no right to write there. Separate from the writers' lock
// (FolderLock), which an update holds for its whole run.
class PairLock {
 public:
  enum class Mode { Shared, Exclusive };

  // The lock of `folder`, waited for up to `patience`; nothing when it could
  // not be had in that time. A folder that cannot be opened or locked (a
  // file system without locks) gives a lock that holds nothing: nobody
  // could hold it against us either.
  static std::optional<PairLock> Take(const std::string& folder, Mode mode, std::chrono::milliseconds patience);

  PairLock(PairLock&& other) noexcept;
  PairLock& operator=(PairLock&& other) noexcept;
  PairLock(const PairLock&) = delete;
  PairLock& operator=(const PairLock&) = delete;
  ~PairLock();

 private:
  explicit PairLock(int fd) : fd_(fd) {}

  int fd_ = -1;
};

// How long a reader or a switch waits for the other: a switch renames two
// files, a reader reads a small file or opens the catalogue.
inline constexpr std::chrono::seconds kPairPatience{10};

}  // namespace kiremo::catalogue
