#include "cli/args.h"

#include <algorithm>

namespace kiremo::cli {

Args Args::Parse(const std::vector<std::string>& words, const std::vector<std::string>& flags,
                 const std::vector<std::string>& valued) {
  auto known = [](const std::vector<std::string>& list, const std::string& word) {
    return std::find(list.begin(), list.end(), word) != list.end();
  };
  Args args;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.size() < 2 || word.compare(0, 2, "--") != 0) {
      args.positional_.push_back(word);
    } else if (known(flags, word)) {
      args.options_[word].emplace_back();
    } else if (known(valued, word)) {
      if (i + 1 >= words.size()) throw UsageError(word + " bir değer ister");
      args.options_[word].push_back(words[++i]);
    } else {
      throw UsageError("bilinmeyen seçenek: " + word);
    }
  }
  return args;
}

std::string Args::Value(const std::string& option, const std::string& fallback) const {
  auto found = options_.find(option);
  return found == options_.end() || found->second.empty() ? fallback : found->second.back();
}

std::vector<std::string> Args::Values(const std::string& option) const {
  auto found = options_.find(option);
  return found == options_.end() ? std::vector<std::string>{} : found->second;
}

void Args::ExpectPositional(std::size_t n, const std::string& usage) const {
  if (positional_.size() != n) throw UsageError("kullanım: kiremo-cli " + usage);
}

}  // namespace kiremo::cli
