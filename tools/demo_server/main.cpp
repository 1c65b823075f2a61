// kiremo-demo-server: the demo term's schedule pages, the version files and
// the about page on 127.0.0.1, until interrupted.
#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "demo_server/schedule_server.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace {

using kiremo::operator""_w;

constexpr const char* kUsage =
    "kullanım: kiremo-demo-server [--pages KLASÖR] [--port N] [--delay-ms N]\n"
    "                             [--fail-after N]\n"
    "                             [--failure 500|404|...|redirect|close|stall|truncated|gzip|deflate|garbled]\n"
    "                             [--version METİN] [--changes-file DOSYA]\n"
    "  --pages         index.html ve <KOD>.html sayfalarının klasörü (varsayılan: ../demo/pages)\n"
    "  --port          dinlenecek kapı; 0 boş bir kapı seçer (varsayılan 8642)\n"
    "  --delay-ms      her bölüm sayfasından önce bekleme\n"
    "  --fail-after    bu kadar bölüm sayfasından sonra --failure başlar (varsayılan 0)\n"
    "  --failure       hata durumu kodu, yönlendirme, yarıda kesilen bağlantı, hiç yanıt vermemek,\n"
    "                  yarısı gönderilen sayfa, istenmeden sıkıştırılmış ya da açılamayan gövde\n"
    "  --version       /kiremo/version.txt içeriği (varsayılan 1.51)\n"
    "  --changes-file  /kiremo/duzeltme.txt içeriği (Windows-1254)\n";

std::string ExecutableFolder() {
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : path.parent_path().string();
}

int Number(const std::string& option, const std::string& text) {
  const int value = kiremo::StrToIntDef(text, -1);
  if (value < 0) throw std::invalid_argument(option + " bir sayı ister: " + text);
  return value;
}

void ApplyFailure(const std::string& text, kiremo::demo::ServerOptions& options) {
  using kiremo::demo::Failure;
  if (text == "redirect") {
    options.failure = Failure::Redirect;
  } else if (text == "close") {
    options.failure = Failure::Close;
  } else if (text == "stall") {
    options.failure = Failure::Stall;
  } else if (text == "truncated") {
    options.failure = Failure::Truncated;
  } else if (text == "gzip") {
    options.failure = Failure::Gzip;
  } else if (text == "deflate") {
    options.failure = Failure::Deflate;
  } else if (text == "garbled") {
    options.failure = Failure::Garbled;
  } else {
    const int status = Number("--failure", text);
    if (status < 100 || status > 599) throw std::invalid_argument("--failure: bilinmeyen hata: " + text);
    options.failure = Failure::Status;
    options.failure_status = status;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::map<std::string, std::string> values;
  const std::vector<std::string> valued = {"--pages",   "--port",    "--delay-ms",    "--fail-after",
                                           "--failure", "--version", "--changes-file"};
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--help") {
      std::cout << kUsage;
      return 0;
    }
    if (std::find(valued.begin(), valued.end(), word) == valued.end() || i + 1 >= argc) {
      std::cerr << kUsage;
      return 2;
    }
    values[word] = argv[++i];
  }

  kiremo::demo::ServerOptions options;
  options.changes = std::string("Tanıtım sunucusu: değişiklik listesi yok.\r\n"_w);
  int port = 8642;
  std::string pages = ExecutableFolder() + "/../demo/pages";
  try {
    if (values.count("--pages")) pages = values["--pages"];
    if (values.count("--port")) port = Number("--port", values["--port"]);
    if (values.count("--delay-ms"))
      options.delay = std::chrono::milliseconds(Number("--delay-ms", values["--delay-ms"]));
    if (values.count("--fail-after")) options.fail_after = Number("--fail-after", values["--fail-after"]);
    if (values.count("--failure")) ApplyFailure(values["--failure"], options);
    if (values.count("--version")) options.version = values["--version"];
    if (values.count("--changes-file")) {
      std::ifstream in(values["--changes-file"], std::ios::binary);
      if (!in) throw std::invalid_argument("okunamadı: " + values["--changes-file"]);
      std::ostringstream bytes;
      bytes << in.rdbuf();
      options.changes = bytes.str();
    }
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n' << kUsage;
    return 2;
  }
  if (!std::filesystem::is_directory(pages)) {
    std::cerr << "sayfa klasörü yok: " << pages << '\n';
    return 1;
  }

  // The listener's threads must not take the signals meant for the wait below.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  kiremo::demo::ScheduleServer server(kiremo::demo::FolderPages(pages), options);
  try {
    server.Start(port);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  std::cout << server.Url() << std::endl;

  int received = 0;
  sigwait(&signals, &received);
  server.Stop();
  return 0;
}
