#include "demo_server/schedule_server.h"

#include <httplib.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace kiremo::demo {

namespace {

constexpr const char* kSchedulePath = "/tr/ders_programlari/LSprogramlar/prg.php";
constexpr const char* kHtml = "text/html; charset=windows-1254";
constexpr const char* kText = "text/plain; charset=windows-1254";

// What the university's server answers for a code it does not know: a page
// without a section table.
std::string NoSuchDepartmentPage() {
  return std::string(
      "<html><head><title>Ders Programı</title></head><body><p>Bu bölüm için açılan ders bulunamadı.</p></body></html>\n"_w);
}

std::string AboutPage() {
  return std::string(
      "<html><head><title>ZEMÜ Kiremo</title></head><body><h1>ZEMÜ Kiremo</h1>"
      "<p>ZEMÜ öğrencileri için ders programı planlayıcısı. Bu sayfa tanıtım sunucusundan geliyor.</p>"
      "</body></html>\n"_w);
}

// The bytes compressed as a gzip member (gzip) or a zlib stream (deflate).
std::string Compressed(const std::string& bytes, bool gzip) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, gzip ? 31 : 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    throw std::runtime_error("zlib");
  }
  std::string out(deflateBound(&stream, bytes.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int rc = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (rc != Z_STREAM_END) throw std::runtime_error("zlib");
  return out;
}

// Bytes sent as they are, with their length: the server's own compression,
// which follows what the client asks for, is left out.
void SendExactly(httplib::Response& res, std::string bytes, const char* encoding) {
  if (encoding) res.set_header("Content-Encoding", encoding);
  const std::size_t size = bytes.size();
  res.set_content_provider(size, kHtml,
                           [bytes = std::move(bytes)](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                             return sink.write(bytes.data() + offset, std::min(length, bytes.size() - offset));
                           });
}

}  // namespace

PageSource FolderPages(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return [folder](const std::string& name) -> std::optional<std::string> {
    // Codes come from the request: keep them inside the folder.
    if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos || name == "." || name == "..") {
      return std::nullopt;
    }
    std::ifstream in(folder + name + ".html", std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  };
}

PageSource MemoryPages(std::map<std::string, std::string> pages) {
  return [pages = std::move(pages)](const std::string& name) -> std::optional<std::string> {
    const auto found = pages.find(name);
    if (found == pages.end()) return std::nullopt;
    return found->second;
  };
}

ScheduleServer::ScheduleServer(PageSource pages, ServerOptions options)
    : pages_(std::move(pages)), options_(std::move(options)), server_(std::make_unique<httplib::Server>()) {
  server_->new_task_queue = [] { return new httplib::ThreadPool(16); };
  Routes();
}

ScheduleServer::~ScheduleServer() { Stop(); }

int ScheduleServer::Start(int port) {
  if (port == 0) {
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ < 0) throw std::runtime_error("no free port on 127.0.0.1");
  } else {
    if (!server_->bind_to_port("127.0.0.1", port)) {
      throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(port));
    }
    port_ = port;
  }
  auto ended = std::make_shared<std::atomic<bool>>(false);
  listener_ = std::thread([this, ended] {
    server_->listen_after_bind();
    *ended = true;
  });
  // A stop before the loop runs would go unnoticed and leave it accepting.
  while (!server_->is_running()) {
    if (*ended) {
      listener_.join();
      throw std::runtime_error("the server loop ended at once");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return port_;
}

void ScheduleServer::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stopping_cv_.notify_all();
  server_->stop();
  if (listener_.joinable()) listener_.join();
}

std::string ScheduleServer::Url() const { return "http://127.0.0.1:" + std::to_string(port_); }

int ScheduleServer::DepartmentPagesAsked() const {
  std::lock_guard lock(mutex_);
  return department_pages_;
}

std::vector<SeenRequest> ScheduleServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

bool ScheduleServer::Sleep(std::chrono::milliseconds time) {
  std::unique_lock lock(mutex_);
  return !stopping_cv_.wait_for(lock, time, [&] { return stopping_; });
}

void ScheduleServer::Routes() {
  // Noted before the answer goes out, so a client that has its page can
  // count on its request being seen.
  server_->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response&) {
    SeenRequest seen{req.path, std::nullopt, req.version, req.get_header_value("Accept"),
                     req.get_header_value("User-Agent")};
    if (req.has_param("fb")) seen.fb = req.get_param_value("fb");
    std::lock_guard lock(mutex_);
    requests_.push_back(std::move(seen));
    return httplib::Server::HandlerResponse::Unhandled;
  });

  server_->Get(kSchedulePath, [this](const httplib::Request& req, httplib::Response& res) {
    if (!req.has_param("fb")) {
      const auto index = pages_("index");
      if (!index) {
        res.status = 404;
        return;
      }
      res.set_content(*index, kHtml);
      return;
    }
    int number = 0;
    {
      std::lock_guard lock(mutex_);
      number = ++department_pages_;
    }
    if (options_.delay.count() > 0 && !Sleep(options_.delay)) {
      res.status = 503;
      return;
    }
    const std::string page = pages_(UpperAscii(req.get_param_value("fb"))).value_or(NoSuchDepartmentPage());
    if (options_.failure == Failure::None || number <= options_.fail_after) {
      res.set_content(page, kHtml);
      return;
    }
    switch (options_.failure) {
      case Failure::Status:
        res.status = options_.failure_status;
        res.set_content(std::string("<html><body>Sunucu hatası</body></html>\n"_w), kHtml);
        break;
      case Failure::Redirect: res.set_redirect("/tasindi" + req.target, 302); break;
      case Failure::Close: {
        const std::size_t half = page.size() / 2;
        res.set_content_provider(page.size(), kHtml,
                                 [page, half](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                   if (offset == 0 && half > 0) return sink.write(page.data(), half);
                                   return false;  // closes the connection mid-body
                                 });
        break;
      }
      case Failure::Oversized: {
        constexpr std::size_t kSize = 64 * 1024 * 1024 + 1;
        res.set_content_provider(kSize, kHtml, [](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
          static const std::string filler(65536, 'x');
          return sink.write(filler.data(), std::min({length, filler.size(), kSize - offset}));
        });
        break;
      }
      case Failure::Truncated: SendExactly(res, page.substr(0, page.size() / 2), nullptr); break;
      case Failure::Gzip: SendExactly(res, Compressed(page, true), "gzip"); break;
      case Failure::Deflate: SendExactly(res, Compressed(page, false), "deflate"); break;
      case Failure::Garbled: SendExactly(res, "\x1f\x8b" + page, "gzip"); break;
      case Failure::Stall:
        Sleep(std::chrono::hours(24));
        res.status = 503;
        break;
      case Failure::None: break;
    }
  });

  server_->Get("/kiremo/version.txt",
               [this](const httplib::Request&, httplib::Response& res) { res.set_content(options_.version, kText); });
  server_->Get("/kiremo/duzeltme.txt",
               [this](const httplib::Request&, httplib::Response& res) { res.set_content(options_.changes, kText); });
  server_->Get("/yazilar/zemu-kiremo/",
               [](const httplib::Request&, httplib::Response& res) { res.set_content(AboutPage(), kHtml); });
}

}  // namespace kiremo::demo
