#pragma once

#include <string>
#include <string_view>

// The addresses the acquisition fetches. Hosts are given without a final "/"
// (acquisition/hosts.h reads them from the environment).
namespace kiremo::acquisition {

inline constexpr std::string_view kSchedulePath = "/tr/ders_programlari/LSprogramlar/prg.php";
inline constexpr std::string_view kVersionPath = "/kiremo/version.txt";
inline constexpr std::string_view kChangesPath = "/kiremo/duzeltme.txt";

// The department index page: the schedule path without a query.
std::string DepartmentIndexUrl(std::string_view schedule_host);

// One department's schedule page: "?fb=" and the code as given. The code's
// bytes reach the server unchanged; those a URL cannot carry literally
// (blanks, controls, Turkish letters, URL syntax) travel percent-encoded.
std::string SchedulePageUrl(std::string_view schedule_host, std::string_view code);

std::string VersionFileUrl(std::string_view site_host);
std::string ChangesFileUrl(std::string_view site_host);

}  // namespace kiremo::acquisition
