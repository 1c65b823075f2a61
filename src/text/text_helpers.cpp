#include "text/text_helpers.h"

#include <climits>
#include <optional>

#include "text/errors.h"

namespace kiremo {

std::vector<std::string_view> ExplodeViews(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> pieces;
  if (text == separator) {
    pieces.emplace_back();
    pieces.emplace_back();
    return pieces;
  }
  if (separator.empty()) {
    if (!text.empty()) pieces.push_back(text);
    return pieces;
  }
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(separator, start);
    if (at == std::string_view::npos) break;
    pieces.push_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  if (start < text.size()) pieces.push_back(text.substr(start));
  return pieces;
}

std::vector<std::string> Explode(std::string_view text, std::string_view separator) {
  const auto views = ExplodeViews(text, separator);
  return {views.begin(), views.end()};
}

int SubStrCount(std::string_view text, std::string_view pattern) {
  if (pattern.empty()) return 0;
  int count = 0;
  for (std::size_t at = text.find(pattern); at != std::string_view::npos;
       at = text.find(pattern, at + pattern.size())) {
    ++count;
  }
  return count;
}

std::string Striptags(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t open = text.find('<', i);
    if (open == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, open - i));
    const std::size_t close = text.find('>', open + 1);
    if (close == std::string_view::npos) break;  // an unclosed tag eats the rest
    i = close + 1;
  }
  return out;
}

std::string_view TrimView(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

namespace {

std::optional<int> ParseInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  long long value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::string NotAnIntegerMessage(std::string_view text) {
  std::string message = "'";
  // A message is read through what(), which ends at a zero byte: one that
  // came with the text (from a page or a plan file) is shown as '?'.
  for (const char c : text) message += c == '\0' ? '?' : c;
  message.append("' is not a valid integer value");
  return message;
}

int StrToInt(std::string_view text) {
  if (auto value = ParseInt(text)) return *value;
  throw ConversionError(NotAnIntegerMessage(text));
}

int StrToIntDef(std::string_view text, int fallback) { return ParseInt(text).value_or(fallback); }

}  // namespace kiremo
