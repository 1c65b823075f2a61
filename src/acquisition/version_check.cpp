#include "acquisition/version_check.h"

#include "acquisition/addresses.h"
#include "acquisition/messages.h"
#include "text/program.h"

namespace kiremo::acquisition {

void CheckVersion(Fetcher& fetcher, const std::string& site_host, UpdateReport& report) {
  const std::string version = fetcher.Get(VersionFileUrl(site_host));
  const std::string changes = fetcher.Get(ChangesFileUrl(site_host));
  if (version == kVersionText) return;
  report.Show({std::string(kCaptionUpdate), std::string(kNewVersionIntro) + changes, Icon::Warning});
}

}  // namespace kiremo::acquisition
