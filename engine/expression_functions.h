#pragma once

// The evaluator's seventeen functions and the case-blind names it shares
// with them; used by expression_evaluator.cpp only.

#include <string_view>

namespace kestrix::evaluator_functions {

enum Function {
    kSqrt,
    kSqr,
    kLn,
    kLog10,
    kExp,
    kSin,
    kCos,
    kTan,
    kAtan,
    kAsin,
    kAcos,
    kFabs,
    kCeil,
    kFloor,
    kRound,
    kRad,
    kDeg,
    kNotAFunction
};

// The function of a name, in any letter case; kNotAFunction for others.
int FindFunction(std::string_view name);

bool EqualIgnoringCase(std::string_view a, std::string_view b);

} // namespace kestrix::evaluator_functions
