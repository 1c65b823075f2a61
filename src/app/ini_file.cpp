#include "app/ini_file.h"

#include <filesystem>
#include <vector>

#include "catalogue/file_system.h"
#include "text/cp1254.h"
#include "text/errno_text.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::app {

namespace {

// The file's lines without their ends; a CR before the LF belongs to the end.
std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos) end = bytes.size();
    if (end > start && bytes[end - 1] == '\r') --end;
    lines.emplace_back(bytes.substr(start, end - start));
    start = next;
  }
  return lines;
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view text = TrimView(line);
  if (text.empty() || text.front() != '[') return std::nullopt;
  const std::size_t close = text.find(']');
  return TrimView(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

// The key of a key=value line, or nothing.
std::optional<std::string_view> KeyName(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return TrimView(line.substr(0, equals));
}

// Where a key lives in the file's lines.
struct Place {
  std::optional<std::size_t> section;  // the section's header line
  std::optional<std::size_t> key;      // the key's line inside it
  std::size_t section_end = 0;         // one past the section's last non-blank line
};

Place Find(const std::vector<std::string>& lines, std::string_view section, std::string_view key) {
  Place place;
  bool inside = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const auto name = SectionName(lines[i])) {
      if (inside) break;  // the first matching section is the one that counts
      inside = SameTextIgnoringCase(*name, section);
      if (inside) {
        place.section = i;
        place.section_end = i + 1;
      }
      continue;
    }
    if (!inside) continue;
    if (!TrimView(lines[i]).empty()) place.section_end = i + 1;
    const auto name = KeyName(lines[i]);
    if (name && SameTextIgnoringCase(*name, key)) {
      place.key = i;
      return place;
    }
  }
  return place;
}

std::string ReadFileOrNothing(const std::string& path) {
  try {
    return ReadWholeFile(path, kSettingsFileLimit);
  } catch (const Error&) {
    return {};
  }
}

// "<path>" cannot be written, and why, for the student.
[[noreturn]] void Unwritable(const std::string& path, const IoError& error) {
  std::string reason;
  if (error.SystemError() != 0) {
    reason = ErrnoText(error.SystemError());
  } else {
    // The reader's own reason follows "<path>: ".
    const std::string_view message = error.what();
    const std::size_t colon = message.rfind(": ");
    reason = std::string(colon == std::string_view::npos ? message : message.substr(colon + 2));
  }
  throw IoError("\"" + Utf8ToCp1254(path) + std::string("\" ayar dosyasına yazılamadı: "_w) + reason + ".",
                error.SystemError());
}

// A value is one line of the file: a line break in it would start new keys.
std::string OneLine(std::string_view value) {
  std::string line;
  line.reserve(value.size());
  for (const char c : value) {
    if (c != '\r' && c != '\n') line += c;
  }
  return line;
}

}  // namespace

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  const std::vector<std::string> lines = SplitLines(ReadFileOrNothing(path_));
  const Place place = Find(lines, section, key);
  if (!place.key) return std::nullopt;
  const std::string& line = lines[*place.key];
  return Trim(std::string_view(line).substr(line.find('=') + 1));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  return Value(section, key).value_or(std::string(fallback));
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const auto text = Value(section, key);
  return text ? StrToIntDef(*text, fallback) : fallback;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string bytes;
  std::error_code error;
  if (std::filesystem::exists(path_, error)) {
    // Rewriting a file that cannot be read would lose its other keys.
    try {
      bytes = ReadWholeFile(path_, kSettingsFileLimit);
    } catch (const IoError& e) {
      Unwritable(path_, e);
    }
  }
  // New lines end like the file's own lines; a new file gets LF.
  const std::string line_end = bytes.find("\r\n") != std::string::npos ? "\r\n" : "\n";
  std::vector<std::string> lines = SplitLines(bytes);
  const std::string entry = std::string(key) + "=" + OneLine(value);

  const Place place = Find(lines, section, key);
  if (place.key) {
    lines[*place.key] = entry;
  } else if (place.section) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.section_end), entry);
  } else {
    lines.push_back("[" + std::string(section) + "]");
    lines.push_back(entry);
  }

  std::string out;
  for (const std::string& line : lines) out += line + line_end;
  try {
    WriteFileAtomically(path_, out);
  } catch (const IoError& e) {
    Unwritable(path_, e);
  }
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace kiremo::app
