#pragma once
// How numbers are shown and typed. Every displayed number goes through these helpers, so
// exponents look the same everywhere (at least three digits: 1.000000e+000) and the output
// never depends on the process locale.
#include <string>
#include <string_view>

namespace ondrel {

// Formats one value with a single printf-style conversion: flags "-+ 0#", an optional
// width and precision, and one of e E f g G; text around the conversion is kept
// ("%15.3g", "%09.03e", "t = %e s"). Exponents have at least three digits; the width
// counts the widened exponent. An unusable pattern yields the shortest text of the value.
std::string FormatNumber(std::string_view pattern, double value);

// "%e" with the given precision: FormatE(1.0) == "1.000000e+000".
std::string FormatE(double value, int precision = 6);

// The shortest form with the given number of significant digits, fixed or exponential as
// printf's %g chooses, trailing zeros dropped: FormatSignificant(0.1, 6) == "0.1",
// FormatSignificant(1e-5, 6) == "1e-005".
std::string FormatSignificant(double value, int digits);

// The standard decimal conversion of typed text: leading blanks skipped, then an optional
// sign, digits with an optional point, and an optional exponent; conversion stops at the
// first character that cannot continue the number. 0.0 when there is no number.
double ParseDecimal(std::string_view text);

// Like ParseDecimal, but tells whether the whole text (blanks around it allowed) is one
// number, as dialog validation needs.
bool ParseDecimalStrict(std::string_view text, double& value);
bool ParseIntegerStrict(std::string_view text, int& value);

}  // namespace ondrel
