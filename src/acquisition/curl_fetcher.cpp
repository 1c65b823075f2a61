#include "acquisition/curl_fetcher.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

#include "catalogue/file_system.h"

namespace kiremo::acquisition {

namespace {

struct Transfer {
  std::string body;
  bool too_large = false;
};

std::size_t Append(char* data, std::size_t size, std::size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const std::size_t bytes = size * count;
  // No schedule page comes near this; a server that sends more is broken.
  // The bytes counted are the page's, after any compression is undone.
  if (transfer->body.size() + bytes > kSchedulePageLimit) {
    transfer->too_large = true;
    return 0;  // makes libcurl fail the transfer
  }
  transfer->body.append(data, bytes);
  return bytes;
}

void InitialiseOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// Runs the transfer; a stop request wakes the wait at once and ends it, so
// that a cancelled fetch never keeps the student waiting.
CURLcode Perform(CURL* easy, std::stop_token stop) {
  std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
  if (!multi || curl_multi_add_handle(multi.get(), easy) != CURLM_OK) return CURLE_FAILED_INIT;
  CURLcode result = CURLE_OK;
  {
    std::stop_callback wake(stop, [m = multi.get()] { curl_multi_wakeup(m); });
    int running = 1;
    while (running > 0) {
      if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
        result = CURLE_FAILED_INIT;
        break;
      }
      if (running == 0) break;
      if (stop.stop_requested()) {
        result = CURLE_ABORTED_BY_CALLBACK;
        break;
      }
      curl_multi_poll(multi.get(), nullptr, 0, 1000, nullptr);
    }
    int left = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
      if (message->msg == CURLMSG_DONE && result == CURLE_OK) result = message->data.result;
    }
  }
  curl_multi_remove_handle(multi.get(), easy);
  return result;
}

FetchFault FaultOf(CURLcode rc, CURL* easy, const Transfer& transfer) {
  if (transfer.too_large || rc == CURLE_FILESIZE_EXCEEDED) return FetchFault::TooLarge;
  switch (rc) {
    case CURLE_OPERATION_TIMEDOUT: {
      curl_off_t connected = 0;
      curl_easy_getinfo(easy, CURLINFO_CONNECT_TIME_T, &connected);
      return connected > 0 ? FetchFault::Timeout : FetchFault::Connection;
    }
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING: return FetchFault::CutShort;
    case CURLE_BAD_CONTENT_ENCODING: return FetchFault::Undecodable;
    default: return FetchFault::Connection;
  }
}

void SetOptions(CURL* h, const std::string& url, curl_slist* headers, Transfer& transfer, FetchTimeouts timeouts) {
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(h, CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Indy Library)");
  // A compressed body is undone, asked for or not, so that it is never
  // taken for the page; a body in an encoding libcurl cannot undo fails the
  // transfer. Only gzip and deflate are asked for: a server compressing a
  // page with brotli at its highest level takes seconds for it.
  curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts.connect.count()));
  curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(timeouts.total.count()));
  // Worker threads: time-outs must not rely on signals.
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kSchedulePageLimit));
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &Append);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
}

}  // namespace

CurlFetcher::CurlFetcher(FetchTimeouts timeouts) : timeouts_(timeouts) { InitialiseOnce(); }

std::string CurlFetcher::DoGet(const std::string& url, std::stop_token stop) {
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  if (!easy) throw FetchError("libcurl: no handle");
  std::unique_ptr<curl_slist, ListDeleter> headers(curl_slist_append(nullptr, "Accept: text/html, */*"));
  if (!headers) throw FetchError("libcurl: no memory");

  Transfer transfer;
  char error_text[CURL_ERROR_SIZE] = {};
  CURL* h = easy.get();
  SetOptions(h, url, headers.get(), transfer, timeouts_);
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, error_text);

  const CURLcode rc = Perform(h, stop);
  if (rc != CURLE_OK) {
    if (stop.stop_requested()) throw FetchError(url + ": stopped", FetchFault::Stopped, url);
    const FetchFault fault = FaultOf(rc, h, transfer);
    if (fault == FetchFault::TooLarge) throw FetchError(url + ": page too large", fault, url);
    throw FetchError(url + ": " + (error_text[0] ? error_text : curl_easy_strerror(rc)), fault, url);
  }
  long status = 0;
  curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
  if (status < 200 || status > 299) {
    const FetchFault fault = status >= 300 && status <= 399 ? FetchFault::Redirect : FetchFault::Status;
    throw FetchError(url + ": HTTP " + std::to_string(status), fault, url, status);
  }
  return std::move(transfer.body);
}

}  // namespace kiremo::acquisition
