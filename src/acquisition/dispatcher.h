#pragma once

#include <functional>

namespace kiremo::acquisition {

// Hands work to the window's thread. Post returns at once and keeps the
// order of the posts; PostAndWait returns when the work has run (a message
// box the caller must wait for). Both may be called from any thread.
class Dispatcher {
 public:
  virtual ~Dispatcher() = default;
  virtual void Post(std::function<void()> work) = 0;
  virtual void PostAndWait(std::function<void()> work) = 0;
};

}  // namespace kiremo::acquisition
