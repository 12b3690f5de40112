#pragma once

#include <optional>
#include <string>
#include <string_view>

// Strict parsing of command-line values: the whole text must be the number,
// finite and within [minimum, maximum]. On failure the error names the option
// and the text.
std::optional<long long> ParseInteger(std::string_view option, std::string_view text,
                                      long long minimum, long long maximum, std::string& error);
std::optional<double> ParseReal(std::string_view option, std::string_view text, double minimum,
                                double maximum, std::string& error);
