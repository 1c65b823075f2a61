#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

// A stand-in for the university's schedule server and the program's web
// site, on 127.0.0.1 only: the department index page, one schedule page per
// department, the version files and the about page. Pages are served as the
// bytes they are (Windows-1254). Options make department pages slow or
// failing, for tests.
namespace kiremo::demo {

enum class Failure {
  None,
  Status,     // an error status (failure_status)
  Redirect,   // a redirect to the same page elsewhere
  Close,      // headers and half the body, then the connection is closed
  Stall,      // the request is never answered
  Oversized,  // a body larger than any page may be (sent only as far as the client reads)
  Truncated,  // the first half of the page, with a length that says it is all
  Gzip,       // the page compressed with gzip, whether the client asked for it or not
  Deflate,    // the same with deflate (zlib)
  Garbled,    // a body said to be gzip that is not
};

struct ServerOptions {
  std::chrono::milliseconds delay{0};  // before every department page
  int fail_after = 0;                  // department pages served before failures start
  Failure failure = Failure::None;
  int failure_status = 500;
  std::string version = "1.51";  // body of /kiremo/version.txt
  std::string changes;           // body of /kiremo/duzeltme.txt (Windows-1254)
};

// Pages by name: "index" for the department index page, otherwise a
// department code as the request gives it, upper-cased. Nothing for a page
// that does not exist.
using PageSource = std::function<std::optional<std::string>(const std::string& name)>;

// <folder>/index.html and <folder>/<CODE>.html.
PageSource FolderPages(std::string folder);
PageSource MemoryPages(std::map<std::string, std::string> pages);

// What a request looked like, for tests.
struct SeenRequest {
  std::string path;
  std::optional<std::string> fb;  // the decoded query value, when there is one
  std::string version;            // "HTTP/1.1"
  std::string accept;
  std::string user_agent;
};

class ScheduleServer {
 public:
  ScheduleServer(PageSource pages, ServerOptions options);
  ~ScheduleServer();
  ScheduleServer(const ScheduleServer&) = delete;
  ScheduleServer& operator=(const ScheduleServer&) = delete;

  // Listens on 127.0.0.1:port (0 picks a free port) and returns the port.
  // std::runtime_error when the port cannot be had.
  int Start(int port = 0);
  // Ends stalled and delayed answers and stops listening.
  void Stop();

  std::string Url() const;  // "http://127.0.0.1:<port>"
  int DepartmentPagesAsked() const;
  std::vector<SeenRequest> Requests() const;

 private:
  void Routes();
  // Waits for the time or until Stop; false when stopped.
  bool Sleep(std::chrono::milliseconds time);

  PageSource pages_;
  ServerOptions options_;
  std::unique_ptr<httplib::Server> server_;
  std::thread listener_;
  int port_ = 0;

  mutable std::mutex mutex_;
  std::condition_variable stopping_cv_;
  bool stopping_ = false;
  int department_pages_ = 0;
  std::vector<SeenRequest> requests_;
};

}  // namespace kiremo::demo
