#include "acquisition/text/cp1254.h"

namespace kiremo {

char32_t Cp1254ToUnicode(unsigned char byte) { return cp1254_detail::ToUnicode(byte); }

int UnicodeToCp1254(char32_t code_point) {
  if (code_point < 0x80) return static_cast<int>(code_point);
  static const auto table = [] {
    std::array<std::pair<char32_t, unsigned char>, 128> t{};
    for (int b = 0x80; b < 0x100; ++b) t[b - 0x80] = {cp1254_detail::ToUnicode(static_cast<unsigned char>(b)), static_cast<unsigned char>(b)};
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
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    char32_t cp = 0;
    std::size_t extra = 0;
    if (lead < 0x80) {
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      cp = lead & 0x1F;
      extra = 1;
    } else if ((lead & 0xF0) == 0xE0) {
      cp = lead & 0x0F;
      extra = 2;
    } else if ((lead & 0xF8) == 0xF0) {
      cp = lead & 0x07;
      extra = 3;
    } else {
      out.push_back('?');
      ++i;
      continue;
    }
    bool ok = i + extra < utf8.size();
    for (std::size_t k = 1; ok && k <= extra; ++k) {
      const auto cont = static_cast<unsigned char>(utf8[i + k]);
      if ((cont & 0xC0) != 0x80) {
        ok = false;
      } else {
        cp = (cp << 6) | (cont & 0x3F);
      }
    }
    if (!ok) {
      out.push_back('?');
      ++i;
      continue;
    }
    i += 1 + extra;
    const int b = UnicodeToCp1254(cp);
    out.push_back(b < 0 ? '?' : static_cast<char>(b));
  }
  return out;
}

}  // namespace kiremo
