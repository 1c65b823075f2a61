#include <string_view>

#include "planner/planner.h"

namespace kiremo::planner {

std::string URLEncode(std::string_view text) {
  static constexpr std::string_view kEncoded = " \"#$%&+,./:;<=>?@[\\]^`{|}~";
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (kEncoded.find(c) == std::string_view::npos) {
      out += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
  }
  return out;
}

}  // namespace kiremo::planner
