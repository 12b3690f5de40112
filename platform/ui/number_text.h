#pragma once

// The text form of numbers in edit boxes: how a float field is shown and
// how typed text is read back.

#include <optional>
#include <string>

// Up to six significant digits in the shortest of fixed or exponent form
// ("0.1", "200", "1.5e-07"), as the classic float exchange writes them.
std::string FormatFloatForEdit(float value);

// The number in text, or none when the text is not a finite number a float
// can hold. Accepted: optional blanks around an optional sign, decimal
// digits with at most one '.', and an optional exponent ("e-3"). Refused:
// empty text, anything else around the number, "nan", "inf", hexadecimal,
// and magnitudes beyond the float range (they would become infinite).
// Magnitudes below the float range read as zero or the nearest subnormal.
std::optional<float> ParseFloatFromEdit(const std::string& text);
