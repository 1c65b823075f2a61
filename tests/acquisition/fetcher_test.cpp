#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "acquisition/addresses.h"
#include "acquisition/curl_fetcher.h"
#include "acquisition_fixture.h"
#include "support/silent_server.h"
#include "text/cp1254.h"

namespace kiremo::acquisition {
namespace {

using namespace std::chrono_literals;
using testing::StartServer;

constexpr FetchTimeouts kShort{1000ms, 1500ms};

TEST(CurlFetcherTest, SendsTheTwoHeadersOverHttp11AndKeepsEveryByte) {
  std::string every_byte;
  for (int b = 0; b < 256; ++b) every_byte += static_cast<char>(b);
  auto server = StartServer({{"ELK", every_byte}});
  CurlFetcher fetcher(kShort);
  EXPECT_EQ(fetcher.Get(SchedulePageUrl(server->Url(), "ELK")), every_byte);
  const auto seen = server->Requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].version, "HTTP/1.1");
  EXPECT_EQ(seen[0].accept, "text/html, */*");
  EXPECT_EQ(seen[0].user_agent, "Mozilla/3.0 (compatible; Indy Library)");
}

TEST(CurlFetcherTest, TheCodeReachesTheServerUnchanged) {
  auto server = StartServer({});
  CurlFetcher fetcher(kShort);
  // Named first: clang 14 crashes on a "..."_w built into a string inside this list.
  constexpr std::string_view kCev = "ÇEV"_w;
  const std::vector<std::string> codes = {"ELK", "Elk", "", "ELK ", std::string(kCev), "A&B=C#D%E+F"};
  for (const std::string& code : codes) fetcher.Get(SchedulePageUrl(server->Url(), code));
  const auto seen = server->Requests();
  ASSERT_EQ(seen.size(), codes.size());
  for (std::size_t k = 0; k < codes.size(); ++k) {
    ASSERT_TRUE(seen[k].fb.has_value());
    EXPECT_EQ(*seen[k].fb, codes[k]);
  }
}

struct FailingCase {
  const char* name;
  demo::Failure failure;
  int status;
  FetchFault fault;  // what the student is told about
  long seen_status;
};

class CurlFetcherFailureTest : public ::testing::TestWithParam<FailingCase> {};

TEST_P(CurlFetcherFailureTest, IsAFetchErrorThatNamesTheFault) {
  const FailingCase& c = GetParam();
  demo::ServerOptions options;
  options.failure = c.failure;
  options.failure_status = c.status;
  auto server = StartServer({{"ELK", testing::SchedulePage({testing::SectionRow("1", "ELK 101")})}}, options);
  CurlFetcher fetcher(kShort);
  const std::string url = SchedulePageUrl(server->Url(), "ELK");
  const auto started = std::chrono::steady_clock::now();
  try {
    fetcher.Get(url);
    ADD_FAILURE() << "no error";
  } catch (const FetchError& e) {
    EXPECT_EQ(e.fault(), c.fault);
    EXPECT_EQ(e.status(), c.seen_status);
    EXPECT_EQ(e.url(), url);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);  // a stalled server is given up on
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, CurlFetcherFailureTest,
    ::testing::Values(FailingCase{"NotFound", demo::Failure::Status, 404, FetchFault::Status, 404},
                      FailingCase{"ServerError", demo::Failure::Status, 500, FetchFault::Status, 500},
                      FailingCase{"BareRedirectStatus", demo::Failure::Status, 302, FetchFault::Redirect, 302},
                      FailingCase{"Redirect", demo::Failure::Redirect, 0, FetchFault::Redirect, 302},
                      FailingCase{"ClosedMidBody", demo::Failure::Close, 0, FetchFault::CutShort, 0},
                      FailingCase{"Stalled", demo::Failure::Stall, 0, FetchFault::Timeout, 0},
                      FailingCase{"Oversized", demo::Failure::Oversized, 0, FetchFault::TooLarge, 0},
                      FailingCase{"Undecodable", demo::Failure::Garbled, 0, FetchFault::Undecodable, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CurlFetcherTest, ARefusedConnectionIsAFetchError) {
  CurlFetcher fetcher(kShort);
  try {
    fetcher.Get(DepartmentIndexUrl(testing::RefusingUrl()));
    ADD_FAILURE() << "no error";
  } catch (const FetchError& e) {
    EXPECT_EQ(e.fault(), FetchFault::Connection);
  }
  EXPECT_THROW(fetcher.Get("http://127.0.0.1:0/"), FetchError);
  EXPECT_THROW(fetcher.Get("file:///etc/passwd"), FetchError);
}

// The wait for an answer is woken by the stop request itself: a student who
// gives up never waits for the transfer's next look at the clock.
TEST(CurlFetcherTest, AStopRequestEndsAStalledTransferAtOnce) {
  testing_support::SilentServer silent;
  CurlFetcher fetcher({1000ms, 60000ms});
  std::stop_source stop;
  std::thread stopper([&] {
    while (silent.Connections() == 0) std::this_thread::sleep_for(5ms);
    std::this_thread::sleep_for(100ms);
    stop.request_stop();
  });
  const auto started = std::chrono::steady_clock::now();
  try {
    fetcher.Get(silent.Url() + "/tr/ders_programlari/LSprogramlar/prg.php", stop.get_token());
    ADD_FAILURE() << "no error";
  } catch (const FetchError& e) {
    EXPECT_EQ(e.fault(), FetchFault::Stopped);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
  stopper.join();
}

}  // namespace
}  // namespace kiremo::acquisition
