#pragma once

// The C library's double pow, exp, log and log10, as the evaluator calls them.

#include <cmath>

namespace kestrix::LibraryMath {

// MinGW's double pow, exp and log miss the correctly rounded result by an
// ulp now and then, where other systems' C libraries round correctly; their
// long double versions carry eleven bits more, and rounding those to double
// gives the same results as elsewhere.
#ifdef __MINGW32__
inline double Pow(double x, double y) {
    return static_cast<double>(powl(x, y));
}
inline double Exp(double x) {
    return static_cast<double>(expl(x));
}
inline double Log(double x) {
    return static_cast<double>(logl(x));
}
inline double Log10(double x) {
    return static_cast<double>(log10l(x));
}
#else
inline double Pow(double x, double y) {
    return std::pow(x, y);
}
inline double Exp(double x) {
    return std::exp(x);
}
inline double Log(double x) {
    return std::log(x);
}
inline double Log10(double x) {
    return std::log10(x);
}
#endif

} // namespace kestrix::LibraryMath
