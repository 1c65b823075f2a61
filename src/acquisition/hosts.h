#pragma once

#include <string>

// The servers the program talks to, from the environment, with defaults
// under the reserved ".example" domain.
namespace kiremo {

// KIREMO_SCHEDULE_URL: the university's schedule server, without a final "/".
std::string ScheduleServerUrl();
// KIREMO_SITE_URL: the program's web site (version files, about page),
// without a final "/".
std::string SiteUrl();
// KIREMO_FORUM_URL: the discussion forum; lookups append "viewtopic.php?...",
// so this one ends in "/".
std::string ForumUrl();

}  // namespace kiremo
