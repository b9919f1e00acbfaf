#pragma once

// The system command of kestrix-calc: a whole duct system read from a JSON
// file (or a CSV file of sections with the settings as options), sized and
// reported as JSON, CSV or Markdown. calc_cli.cpp parses the command line and
// hands the operands and option values here.

#include "config/language.h"

#include <istream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace kestrix {

// The options of "system" that take a value.
const std::vector<std::string>& SystemCommandOptions();

// Runs "system" with its operands and option values ("--format" -> "md").
// json is --json. Returns the exit status; usage errors are reported here.
int RunSystemCommand(const std::vector<std::string>& operands,
                     const std::map<std::string, std::string>& values, bool json, Language language,
                     std::istream& in, std::ostream& out, std::ostream& err);

} // namespace kestrix
