#pragma once

#include <cstdint>

namespace kiremo::generator {

// Follows the search node by node, in the order the nodes are tried: the
// root, then depth first every section of the next course row. Depth 1 is
// the first row; `candidate` is a position in the candidate list. Nothing
// is attached in the window, where nobody reads it.
class SearchTrace {
 public:
  virtual ~SearchTrace() = default;
  virtual void Root() = 0;
  // The section fits with every section above it on its path.
  virtual void Fits(int depth, int candidate) = 0;
  // The section clashes with one above it (or one above it clashes with itself).
  virtual void Clash(int depth, int candidate) = 0;
};

struct SearchProgress {
  double elapsed_seconds = 0;   // since the search began
  std::int64_t nodes = 0;       // sections tried so far
  std::int64_t timetables = 0;  // distinct timetables found (or counted, or ranked) so far, kept or not
};

// Lets a long search be watched and stopped. Poll is called on the thread
// that started the search, about every hundredth of a second while other
// threads walk (or every few thousand steps of a search that walks alone),
// unless the machine is starved; the window shows a progress box with a
// stop button once elapsed_seconds passes about half a second.
class SearchMonitor {
 public:
  virtual ~SearchMonitor() = default;
  // Returns true to stop the search; what was kept so far stays.
  virtual bool Poll(const SearchProgress& progress) = 0;
  // The search has ended, whatever the reason: a progress box closes here.
  virtual void Finished() = 0;
  // The last stop came from a time limit rather than from the student.
  virtual bool OutOfTime() const { return false; }
};

}  // namespace kiremo::generator
