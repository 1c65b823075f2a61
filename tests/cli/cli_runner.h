#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Runs the built kiremo-cli as a student or a script would, and keeps what
// it printed.
namespace kiremo::testing_support {

struct CliResult {
  int status = -1;  // exit status; -1 when the program did not exit normally
  std::string out;  // UTF-8
  std::string err;
};

inline std::string ReadCapture(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A program with the given words.
inline CliResult RunProgram(const std::string& program, const std::vector<std::string>& words) {
  const auto capture = std::filesystem::temp_directory_path() / ("kiremo-cli-" + std::to_string(::getpid()));
  const std::string out_path = capture.string() + ".out";
  const std::string err_path = capture.string() + ".err";

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);

  CliResult result;
  const pid_t child = ::fork();
  if (child == 0) {
    const int out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int in = ::open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || in < 0) ::_exit(127);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  result.out = ReadCapture(out_path);
  result.err = ReadCapture(err_path);
  std::filesystem::remove(out_path);
  std::filesystem::remove(err_path);
  return result;
}

// kiremo-cli with its files limited to `file_size_limit` bytes each (a
// write beyond fails as on a full disk); its output comes through pipes,
// which the limit does not touch.
inline CliResult RunCliWithFileSizeLimit(const std::vector<std::string>& words, rlim_t file_size_limit) {
  const std::string program = std::string(KIREMO_BIN_DIR) + "/kiremo-cli";
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);

  int out[2];
  int err[2];
  if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{file_size_limit, file_size_limit};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::dup2(out[1], 1);
    ::dup2(err[1], 2);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  CliResult result;
  pollfd pipes[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* texts[2] = {&result.out, &result.err};
  for (int open = 2; open > 0;) {
    if (::poll(pipes, 2, -1) < 0) break;
    for (int k = 0; k < 2; ++k) {
      if (pipes[k].fd < 0 || pipes[k].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = ::read(pipes[k].fd, buffer, sizeof buffer);
      if (n > 0) {
        texts[k]->append(buffer, static_cast<std::size_t>(n));
      } else {
        ::close(pipes[k].fd);
        pipes[k].fd = -1;
        --open;
      }
    }
  }
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  return result;
}

// kiremo-cli from the build's program folder, with the given words.
inline CliResult RunCli(const std::vector<std::string>& words) {
  return RunProgram(std::string(KIREMO_BIN_DIR) + "/kiremo-cli", words);
}

}  // namespace kiremo::testing_support
