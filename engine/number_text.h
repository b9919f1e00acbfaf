#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

// Fixed patterns "0", "0.0", "0.00" and "0.000" (decimals 0 to 3): the value is
// rounded to the nearest, halves away from zero, taken exactly as given, so an
// extended-precision intermediate keeps the side of a half that it lies on.
// Point as decimal separator, no thousands separator, no plus sign; a value
// that rounds to zero carries no minus sign. Not-a-number and the infinities
// give "NAN", "INF" and "-INF".
std::string FormatFixed(long double value, int decimals);

// General format of the evaluator's results: at most 15 significant digits,
// fixed notation for decimal exponents from -3 to 15, otherwise "1E15", "1E-5".
std::string FormatGeneral(double value);

// True for a text made of one run of digits and points with blanks only
// before or after it ("1200", " 12 ", "1.2.3", "."), false otherwise.
bool IsPlainNumber(std::string_view text);

// A field's text as a real number: optional sign, digits, optional point and
// fraction, optional exponent, blanks around it. Texts that are not such a
// number, or whose value lies beyond the double range, give nothing.
std::optional<double> ParseNumber(std::string_view text);

// The same number in extended precision, for a text that is formatted at
// once rather than stored: 0.15 is then a hair above its half, as the design's
// conversion reads it, where the nearest double lies below.
std::optional<long double> ParseNumberExtended(std::string_view text);

// A whole number with optional sign and blanks around it, within 32 bits.
std::optional<int> ParseInteger(std::string_view text);

// The value of a decimal literal (digits, point, exponent) as the evaluator
// reads it: beyond the double range it becomes infinity, below it zero.
double DecimalLiteralValue(std::string_view literal);

} // namespace kestrix
