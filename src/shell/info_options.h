#pragma once

#include <optional>

// kiremo --help and kiremo --version: answered on the terminal before any
// window or display is needed.
namespace kiremo::shell {

// The exit status after the answer when the only argument is one of them;
// nothing otherwise (a plan file to open, or --export).
std::optional<int> AnswerInfoOption(int argc, char** argv);

}  // namespace kiremo::shell
