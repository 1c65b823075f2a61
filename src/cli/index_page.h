#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kiremo::cli {

// The department codes of the schedule server's department index page, as
// the department list update reads them: the page cut at every "</option>",
// the first piece skipped, and from every other piece the three characters
// after its first `">`, trimmed. Pieces without `">` and empty codes give
// nothing.
std::vector<std::string> DepartmentCodesOfIndexPage(std::string_view page);

}  // namespace kiremo::cli
