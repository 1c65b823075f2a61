#include "text/cp1254.h"

namespace kiremo {

char32_t Cp1254ToUnicode(unsigned char byte) { return cp1254_detail::ToUnicode(byte); }

int UnicodeToCp1254(char32_t code_point) {
  if (code_point < 0x80) return static_cast<int>(code_point);
  static const auto table = [] {
    std::array<std::pair<char32_t, unsigned char>, 128> t{};
    for (int b = 0x80; b < 0x100; ++b)
      t[b - 0x80] = {cp1254_detail::ToUnicode(static_cast<unsigned char>(b)), static_cast<unsigned char>(b)};
    return t;
  }();
  for (const auto& [cp, b] : table) {
    if (cp == code_point) return b;
  }
  return -1;
}

std::string Cp1254ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (const char c : bytes) {
    const char32_t cp = Cp1254ToUnicode(static_cast<unsigned char>(c));
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::string Utf8ToCp1254(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const cp1254_detail::Decoded d = cp1254_detail::DecodeUtf8(utf8, i);
    if (d.length == 0) {
      out.push_back('?');
      ++i;
      continue;
    }
    const int b = UnicodeToCp1254(d.code_point);
    out.push_back(b < 0 ? '?' : static_cast<char>(b));
    i += d.length;
  }
  return out;
}

}  // namespace kiremo
