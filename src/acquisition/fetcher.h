#pragma once

#include <stop_token>
#include <string>

#include "text/errors.h"

namespace kiremo::acquisition {

// A page that could not be fetched: no connection, a time-out, a status
// other than 2xx (redirects included), a body cut short, or a stop request.
class FetchError : public Error {
 public:
  using Error::Error;
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
