#pragma once

// The text form of numbers in edit boxes: how a float field is shown and
// how typed text is read back.

#include <optional>
#include <string>

// The fewest significant digits that read back (ParseFloatFromEdit) to the
// very same float: "0.1", "300", "0.45", "20020070". Plain decimals for
// magnitudes from 1e-5 up to below 1e9, exponent form beyond ("1e-07",
// "2e+19", "3.4028235e+38"). Every finite float round-trips bit for bit.
std::string FormatFloatForEdit(float value);

// The number in text, or none when the text is not a finite number a float
// can hold. Accepted: optional blanks around an optional sign, decimal
// digits with at most one '.', and an optional exponent ("e-3"). Refused:
// empty text, anything else around the number, "nan", "inf", hexadecimal,
// and magnitudes beyond the float range (they would become infinite).
// The result is the float nearest to the number written (rounded once);
// magnitudes below the float range read as zero or the nearest subnormal.
std::optional<float> ParseFloatFromEdit(const std::string& text);
