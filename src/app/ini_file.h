#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kiremo::app {

// A settings file in the common INI form: "[section]" lines, each followed by
// key=value lines. Reading is tolerant: a missing or unreadable file (a
// pipe, a device or one over 1 MB included), garbage lines and stray bytes
// yield the caller's default; section and key names ignore the case of
// ASCII letters. Every write goes to the file at once, written beside it and
// renamed over it, and keeps every other line as it was.
class IniFile {
 public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }

  // The value trimmed, or the fallback when the key is absent.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // A whole number, or the fallback when the key is absent or not a number.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  // Non-zero numbers are true; the fallback when absent or not a number.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  // IoError '"<path>" ayar dosyasına yazılamadı: <reason>.' when the file
  // cannot be written (or cannot be read, which would lose its other keys);
  // the file is then unchanged.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

 private:
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  std::string path_;
};

}  // namespace kiremo::app
