#pragma once

// kestrix-calc run in-process for the tests: its exit status and both streams.

#include "app/calc_cli.h"
#include "app/calc_help.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kestrix {

struct Result {
    int status;
    std::string out;
    std::string err;
};

inline Result Calc(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = RunCalc(args, in, out, err);
    return {status, out.str(), err.str()};
}

// A bad command line: status 2, nothing on standard output, and one line on
// standard error that names the program.
inline void ExpectUsageError(const std::vector<std::string>& args) {
    const Result r = Calc(args);
    std::string joined;
    for (const auto& a : args)
        joined += a + " ";
    EXPECT_EQ(r.status, kExitUsage) << joined;
    EXPECT_EQ(r.out, "") << joined;
    EXPECT_EQ(r.err.rfind("kestrix-calc: ", 0), 0u) << joined << r.err;
}

} // namespace kestrix
