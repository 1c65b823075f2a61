#include "catalogue/pair_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <utility>

namespace kiremo::catalogue {

std::optional<PairLock> PairLock::Take(const std::string& folder, Mode mode, std::chrono::milliseconds patience) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return PairLock(-1);
  const int operation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    if (::flock(fd, operation) == 0) return PairLock(fd);
    if (errno != EWOULDBLOCK && errno != EINTR) {
      ::close(fd);
      return PairLock(-1);
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      ::close(fd);
      return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

PairLock::PairLock(PairLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

PairLock& PairLock::operator=(PairLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

PairLock::~PairLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace kiremo::catalogue
