#include "catalogue/file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "text/cp1254.h"
#include "text/errno_text.h"
#include "text/errors.h"

namespace kiremo {

std::string SystemReason() { return ErrnoText(errno); }

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw IoError(path + ": " + SystemReason());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw IoError(path + ": " + SystemReason());
  return bytes.str();
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string temporary = path + ".yeni";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw IoError(path + ": " + SystemReason());
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      const std::string reason = SystemReason();
      ::close(fd);
      ::unlink(temporary.c_str());
      throw IoError(path + ": " + reason);
    }
    written += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    const std::string reason = SystemReason();
    ::unlink(temporary.c_str());
    throw IoError(path + ": " + reason);
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string reason = SystemReason();
    ::unlink(temporary.c_str());
    throw IoError(path + ": " + reason);
  }
}

void ReplaceFile(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) throw IoError(to + ": " + SystemReason());
}

bool CopyFileNoOverwrite(const std::string& from, const std::string& to) {
  std::error_code error;
  return std::filesystem::copy_file(from, to, std::filesystem::copy_options::skip_existing, error) && !error;
}

}  // namespace kiremo
