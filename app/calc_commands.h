#pragma once

// The commands of kestrix-calc, each run from a parsed command line in the
// language it chose. They return the exit status and throw UsageError for a
// bad command line.

#include "app/command_line.h"
#include "config/language.h"

#include <istream>
#include <ostream>

namespace kestrix {

int RunEval(const CommandLine& cl, Language language, std::ostream& out, std::ostream& err);
int RunDuct(const CommandLine& cl, Language language, std::ostream& out, std::ostream& err);
int RunTerminal(const CommandLine& cl, Language language, std::ostream& out, std::ostream& err);
int RunStyles(const CommandLine& cl, Language language, std::ostream& out, std::ostream& err);
int RunScheduleCommand(const CommandLine& cl, Language language, std::istream& in,
                       std::ostream& out, std::ostream& err);

} // namespace kestrix
