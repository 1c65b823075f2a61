#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/have_program.h"
#include "support/temp_folder.h"

// The manual pages and the bash completion say what --help says: every
// command, option and variable, each command's usage as its tag.
namespace kiremo::testing_support {
namespace {

const std::string kDist = std::string(KIREMO_TESTS_DIR) + "/../dist/";
constexpr char kBashCompletion[] = "/usr/share/bash-completion/bash_completion";

std::string Quoted(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string Output(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  ::pclose(pipe);
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Without the indent, and with one blank between words.
std::string Squeezed(const std::string& line) {
  std::string squeezed;
  for (const char c : line) {
    if (c != ' ' || (!squeezed.empty() && squeezed.back() != ' ')) squeezed += c;
  }
  if (!squeezed.empty() && squeezed.back() == ' ') squeezed.pop_back();
  return squeezed;
}

// Every "--word" or "--word-word" in the text.
std::set<std::string> OptionsIn(const std::string& text) {
  std::set<std::string> options;
  const auto lower = [](char c) { return c >= 'a' && c <= 'z'; };
  for (std::size_t at = text.find("--"); at != std::string::npos; at = text.find("--", at + 1)) {
    std::size_t end = at + 2;
    if (end >= text.size() || !lower(text[end])) continue;
    while (end < text.size() && (lower(text[end]) || text[end] == '-')) ++end;
    options.insert(text.substr(at, end - at));
    at = end - 1;
  }
  return options;
}

// What a --help text offers, section by section.
struct HelpText {
  std::vector<std::string> forms;      // each usage of a command: "plan show DOSYA.dkf [--json]"
  std::vector<std::string> options;    // the program's own options
  std::vector<std::string> variables;  // the environment it reads
};

HelpText ParseHelp(const std::string& text, const std::string& program) {
  HelpText help;
  std::string section;
  for (const std::string& line : Lines(text)) {
    if (!line.empty() && line.back() == ':' && line[0] != ' ') {
      section = line;
      continue;
    }
    if (line.rfind("  ", 0) != 0) continue;
    const std::string entry = Squeezed(line);
    const std::string first = entry.substr(0, entry.find(' '));
    if (section == "Komutlar:" && first == program) {
      // "plan show ... | plan crns ...": one form per command name.
      std::string usage = entry.substr(program.size() + 1);
      const std::string name = usage.substr(0, usage.find(' '));
      for (std::size_t split; (split = usage.find(" | " + name + " ")) != std::string::npos;) {
        help.forms.push_back(usage.substr(0, split));
        usage = usage.substr(split + 3);
      }
      help.forms.push_back(usage);
    } else if (section == "Seçenekler:") {
      help.options.push_back(first);
    } else if (section == "Ortam:") {
      help.variables.push_back(first);
    }
  }
  return help;
}

struct RenderedPage {
  std::vector<std::string> lines;  // squeezed
  std::string warnings;
};

// The page as man shows it, wide enough that no tag is broken.
RenderedPage Render(const std::string& page) {
  TempFolder scratch;
  const std::string text = Output("MANWIDTH=1000 MANPAGER=cat LANG=C.UTF-8 man --warnings -l " + Quoted(page) + " 2>" +
                                  Quoted(scratch / "warnings"));
  RenderedPage rendered;
  for (const std::string& line : Lines(text)) rendered.lines.push_back(Squeezed(line));
  rendered.warnings = ReadCapture(scratch / "warnings");
  return rendered;
}

bool HasLine(const RenderedPage& page, const std::string& line) {
  return std::find(page.lines.begin(), page.lines.end(), line) != page.lines.end();
}

// A tag short enough shares its line with the description.
bool HasLineStartingWith(const RenderedPage& page, const std::string& word) {
  return std::any_of(page.lines.begin(), page.lines.end(),
                     [&](const std::string& line) { return line == word || line.rfind(word + " ", 0) == 0; });
}

// What the completion offers after the words, the last one being typed.
std::set<std::string> Completions(const std::vector<std::string>& words) {
  std::string command = "bash -c " +
                        Quoted("source " + std::string(kBashCompletion) +
                               "; source \"$1\"; shift; COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); "
                               "COMP_LINE=\"$*\"; COMP_POINT=${#COMP_LINE}; COMPREPLY=(); _kiremo_cli; "
                               "printf '%s\\n' \"${COMPREPLY[@]}\"") +
                        " - " + Quoted(kDist + "kiremo-cli.bash") + " kiremo-cli";
  for (const std::string& word : words) command += " " + Quoted(word);
  std::set<std::string> offered;
  for (const std::string& line : Lines(Output(command + " 2>/dev/null"))) {
    if (!line.empty()) offered.insert(line);
  }
  return offered;
}

void ExpectPageSaysWhatHelpSays(const std::string& page_file, const HelpText& help) {
  const RenderedPage page = Render(kDist + page_file);
  ASSERT_FALSE(page.lines.empty()) << "man could not show " << page_file;
  EXPECT_EQ(page.warnings, "");
  for (const std::string& form : help.forms) EXPECT_TRUE(HasLine(page, form)) << "no tag: " << form;
  for (const std::string& option : help.options) EXPECT_TRUE(HasLineStartingWith(page, option)) << option;
  for (const std::string& variable : help.variables) EXPECT_TRUE(HasLineStartingWith(page, variable)) << variable;
}

bool HaveManAndCompletion() { return HaveProgram("man") && std::filesystem::exists(kBashCompletion); }

TEST(ManualPagesTest, CliPageAndCompletionOfferEveryCommandAndOptionOfHelp) {
  if (!HaveManAndCompletion()) GTEST_SKIP() << "man-db or bash-completion missing";
  const CliResult shown = RunCli({"--help"});
  ASSERT_EQ(shown.status, 0);
  const HelpText help = ParseHelp(shown.out, "kiremo-cli");
  ASSERT_GE(help.forms.size(), 10u) << shown.out;
  ASSERT_FALSE(help.variables.empty()) << shown.out;
  ExpectPageSaysWhatHelpSays("kiremo-cli.1", help);

  // Each command, or plan's action, completes to the options of its usage,
  // no more and no fewer.
  std::map<std::vector<std::string>, std::set<std::string>> options;
  std::set<std::string> commands, actions;
  for (const std::string& form : help.forms) {
    std::istringstream words(form);
    std::vector<std::string> typed(1);
    words >> typed[0];
    commands.insert(typed[0]);
    if (typed[0] == "plan") {
      typed.emplace_back();
      words >> typed[1];
      actions.insert(typed[1]);
    }
    options[typed].merge(OptionsIn(form));
  }
  const std::set<std::string> first_words = Completions({""});
  for (const std::string& word : commands) EXPECT_TRUE(first_words.count(word)) << word;
  for (const std::string& word : help.options) EXPECT_TRUE(first_words.count(word)) << word;
  EXPECT_EQ(Completions({"plan", ""}), actions);
  for (const auto& [typed, expected] : options) {
    std::vector<std::string> words = typed;
    words.push_back("--");
    EXPECT_EQ(Completions(words), expected) << words[0] << " " << words[1];
  }
}

TEST(ManualPagesTest, WindowPageNamesEveryOptionAndVariableOfHelp) {
  const std::string program = std::string(KIREMO_BIN_DIR) + "/kiremo";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "the window is not built";
  if (!HaveManAndCompletion()) GTEST_SKIP() << "man-db or bash-completion missing";
  const CliResult shown = RunProgram(program, {"--help"});
  ASSERT_EQ(shown.status, 0);
  const HelpText help = ParseHelp(shown.out, "kiremo");
  ASSERT_FALSE(help.options.empty()) << shown.out;
  ASSERT_FALSE(help.variables.empty()) << shown.out;
  ExpectPageSaysWhatHelpSays("kiremo.1", help);
}

}  // namespace
}  // namespace kiremo::testing_support
