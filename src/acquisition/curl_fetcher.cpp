#include "acquisition/curl_fetcher.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace kiremo::acquisition {

namespace {

// No schedule page comes near this; a server that sends more is broken.
constexpr std::size_t kMaxBody = 32 * 1024 * 1024;

struct Transfer {
  std::string body;
  std::stop_token stop;
  bool too_large = false;
};

std::size_t Append(char* data, std::size_t size, std::size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const std::size_t bytes = size * count;
  if (transfer->body.size() + bytes > kMaxBody) {
    transfer->too_large = true;
    return 0;  // makes libcurl fail the transfer
  }
  transfer->body.append(data, bytes);
  return bytes;
}

// libcurl calls this often during a transfer, also while it waits for the
// connection or the first byte; a non-zero answer aborts it.
int CheckStop(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<Transfer*>(user)->stop.stop_requested() ? 1 : 0;
}

void InitialiseOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

}  // namespace

CurlFetcher::CurlFetcher(FetchTimeouts timeouts) : timeouts_(timeouts) { InitialiseOnce(); }

std::string CurlFetcher::DoGet(const std::string& url, std::stop_token stop) {
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  if (!easy) throw FetchError("libcurl: no handle");
  std::unique_ptr<curl_slist, ListDeleter> headers(curl_slist_append(nullptr, "Accept: text/html, */*"));
  if (!headers) throw FetchError("libcurl: no memory");

  Transfer transfer;
  transfer.stop = stop;
  char error_text[CURL_ERROR_SIZE] = {};
  CURL* h = easy.get();
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(h, CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Indy Library)");
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts_.connect.count()));
  curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(timeouts_.total.count()));
  // Worker threads: time-outs must not rely on signals.
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxBody));
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &Append);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &CheckStop);
  curl_easy_setopt(h, CURLOPT_XFERINFODATA, &transfer);
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, error_text);

  const CURLcode rc = curl_easy_perform(h);
  if (rc != CURLE_OK) {
    if (stop.stop_requested()) throw FetchError(url + ": stopped");
    if (transfer.too_large) throw FetchError(url + ": page too large");
    throw FetchError(url + ": " + (error_text[0] ? error_text : curl_easy_strerror(rc)));
  }
  long status = 0;
  curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
  if (status < 200 || status > 299) throw FetchError(url + ": HTTP " + std::to_string(status));
  return std::move(transfer.body);
}

}  // namespace kiremo::acquisition
