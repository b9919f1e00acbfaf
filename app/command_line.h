#pragma once

// The command line of kestrix-calc: the command, its options and operands,
// the language it asks for, and the checks every command shares.

#include "config/language.h"

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrix {

// A bad command line: the message goes to stderr with exit status 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct CommandLine {
    std::string command;
    bool help = false;
    bool version = false;
    bool json = false;
    std::map<std::string, std::string> values; // "--width" -> "300"
    std::vector<std::string> operands;

    bool Has(const std::string& option) const { return values.count(option) != 0; }
    std::string Get(const std::string& option, const std::string& fallback = {}) const {
        const auto it = values.find(option);
        return it == values.end() ? fallback : it->second;
    }
};

// Splits the arguments after the program name; throws UsageError.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// --lang, or without it the system's language, as the window decides it.
Language ChooseLanguage(const CommandLine& cl);

// The one operand of a command such as duct FLOW; what names it in the error.
const std::string& SingleOperand(const CommandLine& cl, const char* what);

// A criterion as a style's field holds it, converted as the style change
// does; fallback stands for an option that may be left out.
double CriterionNumber(const CommandLine& cl, const std::string& option,
                       std::optional<std::string> fallback = std::nullopt);

// The criteria options of each kind.
const std::vector<const char*>& DuctCriteriaOptions();
const std::vector<const char*>& TerminalCriteriaOptions();

bool HasAny(const CommandLine& cl, const std::vector<const char*>& options);

// Criteria options and --style exclude each other.
void RejectWithStyle(const CommandLine& cl, const std::vector<const char*>& options);

} // namespace kestrix
