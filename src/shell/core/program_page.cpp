#include "shell/core/program_page.h"

#include "shell/ui/hosts.h"

namespace kiremo::shell {

std::string ProgramPageUrl() { return SiteUrl() + "/yazilar/zemu-kiremo/"; }

}  // namespace kiremo::shell
