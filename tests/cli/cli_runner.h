#pragma once

#include <fcntl.h>
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

// kiremo-cli from the build's program folder, with the given words.
inline CliResult RunCli(const std::vector<std::string>& words) {
  return RunProgram(std::string(KIREMO_BIN_DIR) + "/kiremo-cli", words);
}

}  // namespace kiremo::testing_support
