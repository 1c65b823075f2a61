#include "acquisition/addresses.h"

namespace kiremo::acquisition {

namespace {

bool TravelsLiterally(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         c == '.' || c == '~';
}

std::string Joined(std::string_view host, std::string_view path) {
  std::string url(host);
  url += path;
  return url;
}

}  // namespace

std::string DepartmentIndexUrl(std::string_view schedule_host) { return Joined(schedule_host, kSchedulePath); }

std::string SchedulePageUrl(std::string_view schedule_host, std::string_view code) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = Joined(schedule_host, kSchedulePath);
  url += "?fb=";
  for (const char c : code) {
    const auto byte = static_cast<unsigned char>(c);
    if (TravelsLiterally(byte)) {
      url += c;
    } else {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 0x0F];
    }
  }
  return url;
}

std::string VersionFileUrl(std::string_view site_host) { return Joined(site_host, kVersionPath); }

std::string ChangesFileUrl(std::string_view site_host) { return Joined(site_host, kChangesPath); }

}  // namespace kiremo::acquisition
