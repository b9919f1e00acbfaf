// The functions of the evaluator, with the C library's substitute values and
// messages (see expression_evaluator.cpp for the rules).
#include "engine/expression_functions.h"
#include "engine/expression_evaluator.h"

#include "engine/library_math.h"

#include <cmath>
#include <iterator>
#include <limits>

namespace kestrix {

namespace evaluator_functions {
namespace {

constexpr char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

constexpr std::string_view kFunctionNames[] = {
    "sqrt", "sqr",  "ln",   "log10", "exp",   "sin",   "cos", "tan", "atan",
    "asin", "acos", "fabs", "ceil",  "floor", "round", "rad", "deg",
};
static_assert(std::size(kFunctionNames) == kNotAFunction);

} // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

int FindFunction(std::string_view name) {
    if (name.size() > 5) return kNotAFunction; // no function name is longer
    for (int f = 0; f < kNotAFunction; ++f)
        if (EqualIgnoringCase(name, kFunctionNames[f])) return f;
    return kNotAFunction;
}

} // namespace evaluator_functions

namespace {

using namespace evaluator_functions;

constexpr double kPi = 3.141592653589793;
constexpr long double kOneOver180 = 1.0L / 180.0L;
constexpr long double kOneOverPi = 1.0L / kPi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A library result too small for a normal double is an underflow, which
// gives 0 silently.
double UnderflowToZero(double result) {
    return std::fpclassify(result) == FP_SUBNORMAL ? 0.0 : result;
}

} // namespace

double ExpressionEvaluator::LibraryPow(double base, double exponent) {
    if (std::isnan(base) || std::isnan(exponent)) return kNaN;
    if (exponent == 0) return 1.0;
    if (base == 0 && exponent < 0) {
        ReportLibraryError("pow", "DOMAIN");
        return kNaN;
    }
    if (base < 0 && std::isfinite(base) && std::isfinite(exponent) &&
        exponent != std::trunc(exponent)) {
        ReportLibraryError("pow", "DOMAIN");
        return kNaN;
    }
    const double result = LibraryMath::Pow(base, exponent);
    if (std::isinf(result) && std::isfinite(base) && std::isfinite(exponent)) {
        // The substitute value of an overflow is plus infinity, whatever the
        // sign of the true result ((-10)^309 included).
        ReportLibraryError("pow", "OVERFLOW");
        return kInf;
    }
    return UnderflowToZero(result);
}

double ExpressionEvaluator::ApplyFunction(int function, double x) {
    if (std::isnan(x)) return x;
    // Products in long double, stored as double; only deg can leave the
    // double range, which is an operator overflow like any other.
    const auto store = [&](long double exact) {
        const double stored = static_cast<double>(exact);
        if (std::isinf(stored) && std::isfinite(x)) Fail(EvaluationErrorKind::Overflow);
        return stored;
    };
    // The angle of sin, cos and tan and the angle that atan, asin and acos
    // find are intermediate results, in extended precision; only the
    // function's value is stored.
    const auto angle = [&] { return static_cast<long double>(x) * kPi * kOneOver180; };
    const auto radians = [&] { return store(angle()); };
    const auto degrees = [&](long double r) { return store(r * 180.0L * kOneOverPi); };
    switch (function) {
    case kSqrt:
        if (x < 0) {
            ReportLibraryError("sqrt", "DOMAIN");
            return kNaN;
        }
        return std::sqrt(x);
    case kSqr:
        return LibraryPow(x, 2.0);
    case kLn:
    case kLog10: {
        const char* name = function == kLn ? "log" : "log10";
        if (x < 0) {
            ReportLibraryError(name, "DOMAIN");
            return kNaN;
        }
        if (x == 0) {
            ReportLibraryError(name, "SING");
            return -kInf;
        }
        return function == kLn ? LibraryMath::Log(x) : LibraryMath::Log10(x);
    }
    case kExp: {
        const double result = LibraryMath::Exp(x);
        if (std::isinf(result) && std::isfinite(x)) {
            ReportLibraryError("exp", "OVERFLOW");
            return kInf;
        }
        return UnderflowToZero(result);
    }
    case kSin:
        return static_cast<double>(std::sin(angle()));
    case kCos:
        return static_cast<double>(std::cos(angle()));
    case kTan:
        return static_cast<double>(std::tan(angle()));
    case kAtan:
        return degrees(std::atan(static_cast<long double>(x)));
    case kAsin:
    case kAcos:
        if (x < -1 || x > 1) {
            ReportLibraryError(function == kAsin ? "asin" : "acos", "DOMAIN");
            return kNaN;
        }
        return degrees(function == kAsin ? std::asin(static_cast<long double>(x))
                                         : std::acos(static_cast<long double>(x)));
    case kFabs:
        return std::fabs(x);
    case kCeil:
        return std::ceil(x);
    case kFloor:
        return std::floor(x);
    case kRound:
        // Exact in long double, so 0.49999999999999994 does not become 1.
        return store(std::floor(static_cast<long double>(x) + 0.5L));
    case kRad:
        return radians();
    case kDeg:
        return degrees(static_cast<long double>(x));
    }
    return 0.0;
}

} // namespace kestrix
