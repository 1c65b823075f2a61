#include "acquisition/version_check.h"

#include <gtest/gtest.h>

#include "acquisition/acquisition.h"
#include "acquisition/curl_fetcher.h"
#include "acquisition/messages.h"
#include "acquisition/queue_dispatcher.h"
#include "acquisition_fixture.h"
#include "text/cp1254.h"

namespace kiremo::acquisition {
namespace {

using namespace std::chrono_literals;

struct VersionCase {
  const char* what;
  std::string body;
  bool announced;
};

TEST(CheckVersionTest, AnnouncesEveryVersionTextThatIsNotExactlyOurs) {
  const std::string changes = std::string("- Otomatik güncelleme hızlandı\r\n- Çökme düzeldi"_w);
  const std::vector<VersionCase> cases = {
      {"the same text", "1.51", false},    {"a trailing line end", "1.51\r\n", true},
      {"a trailing blank", "1.51 ", true}, {"an older version", "1.50", true},
      {"an empty file", "", true},
  };
  for (const VersionCase& c : cases) {
    demo::ServerOptions options;
    options.version = c.body;
    options.changes = changes;
    auto server = testing::StartServer({}, options);
    CurlFetcher fetcher(kStartupTimeouts);
    testing::RecordingReport report;
    CheckVersion(fetcher, server->Url(), report);
    // Both files are fetched before anything is compared.
    EXPECT_EQ(server->Requests().size(), 2u) << c.what;
    EXPECT_TRUE(report.statuses.empty()) << c.what;
    ASSERT_EQ(report.notices.size(), c.announced ? 1u : 0u) << c.what;
    if (!c.announced) continue;
    EXPECT_EQ(report.notices[0],
              (Notice{std::string("Güncelleme"_w),
                      std::string("Yeni versiyonum çıkmış! \"Hakkında\" menüsünden web sayfama gidip yeni sürümümü "
                                  "indirebilirsin.\n\nDeğişiklikler:\n\n"_w) +
                          changes,
                      Icon::Warning}));
  }
}

TEST(CheckVersionTest, AFailedFetchIsAnErrorBeforeAnyComparison) {
  CurlFetcher fetcher(kStartupTimeouts);
  testing::RecordingReport report;
  EXPECT_THROW(CheckVersion(fetcher, testing::RefusingUrl(), report), FetchError);
  EXPECT_TRUE(report.notices.empty());
}

TEST(CheckVersionTest, AtStartUpEveryFailureIsSilent) {
  testing::ProgramFolder folder;
  testing::RecordingReport report;
  QueueDispatcher dispatcher;
  catalogue::CatalogueQuery query1(folder.MainConnection());
  CurlFetcher fetcher(kStartupTimeouts);
  for (const std::string& site : {testing::RefusingUrl(), std::string("http://127.0.0.1:1")}) {
    Acquisition acquisition(folder.Path(), report, dispatcher, query1, {}, fetcher, fetcher, {site, site});
    acquisition.CheckVersion();
  }
  EXPECT_TRUE(report.notices.empty());
  EXPECT_TRUE(report.errors.empty());
}

}  // namespace
}  // namespace kiremo::acquisition
