#pragma once

#include <chrono>

#include "acquisition/fetcher.h"

namespace kiremo::acquisition {

struct FetchTimeouts {
  std::chrono::milliseconds connect;
  std::chrono::milliseconds total;
};

// Catalogue pages: long enough for a slow university server, short enough
// that a dead one never freezes the window or a worker for good.
inline constexpr FetchTimeouts kPageTimeouts{std::chrono::seconds(10), std::chrono::seconds(60)};
// The version check delays the window's first appearance: a few seconds only.
inline constexpr FetchTimeouts kStartupTimeouts{std::chrono::seconds(2), std::chrono::seconds(4)};

// The fetch over libcurl: one easy handle per request, redirects not
// followed, the headers "Accept: text/html, */*" and
// "User-Agent: Mozilla/3.0 (compatible; Indy Library)", and
// "Accept-Encoding: gzip, deflate"; any content encoding libcurl can undo is
// undone.
class CurlFetcher : public Fetcher {
 public:
  explicit CurlFetcher(FetchTimeouts timeouts = kPageTimeouts);

 private:
  std::string DoGet(const std::string& url, std::stop_token stop) override;

  FetchTimeouts timeouts_;
};

}  // namespace kiremo::acquisition
