#pragma once

// The help of kestrix-calc: --help, COMMAND --help and --version. The manual
// page is made from the same text at build time, so the two cannot differ.

#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

// The text that --help prints: every command.
std::string CalcHelpText();

// The text that COMMAND --help prints: that command's part of the help, with
// the common options and the exit statuses. Nothing for an unknown command.
std::optional<std::string> CalcCommandHelpText(std::string_view command);

// The line that --version prints: the program's name and the project's version.
std::string CalcVersionText();

} // namespace kestrix
