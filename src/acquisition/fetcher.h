#pragma once

#include <stop_token>
#include <string>

#include "text/errors.h"

namespace kiremo::acquisition {

// What went wrong with a fetch, so that the student is told what happened.
enum class FetchFault {
  Connection,   // no connection could be made (refused, unknown host)
  Timeout,      // the server took too long
  Status,       // an error status (4xx, 5xx, or anything but 2xx and 3xx)
  Redirect,     // a redirect (3xx), which is not followed
  TooLarge,     // a body beyond the page limit
  CutShort,     // the connection ended before the whole body came
  Incomplete,   // the whole body came, but the page in it ends inside its section table
  Undecodable,  // a body in an encoding (compression) that cannot be undone
  Stopped,      // a stop request ended it
};

// A page that could not be fetched. The message is the address and the
// transfer's own reason, for logs; fault(), status() and url() are for the
// student's message.
class FetchError : public Error {
 public:
  explicit FetchError(const std::string& message, FetchFault fault = FetchFault::Connection, std::string url = {},
                      long status = 0)
      : Error(message), fault_(fault), url_(std::move(url)), status_(status) {}

  FetchFault fault() const { return fault_; }
  const std::string& url() const { return url_; }
  long status() const { return status_; }

 private:
  FetchFault fault_;
  std::string url_;
  long status_;
};

// Fetches one address with an HTTP/1.1 GET and gives its body byte for byte.
// Get may be called from several threads at once; every call is a request of
// its own. A stop request ends a running transfer with a FetchError.
class Fetcher {
 public:
  virtual ~Fetcher() = default;

  std::string Get(const std::string& url, std::stop_token stop = {}) { return DoGet(url, stop); }

 private:
  virtual std::string DoGet(const std::string& url, std::stop_token stop) = 0;
};

}  // namespace kiremo::acquisition
