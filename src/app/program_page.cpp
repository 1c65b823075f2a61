#include "app/program_page.h"

#include "acquisition/hosts.h"

namespace kiremo::app {

std::string ProgramPageUrl() { return SiteUrl() + "/yazilar/zemu-kiremo/"; }

}  // namespace kiremo::app
