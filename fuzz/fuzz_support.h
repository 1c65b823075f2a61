#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

// What every fuzz target shares: a failed expectation stops the run with a
// message (libFuzzer then keeps the input), and a scratch folder of the
// process's own for targets that must go through files.
namespace kiremo::fuzz {

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: expectation failed: %s\n", file, line, what);
  std::abort();
}

#define KIREMO_EXPECT(condition) \
  ((condition) ? static_cast<void>(0) : ::kiremo::fuzz::Fail(#condition, __FILE__, __LINE__))

// A folder created on first use and removed when the process exits, ending
// in "/". It lives in memory (/dev/shm) when the system has it, so that the
// writes and flushes of every input never wait for a disk.
inline const std::string& ScratchFolder() {
  static const std::string folder = [] {
    std::error_code error;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, error) || ::access(base.c_str(), W_OK) != 0) {
      base = std::filesystem::temp_directory_path();
    }
    std::string pattern = (base / "kiremo-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
      std::perror("mkdtemp");
      std::abort();
    }
    static std::string removed_at_exit;
    removed_at_exit = pattern;
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(removed_at_exit, ignored);
    });
    return pattern + "/";
  }();
  return folder;
}

inline std::string_view Bytes(const unsigned char* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace kiremo::fuzz
