#pragma once

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs a piece of a test in a child process: one whose files may not grow
// past a limit (a write beyond it fails as it would on a full disk), or one
// that runs as another user. The rest of the test program stays as it is.
namespace kiremo::testing_support {

// The child's result (what `work` returns, 0..255), or -1 when the child
// did not end normally. `work` runs in a copy of the calling process that
// has only the calling thread.
template <typename Work>
int InChildWithFileSizeLimit(rlim_t bytes, Work&& work) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
    const rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    int result = 255;
    try {
      result = work();
    } catch (...) {
    }
    ::_exit(result);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Runs `work` in a child process whose user and group are `uid` (root may
// take any number, listed in /etc/passwd or not). The child's result, or -1
// when it could not become that user or did not end normally.
template <typename Work>
int InChildAsUser(uid_t uid, Work&& work) {
  const pid_t child = ::fork();
  if (child == 0) {
    int result = 254;
    if (::setresgid(uid, uid, uid) == 0 && ::setresuid(uid, uid, uid) == 0) {
      result = 255;
      try {
        result = work();
      } catch (...) {
      }
    }
    ::_exit(result);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status) == 254 ? -1 : WEXITSTATUS(status);
}

}  // namespace kiremo::testing_support
