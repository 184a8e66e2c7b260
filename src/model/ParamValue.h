#pragma once

#include <cstdint>
#include <string>

// Conversions between the text form of a parameter value and its stored bytes,
// by the parameter's type letter. All of them are independent of the process
// locale: the controller's texts always use "." as the decimal point.

// Text form of value bytes (at least GetParamValueSize(letter) of them).
std::string FormatParamValue(char letter, const uint8_t* bytes);

// Converts text into value bytes when it is valid for the letter and the range
// minimum..maximum (LINK parameters also take the special addresses 225..240).
// Returns false and leaves the bytes alone when the text is out of range.
bool ParseParamValue(int kind, const std::string& text, char letter, double minimum, double maximum,
                     uint8_t* bytes);

// The leading number of a text in the manner of atof/atoi, whatever the locale:
// leading blanks skipped, "." or "," as the decimal point, the rest ignored,
// 0 when there is no number. ParseLeadingInt saturates instead of overflowing.
double ParseLeadingDouble(const std::string& text);
int ParseLeadingInt(const std::string& text);

// Float text with the given significant digits, decimal point always present and
// a three-digit exponent when the exponent form is needed (273.15, 10., 1.e+037).
std::string FormatSignificant(double value, int digits);
