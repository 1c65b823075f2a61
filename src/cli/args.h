#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// The command line of kiremo-cli: words and options. An option is a word
// that starts with "--"; it takes the next word as its value unless it is a
// known flag. Options may repeat.
namespace kiremo::cli {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Args {
 public:
  // Throws UsageError for an option without its value or an unknown option.
  // `flags` take no value; `valued` take one; anything else is unknown.
  static Args Parse(const std::vector<std::string>& words, const std::vector<std::string>& flags,
                    const std::vector<std::string>& valued);

  const std::vector<std::string>& Positional() const { return positional_; }
  bool Has(const std::string& option) const { return options_.count(option) > 0; }
  // The last value given, or the fallback.
  std::string Value(const std::string& option, const std::string& fallback = {}) const;
  // Every value given, in order.
  std::vector<std::string> Values(const std::string& option) const;
  // Exactly n positional words, or UsageError.
  void ExpectPositional(std::size_t n, const std::string& usage) const;

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::vector<std::string>> options_;
};

}  // namespace kiremo::cli
