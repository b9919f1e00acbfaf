#pragma once

// kestrix-calc, the command-line calculator: the sizing engines, the
// expression evaluator and the configuration files of the window, driven from
// arguments and printed as aligned tables or as one JSON object per line.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace kestrix {

// Exit statuses of kestrix-calc.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1; // evaluation abandoned, or a required file missing
inline constexpr int kExitUsage = 2;   // bad command line

// Runs one command. args are the arguments after the program name, in UTF-8.
// Results go to out; messages and errors to err. Returns the exit status.
// The default configuration directory needs a QCoreApplication (main makes
// one); without it the executable's directory is taken from /proc/self/exe.
// The headings of the tables answer --lang from the translation catalogue,
// which Qt installs only into that object: without it they stay English.
// "schedule ... -" reads the process's standard input; when main found it
// closed, standardInputClosed makes that read fail with its reason.
int RunCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            bool standardInputClosed = false);

// The same, with in as the standard input that "schedule ... -" reads.
int RunCalc(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
            std::ostream& err);

} // namespace kestrix
