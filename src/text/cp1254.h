#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Windows-1254, the Turkish single-byte code page, is the program's only
// text encoding. Unicode appears only where text meets Qt or a terminal.
namespace kiremo {

// Unicode code point of one Windows-1254 byte. The bytes that the code page
// leaves undefined map to the C1 controls of the same value, so that every
// byte string survives a round trip through Unicode.
char32_t Cp1254ToUnicode(unsigned char byte);

// The Windows-1254 byte of a code point, or -1 when the code page lacks it.
int UnicodeToCp1254(char32_t code_point);

std::string Cp1254ToUtf8(std::string_view bytes);

// Characters outside the code page become '?'; malformed UTF-8 counts as such.
std::string Utf8ToCp1254(std::string_view utf8);

namespace cp1254_detail {

inline constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x008E, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178,  // 98-9F
};

constexpr char32_t ToUnicode(unsigned char b) {
  if (b < 0x80) return b;
  if (b < 0xA0) return kHighControls[b - 0x80];
  switch (b) {
    case 0xD0: return 0x011E;  // Ğ
    case 0xDD: return 0x0130;  // İ
    case 0xDE: return 0x015E;  // Ş
    case 0xF0: return 0x011F;  // ğ
    case 0xFD: return 0x0131;  // ı
    case 0xFE: return 0x015F;  // ş
    default: return b;
  }
}

constexpr int FromUnicode(char32_t cp) {
  for (int b = 0; b < 256; ++b) {
    if (ToUnicode(static_cast<unsigned char>(b)) == cp) return b;
  }
  return -1;
}

// One UTF-8 sequence at position i: its code point and its length in
// bytes; a length of 0 when the bytes there are no well-formed sequence.
struct Decoded {
  char32_t code_point = 0;
  std::size_t length = 0;
};

constexpr Decoded DecodeUtf8(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t extra = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    return {lead, 1};
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
    return {};
  }
  if (i + extra >= text.size()) return {};
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto cont = static_cast<unsigned char>(text[i + k]);
    if ((cont & 0xC0) != 0x80) return {};
    cp = (cp << 6) | (cont & 0x3F);
  }
  return {cp, 1 + extra};
}

template <std::size_t N>
struct Utf8Text {
  char bytes[N]{};
  consteval Utf8Text(const char (&s)[N]) {
    for (std::size_t i = 0; i < N; ++i) bytes[i] = s[i];
  }
};

template <std::size_t N>
struct Converted {
  char bytes[N]{};
  std::size_t size = 0;
};

template <Utf8Text S>
consteval auto Convert() {
  constexpr std::size_t n = sizeof(S.bytes);
  const std::string_view text(S.bytes, n - 1);  // without the terminating zero
  Converted<n> out{};
  for (std::size_t i = 0; i < text.size();) {
    const Decoded d = DecodeUtf8(text, i);
    const int b = d.length == 0 ? -1 : FromUnicode(d.code_point);
    if (b < 0) throw "a Windows-1254 literal holds a character outside the code page";
    out.bytes[out.size++] = static_cast<char>(b);
    i += d.length;
  }
  return out;
}

template <Utf8Text S>
inline constexpr auto kLiteral = Convert<S>();

}  // namespace cp1254_detail

// "Seçin"_w is the Windows-1254 form of a UTF-8 source literal, made at
// compile time; a character outside the code page does not compile.
template <cp1254_detail::Utf8Text S>
consteval std::string_view operator""_w() {
  return {cp1254_detail::kLiteral<S>.bytes, cp1254_detail::kLiteral<S>.size};
}

}  // namespace kiremo
