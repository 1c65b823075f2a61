#include "acquisition/hosts.h"

#include <cstdlib>

namespace kiremo {

namespace {

std::string FromEnvironment(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  std::string url = value && *value ? value : fallback;
  while (!url.empty() && url.back() == '/') url.pop_back();
  return url;
}

}  // namespace

std::string ScheduleServerUrl() { return FromEnvironment("KIREMO_SCHEDULE_URL", "http://ders.zemu.example"); }

std::string SiteUrl() { return FromEnvironment("KIREMO_SITE_URL", "http://kiremo.zemu.example"); }

std::string ForumUrl() { return FromEnvironment("KIREMO_FORUM_URL", "http://forum.zemu.example") + "/"; }

}  // namespace kiremo
